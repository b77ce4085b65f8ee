#pragma once

#include <array>
#include <cstdint>

#include "graph/BandResponse.h"
#include "graph/ResponseFrequencyTable.h"

namespace quavelo {

// Room in the band inputs, and band curves held by the graph.
inline constexpr int kMaxEqBands = 20;
inline constexpr int kMaxBandCurves = 32;

// Band kinds as the band inputs hold them.
inline constexpr std::uint32_t kKindEqBand = 1;
inline constexpr std::uint32_t kKindHighPass = 2;
inline constexpr std::uint32_t kKindLowPass = 3;

// The bands whose response the graph draws, as parallel arrays indexed by band number.
struct EqBandInputs {
    std::array<double, kMaxEqBands> gain{};          // dB; equaliser bands only
    std::array<double, kMaxEqBands> q{};             // Q; high/low-pass: the slope index, truncated
    std::array<double, kMaxEqBands> frequency{};     // Hz: centre, corner or cut-off
    std::array<std::uint32_t, kMaxEqBands> shape{};  // equaliser bands: kShapePeaking...
    std::array<std::uint32_t, kMaxEqBands> kind{};   // kKindEqBand, kKindHighPass, kKindLowPass
    std::array<std::uint32_t, kMaxEqBands> filterEnabled{};  // high/low-pass: 0 is flat
    std::int32_t bandCount = 0;

    // Equal when every entry is; a NaN entry never is, so inputs holding one always differ.
    friend bool operator==(const EqBandInputs&, const EqBandInputs&) = default;
};

// What the graph draws: one curve per band, their sum, and the frequency of each curve entry.
struct EqResponseCurves {
    std::array<ResponseCurve, kMaxBandCurves> band{};
    ResponseCurve total{};
    ResponseCurve grid{};  // a copy of ResponseFrequencyTable
};

// The slope index a high- or low-pass band's q selects: q truncated toward zero (2.9 gives 2).
// -1, which no cascade has, when the truncated value lies outside 0..6 or q is NaN.
int SlopeIndexOf(double q) noexcept;

// Recomputes the curves of bands 0 .. bandCount - 1, overwrites the total with their sum and
// the grid with ResponseFrequencyTable. Band curves from bandCount on keep what they held.
// A band count below 1 gives a total of 0 dB; above 20 only the 20 bands the inputs hold count.
// A band of unknown kind, like any band the routines of graph/BandResponse.h cannot express in
// finite numbers, is flat, so the total is always finite. Allocates nothing.
void ComputeEqResponse(const EqBandInputs& inputs, EqResponseCurves& curves) noexcept;

}  // namespace quavelo
