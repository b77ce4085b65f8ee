#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "device/Report.h"

namespace quavelo {

// Codec gain byte of a gain step: 0x43 + 4 step, from a 48-entry table. A step outside 0..47 has
// no code; it is clamped into the table so a stray value can never index past it.
inline constexpr int kMicGainSteps = 48;
const std::array<std::uint8_t, kMicGainSteps>& MicGainCodeTable() noexcept;
std::uint8_t MicGainCode(int step) noexcept;

// A processing parameter: 32-bit signed fixed point with 23 fraction bits (1.0 = 0x00800000).
// x is rounded to single precision, scaled by 2^23 in double precision and truncated toward zero;
// values beyond the 32-bit range saturate.
std::int32_t ToParameter(double x) noexcept;
inline constexpr std::int32_t kParamOne = 0x00800000;

// The monitor tapers (ModelProfile::monitorTaper): a cut v (0..80 dB) becomes the gain of
// -(v^2 / 80) dB (the TORVA's), or the shallow one of -(v^2 / 100) dB (the KD4's; v = 80 gives
// -64 dB).
std::int32_t LevelTaper(int cut) noexcept;
std::int32_t ShallowLevelTaper(int value) noexcept;

// Five filter words in the order w1 = b0, w2 = b1, w3 = b2, w4 = -a1, w5 = -a2.
using Coefficients = std::array<std::int32_t, 5>;

// The band filter of the device at 48000 Hz: frequency in Hz, q in tenths, gain in the model's
// units (tenths of a dB plus 150; only whole dB reach the device). w1 is masked to 28 bits.
// The frequency is held inside 20..20000 Hz and q at 1 or more, so no input divides by zero or
// reaches the tangent's pole at half the sample rate.
Coefficients PeakingCoefficients(int freq, int q, int gain) noexcept;
// The same band at 0 dB whatever its gain: w1 is exactly 1.0 and w3 equals w5 negated.
Coefficients PeakingCoefficientsFlat(int freq, int q) noexcept;

// The fixed high-pass coefficient sets: off, 75 Hz (corner 1) and 150 Hz (corner 2). nullopt
// when the filter is on with another corner: then no coefficients are sent.
std::optional<Coefficients> HighPassCoefficients(int on, int corner) noexcept;

// The staged coefficient load: the five words to 0x0001..0x0005, the target to 0x0006, the
// count 5 to 0x0007, in this order. The last write moves the words to `target`.
std::array<Report, 7> Safeload(std::uint16_t target, const Coefficients& words) noexcept;

// Band gains reach the device in whole dB as a signed byte: gain / 10 - 15, truncating.
std::int8_t BandGainToDevice(int gain) noexcept;
// Back from the device: (b + 15) x 10, held inside the band gain range.
std::int32_t BandGainFromDevice(std::int8_t deviceGain) noexcept;

// The monitor pair as the device's balance byte B (0..160, 80 = centre), and back.
struct MonitorCuts {
    std::int32_t micCut = 0;
    std::int32_t playbackCut = 0;
};
std::uint8_t MonitorBalance(int micCut, int playbackCut) noexcept;
MonitorCuts DecodeMonitorBalance(std::uint8_t balance) noexcept;

}  // namespace quavelo
