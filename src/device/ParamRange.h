#pragma once

#include <algorithm>
#include <cstdint>

namespace quavelo {

// The closed range of values a field of the parameter model may hold. Every writer that takes a
// value from outside (device answers, preset files, command-line values) passes it through
// Clamp, so the model never holds a value its users cannot index or encode.
struct ParamRange {
    std::int32_t min;
    std::int32_t max;

    constexpr bool Contains(std::int64_t value) const noexcept {
        return value >= min && value <= max;
    }
    constexpr std::int32_t Clamp(std::int64_t value) const noexcept {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, min, max));
    }
};

namespace ranges {
inline constexpr ParamRange kSwitch{0, 1};            // every on/off field, eqMode, stereo
inline constexpr ParamRange kMicGain{0, 47};          // micGain, and gain2 on TORVA (0.75 dB steps)
inline constexpr ParamRange kGain2Kd4{0, 80};         // gain2 on KD4: monitor level, 80 = 0 dB
inline constexpr ParamRange kMonitorCut{0, 80};       // monitorMicCut, monitorPlaybackCut (dB)
inline constexpr ParamRange kMonitorBalance{0, 160};  // the device's balance byte, 80 = centre
inline constexpr ParamRange kLimiterLevel{1, 3};      // 1 = -10 dB, 2 = -20 dB, 3 = -30 dB
inline constexpr ParamRange kHpfFreq{1, 2};           // 1 = 75 Hz, 2 = 150 Hz
inline constexpr ParamRange kBandGain{0, 300};        // tenths of a dB plus 150
inline constexpr ParamRange kBandFreq{20, 20000};     // Hz
inline constexpr ParamRange kBandQ{1, 255};  // tenths; the settings store keeps q/10 in a byte
}  // namespace ranges

}  // namespace quavelo
