#pragma once

#include <array>
#include <optional>

#include "device/DeviceParams.h"
#include "device/Report.h"

namespace quavelo {

// The processor-memory halves of the commands, shared by both models' command sets: pure
// builders of the reports, without the link, the pauses or the settings-store write that follows.

// The eight limiter selector writes, to 0x0034..0x0037 then 0x00A1..0x00A4: 1.0 to the selector
// of s = (on ? level : 0) in each group and 0 to the others. nullopt when s is not 0..3.
std::optional<std::array<Report, 8>> LimiterSelectors(int on, int level) noexcept;

// The staged load of the fixed high-pass set to 0x000B; nullopt when the filter is on with a
// corner other than 1 or 2.
std::optional<std::array<Report, 7>> HighPassLoad(int on, int corner) noexcept;

// The mono cross-feed gains to 0x00A8 and 0x00AA: 1.0 each for mono (stereo 0), 0 otherwise.
std::array<Report, 2> StereoFeeds(int stereo) noexcept;

// The staged load of band `band` (1..5, held inside) of `set` into equaliser filter `band`,
// with its own frequency, q and gain, or at 0 dB when `flat`.
std::array<Report, 7> BandLoad(const DeviceParams& params, BandSet set, int band,
                               bool flat) noexcept;

}  // namespace quavelo
