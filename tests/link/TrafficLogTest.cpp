#include "link/TrafficLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "support/TempDir.h"

namespace quavelo {
namespace {

using test::ReadFile;
using test::TempDir;

struct LineCase {
    const char* name;
    const char* message;
    LocalTime time;
    const char* line;
};

class FormatLogLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(FormatLogLineTest, DigitMessageThirteenBlanksStamp) {
    EXPECT_EQ(FormatLogLine(GetParam().message, GetParam().time), GetParam().line);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, FormatLogLineTest, testing::Values(
    LineCase{"Received", "recdata:FF A0 00 28 04 01 0F A0 14 00 00 00 00 00 00 00 ",
             {2026, 3, 7, 9, 5, 2, 41},
             "1:recdata:FF A0 00 28 04 01 0F A0 14 00 00 00 00 00 00 00              "
             "2026-03-07 09:05:02:41\n"},
    LineCase{"MillisecondsUnpadded", "Csend error", {2026, 3, 7, 9, 5, 2, 7},
             "1:Csend error             2026-03-07 09:05:02:7\n"},
    LineCase{"ZeroMilliseconds", "x", {2026, 12, 31, 0, 0, 0, 0},
             "1:x             2026-12-31 00:00:00:0\n"},
    LineCase{"LastMillisecond", "x", {2026, 12, 31, 23, 59, 59, 999},
             "1:x             2026-12-31 23:59:59:999\n"},
    LineCase{"EmptyMessage", "", {2027, 1, 1, 1, 2, 3, 40},
             "1:             2027-01-01 01:02:03:40\n"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(LogFileNameTest, OneFilePerDayWithPaddedMonthAndDay) {
    EXPECT_EQ(LogFileName({2026, 3, 7, 9, 5, 2, 41}), "Log_2026-03-07.txt");
    EXPECT_EQ(LogFileName({2026, 12, 31, 23, 59, 59, 999}), "Log_2026-12-31.txt");
}

// Hands out the given times in order, then the last one again.
class ScriptedClock {
  public:
    explicit ScriptedClock(std::vector<LocalTime> times) : times_(std::move(times)) {}
    LocalTime operator()() {
        const LocalTime t = times_[std::min(next_, times_.size() - 1)];
        ++next_;
        return t;
    }

  private:
    std::vector<LocalTime> times_;
    std::size_t next_ = 0;
};

TEST(TrafficLogTest, FirstLineCreatesTheFileLaterLinesAppend) {
    TempDir dir;
    TrafficLog log(dir.Path(), [] { return LocalTime{2026, 3, 7, 9, 5, 2, 41}; });
    log.WriteLogLine("send:FF ");
    EXPECT_EQ(ReadFile(dir.Path() / "Log_2026-03-07.txt"),
              "1:send:FF              2026-03-07 09:05:02:41\n");
    log.WriteLogLine("Csend error");
    EXPECT_EQ(ReadFile(dir.Path() / "Log_2026-03-07.txt"),
              "1:send:FF              2026-03-07 09:05:02:41\n"
              "1:Csend error             2026-03-07 09:05:02:41\n");
}

TEST(TrafficLogTest, ALineAfterMidnightGoesToTheNextDaysFile) {
    TempDir dir;
    TrafficLog log(dir.Path(),
                   ScriptedClock({{2026, 12, 31, 23, 59, 59, 999}, {2027, 1, 1, 0, 0, 0, 0}}));
    log.WriteLogLine("before");
    log.WriteLogLine("after");
    EXPECT_EQ(ReadFile(dir.Path() / "Log_2026-12-31.txt"),
              "1:before             2026-12-31 23:59:59:999\n");
    EXPECT_EQ(ReadFile(dir.Path() / "Log_2027-01-01.txt"),
              "1:after             2027-01-01 00:00:00:0\n");
}

TEST(TrafficLogTest, AnUnwritableDirectoryDropsTheLineSilently) {
    TempDir dir;
    const auto missing = dir.Path() / "no-such-folder";
    TrafficLog log(missing, [] { return LocalTime{2026, 3, 7, 9, 5, 2, 41}; });
    log.WriteLogLine("lost");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(TrafficLogTest, ConcurrentWritersLoseAndTearNoLine) {
    TempDir dir;
    TrafficLog log(dir.Path(), [] { return LocalTime{2026, 3, 7, 9, 5, 2, 41}; });
    constexpr int kThreads = 6;
    constexpr int kLines = 150;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&log, t] {
            for (int i = 0; i < kLines; ++i) {
                log.WriteLogLine("writer " + std::to_string(t) + " line " + std::to_string(i));
            }
        });
    }
    for (auto& w : writers) w.join();

    std::istringstream file(ReadFile(dir.Path() / "Log_2026-03-07.txt"));
    std::set<std::string> seen;
    std::string line;
    int count = 0;
    while (std::getline(file, line)) {
        ++count;
        const std::string tail = "             2026-03-07 09:05:02:41";
        ASSERT_TRUE(line.starts_with("1:writer ")) << line;
        ASSERT_TRUE(line.ends_with(tail)) << line;
        seen.insert(line.substr(2, line.size() - 2 - tail.size()));
    }
    EXPECT_EQ(count, kThreads * kLines);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kLines)) << "every line once";
}

}  // namespace
}  // namespace quavelo
