#include "sim/WireTrace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "device/Report.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;

const Report kMicGain = *ParseHexReport("FF 70 40 0E 01 00 43");

TEST(WireTraceTest, LineShowsTimeDirectionBytesAndFailure) {
    struct Case {
        std::chrono::nanoseconds time;
        WireDirection direction;
        std::vector<std::uint8_t> report;
        bool failed;
        const char* line;
    };
    const std::vector<std::uint8_t> report(kMicGain.begin(), kMicGain.end());
    std::vector<std::uint8_t> longer(20, 0xAB);
    // clang-format off
    const Case cases[] = {
        {12345us,    WireDirection::kWrite, report, false,
         "12.345 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00"},
        {12345us,    WireDirection::kWrite, report, true,
         "12.345 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00 FAIL"},
        {0ns,        WireDirection::kRead,  {0xFF, 0xA0}, false,
         "0.000 R FF A0 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {1999999ns,  WireDirection::kRead,  longer, false,
         "1.999 R AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB"},
        {3600s,      WireDirection::kRead,  {}, false,
         "3600000.000 R 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {-5ms,       WireDirection::kWrite, report, false,
         "0.000 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00"},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(FormatWireTraceLine(c.time, c.direction, c.report, c.failed), c.line);
    }
}

// A clock that moves on by `step` each time it is read.
WireTrace::Clock TickingClock(std::chrono::nanoseconds step) {
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    return [now, step] { return *now += step; };
}

TEST(WireTraceTest, TimesCountFromTheLatestOpening) {
    std::ostringstream out;
    WireTrace trace(out, TickingClock(1500us));
    trace.Record(WireDirection::kWrite, kMicGain);
    trace.MarkOpen();
    trace.Record(WireDirection::kWrite, kMicGain, true);
    trace.Record(WireDirection::kRead, kMicGain);
    EXPECT_EQ(out.str(),
              "1.500 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00\n"
              "1.500 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00 FAIL\n"
              "3.000 R FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00\n");
}

TEST(WireTraceTest, FileTraceAppendsToWhatIsThere) {
    test::TempDir dir;
    const auto path = dir.Path() / "wire.txt";
    { std::ofstream(path) << "earlier run\n"; }
    std::string error;
    auto trace = WireTrace::AppendToFile(path, error, TickingClock(1ms));
    ASSERT_TRUE(trace) << error;
    trace->Record(WireDirection::kWrite, kMicGain);
    EXPECT_EQ(test::ReadFile(path),
              "earlier run\n1.000 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00\n")
        << "each line reaches the file at once";

    EXPECT_FALSE(WireTrace::AppendToFile(dir.Path() / "absent" / "wire.txt", error));
    EXPECT_NE(error.find("absent/wire.txt"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

}  // namespace
}  // namespace quavelo
