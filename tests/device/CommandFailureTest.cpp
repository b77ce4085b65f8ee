#include <gtest/gtest.h>

#include <functional>

#include "device/CommandRig.h"
#include "device/DeviceCommands.h"

namespace quavelo {
namespace {

using namespace test;

struct Command {
    const char* name;
    std::function<bool(DeviceCommands&)> run;
    bool logged;  // logs "Csend:" / "Csend error"
};

// clang-format off
const Command kCommands[] = {
    {"SetLimiter", [](auto& c) { return c.SetLimiter(1, 2); }, false},
    {"SetHighPass", [](auto& c) { return c.SetHighPass(1, 1); }, false},
    {"SetMicGain", [](auto& c) { return c.SetMicGain(7); }, false},
    {"SetGain2", [](auto& c) { return c.SetGain2(7); }, false},
    {"SetMonitorPlaybackCut", [](auto& c) { return c.SetMonitorPlaybackCut(7); }, false},
    {"SetMonitorMicCut", [](auto& c) { return c.SetMonitorMicCut(7); }, false},
    {"SetStereo", [](auto& c) { return c.SetStereo(0); }, false},
    {"SetGraphBand", [](auto& c) { return c.SetGraphBand(2); }, false},
    {"SetGraphBandFlat", [](auto& c) { return c.SetGraphBandFlat(2); }, false},
    {"SetSliderBand", [](auto& c) { return c.SetSliderBand(2); }, false},
    {"SetSliderBandFlat", [](auto& c) { return c.SetSliderBandFlat(2); }, false},
    {"StoreSettings", [](auto& c) { return c.StoreSettings(); }, false},
    {"SetLimiterKd4", [](auto& c) { return c.SetLimiterKd4(1, 2); }, false},
    {"SetHighPassKd4", [](auto& c) { return c.SetHighPassKd4(1, 1); }, false},
    {"SetMicGainKd4", [](auto& c) { return c.SetMicGainKd4(7); }, true},
    {"SetGain2Kd4", [](auto& c) { return c.SetGain2Kd4(7); }, true},
    {"SetMonitorPlaybackCutKd4", [](auto& c) { return c.SetMonitorPlaybackCutKd4(7); }, false},
    {"SetMonitorMicCutKd4", [](auto& c) { return c.SetMonitorMicCutKd4(7); }, false},
    {"SetGraphBandKd4", [](auto& c) { return c.SetGraphBandKd4(2); }, false},
    {"SetGraphBandFlatKd4", [](auto& c) { return c.SetGraphBandFlatKd4(2); }, false},
    {"SetSliderBandKd4", [](auto& c) { return c.SetSliderBandKd4(2); }, false},
    {"SetSliderBandFlatKd4", [](auto& c) { return c.SetSliderBandFlatKd4(2); }, false},
    {"StoreSettingsKd4", [](auto& c) { return c.StoreSettingsKd4(); }, true},
    {"RequestLevelKd4", [](auto& c) { return c.RequestLevelKd4(); }, false},
    {"RequestAllSettingsKd4", [](auto& c) { return c.RequestAllSettingsKd4(); }, false},
};
// clang-format on

void PrintTo(const Command& c, std::ostream* out) { *out << c.name; }

class CommandFailureTest : public testing::TestWithParam<Command> {};

// For every write of the series in turn: the command stops at that write, returns false, and
// the trace is the successful run's trace up to that write, the failed write, and (for logged
// commands) "Csend error" — no pause and no further report.
TEST_P(CommandFailureTest, StopsAtTheFirstFailedWrite) {
    CommandRig reference;
    ASSERT_TRUE(GetParam().run(reference.commands));
    const std::vector<std::string> full = reference.trace.Events();
    const int writes = reference.link.WriteAttempts();
    ASSERT_GT(writes, 0);

    for (int failing = 1; failing <= writes; ++failing) {
        CommandRig rig;
        rig.link.FailWrite(failing);
        EXPECT_FALSE(GetParam().run(rig.commands)) << "write " << failing;
        EXPECT_EQ(rig.link.WriteAttempts(), failing);
        EXPECT_EQ(rig.link.Written().size(), static_cast<std::size_t>(failing - 1));

        std::vector<std::string> expected;
        int seen = 0;
        for (const std::string& event : full) {
            if (event.starts_with("W ") && ++seen == failing) {
                expected.push_back("X" + event.substr(1));
                break;
            }
            expected.push_back(event);
        }
        if (GetParam().logged) expected.push_back(Logged("Csend error"));
        EXPECT_EQ(rig.trace.Events(), expected) << "write " << failing;
    }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandFailureTest, testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandFailureTest, ALimiterWhoseThirdWriteFailsHasSentTwoReports) {
    CommandRig rig;
    rig.link.FailWrite(3);
    EXPECT_FALSE(rig.commands.SetLimiter(1, 2));
    EXPECT_EQ(rig.link.Written().size(), 2u);
}

}  // namespace
}  // namespace quavelo
