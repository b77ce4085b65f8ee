#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quavelo {

// Every report on the wire is 16 bytes (output reports exactly; the first 16 bytes of an input
// report are what the receivers look at).
inline constexpr std::size_t kHidReportSize = 16;
using HidReport = std::array<std::uint8_t, kHidReportSize>;

// What the command sets need of the device link: write one output report, and read one input
// report on request. HidControl implements it over a real or simulated device; tests implement it
// to record and script the traffic.
class ReportLink {
  public:
    virtual ~ReportLink() = default;

    // Writes one 16-byte output report. True when the write completed within the link's time
    // limit (100 ms); false when the link is closed or the device did not take the report.
    virtual bool WriteReport16(const HidReport& report) = 0;

    // Waits for one input report, for a bounded time, and stores its first 16 bytes in `dest`
    // and its length in `length`. False when the link is closed or no report came in time.
    virtual bool ReadReport(HidReport& dest, std::uint8_t& length) = 0;
};

}  // namespace quavelo
