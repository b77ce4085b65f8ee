#include "link/TrafficLog.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace quavelo {
namespace {

TEST(TrafficLogTest, OneFilePerLocalDayAndOneLinePerMessage) {
    test::TempDir dir;
    const LocalTime times[] = {
        {2026, 12, 31, 9, 5, 2, 41}, {2026, 12, 31, 23, 59, 59, 7}, {2027, 1, 1, 0, 0, 0, 0}};
    int next = 0;
    TrafficLog log(dir.Path(), [&] { return times[next++]; });
    for (const char* message : {"recdata:FF A0 00 28 ", "Csend error", ""})
        log.WriteLogLine(message);
    EXPECT_EQ(test::ReadFile(dir.Path() / "Log_2026-12-31.txt"),
              "1:recdata:FF A0 00 28              2026-12-31 09:05:02:41\n"
              "1:Csend error             2026-12-31 23:59:59:7\n");
    EXPECT_EQ(test::ReadFile(dir.Path() / "Log_2027-01-01.txt"),
              "1:             2027-01-01 00:00:00:0\n");
}

}  // namespace
}  // namespace quavelo
