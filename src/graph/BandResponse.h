#pragma once

#include <cstddef>
#include <cstdint>

#include "graph/ResponseFrequencyTable.h"

namespace quavelo {

// The response of one equaliser band, designed for a sample rate of 96000 Hz and evaluated at
// every entry of ResponseFrequencyTable. Each routine overwrites all of `curve` (dB), which the
// caller owns; nothing is allocated and no state is kept between calls.
//
// Inputs the pages never produce have a fixed answer: a flat curve, exactly 0 dB everywhere.
// That covers an unknown shape or slope index, a frequency, gain or bandwidth that is not
// finite, and any design whose magnitude is not a finite, nonzero level at every entry: a
// peaking band of infinite bandwidth (what q = 0 asks for), a shelf beyond about 65 dB, where
// its formulas leave the real numbers, a low-pass at 0 Hz, a level beyond about +-3000 dB. So a
// curve never holds NaN or infinity, and a band that cannot be drawn adds nothing to a total.

// Shapes of an equaliser band, and the slope indices of the high- and low-pass cascades
// (0 = 12 dB/octave up to 6 = 48 dB/octave, in 6 dB steps).
inline constexpr std::uint32_t kShapePeaking = 0;
inline constexpr std::uint32_t kShapeLowShelf = 1;
inline constexpr std::uint32_t kShapeHighShelf = 2;
inline constexpr int kMinSlopeIndex = 0;
inline constexpr int kMaxSlopeIndex = 6;

// The table entry a peaking band at `frequency` (Hz) is designed at: the nearest entry, the
// upper one on a tie, the first below the table and the last above it. A NaN gives the last.
std::size_t PeakingGridIndex(double frequency) noexcept;

// Peaking band of `gainDb` around the table entry nearest `frequency`; `bandwidth` is the
// bandwidth parameter, 1/Q for the bands the pages set up.
void PeakingResponse(ResponseCurve& curve, double frequency, double gainDb,
                     double bandwidth) noexcept;

// Low shelf (shape 1) or high shelf (shape 2) of `gainDb`, designed at `frequency` times 1.2727
// (low) or 0.7692 (high), where the curve reads half the gain in dB. A gain of exactly 0 dB is
// flat without going through the formulas.
void ShelfResponse(std::uint32_t shape, ResponseCurve& curve, double frequency,
                   double gainDb) noexcept;

// Butterworth-type low-pass and high-pass of order slopeIndex + 2, cut off at `frequency` (Hz).
void LowPassResponse(int slopeIndex, ResponseCurve& curve, double frequency) noexcept;
void HighPassResponse(int slopeIndex, ResponseCurve& curve, double frequency) noexcept;

}  // namespace quavelo
