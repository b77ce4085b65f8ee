#include <gtest/gtest.h>

#include "cli/CliRig.h"
#include "device/ParamRange.h"

namespace quavelo {
namespace {

using test::CliRig;

TEST(CliUsageTest, VersionAndHelp) {
    CliRig rig;
    const auto version = rig.Run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_NE(version.out.find("quavelo-cli 1.2.0"), std::string::npos);

    const auto help = rig.Run({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* word : {"--model", "--simulate", "--sim-state", "--trace", "--data-dir",
                             "--json", "dump", "set", "band", "preset", "levels", "curve"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    const auto setHelp = rig.Run({"set", "--help"});
    EXPECT_EQ(setHelp.code, 0);
    EXPECT_NE(setHelp.out.find("monitor-playback-cut"), std::string::npos);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;  // a part of what stderr says
};

void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }

class CliUsageErrorTest : public testing::TestWithParam<UsageCase> {};

// A usage error exits with 2, says what is allowed, and never touches the device.
TEST_P(CliUsageErrorTest, RefusedBeforeAnythingIsSent) {
    CliRig rig;
    SimulatedDevice& torva = rig.attached.AddDevice(kModelTorva);
    SimulatedDevice& kd4 = rig.attached.AddDevice(kModelKd4);
    const auto result = rig.Run(GetParam().args);
    EXPECT_EQ(result.code, 2) << result.err;
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
    EXPECT_TRUE(torva.TakeReceived().empty());
    EXPECT_TRUE(kd4.TakeReceived().empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Arguments, CliUsageErrorTest, testing::Values(
    UsageCase{"UnknownCommand", {"frobnicate"}, "unknown command \"frobnicate\""},
    UsageCase{"UnknownOption", {"--louder", "dump"}, "--louder"},
    UsageCase{"NoCommand", {}, "a command is required"},
    UsageCase{"UnknownModel", {"--model", "x130", "dump"}, "x130"},
    UsageCase{"MicGainAboveRange", {"set", "mic-gain", "48"}, "mic-gain takes 0..47"},
    UsageCase{"MicGainBelowRange", {"set", "mic-gain", "-1"}, "0..47"},
    UsageCase{"MicGainNotANumber", {"set", "mic-gain", "ten"}, "0..47"},
    UsageCase{"MicGainTrailingText", {"set", "mic-gain", "12dB"}, "0..47"},
    UsageCase{"Gain2OfTorva", {"set", "gain2", "48"}, "gain2 takes 0..47"},
    UsageCase{"Gain2OfKd4", {"--model", "kd4", "set", "gain2", "81"}, "gain2 takes 0..80"},
    UsageCase{"LimiterLevel", {"set", "limiter-level", "4"}, "1..3"},
    UsageCase{"HighPassFreq", {"set", "highpass-freq", "0"}, "1..2"},
    UsageCase{"MonitorCut", {"set", "monitor-mic-cut", "81"}, "0..80"},
    UsageCase{"Switch", {"set", "limiter", "maybe"}, "on or off"},
    UsageCase{"EqMode", {"set", "eq-mode", "peq"}, "slider or graph"},
    UsageCase{"StereoOnKd4", {"--model", "kd4", "set", "stereo", "on"}, "TORVA only"},
    UsageCase{"LockOnTorva", {"set", "lock", "on"}, "KD4 only"},
    UsageCase{"UnknownSetting", {"set", "volume", "3"}, "unknown setting"},
    UsageCase{"MissingValue", {"set", "mic-gain"}, "VALUE"},
    UsageCase{"ExtraArgument", {"set", "mic-gain", "3", "4"}, "unexpected argument \"4\""},
    UsageCase{"ExtraCommand", {"dump", "curve"}, "unexpected argument"},
    UsageCase{"BandNumber", {"band", "graph", "6"}, "1..5"},
    UsageCase{"BandSet", {"band", "bass", "1"}, "graph or slider"},
    UsageCase{"SliderFrequency", {"band", "slider", "1", "--freq", "500"}, "graph bands only"},
    UsageCase{"BandGain", {"band", "graph", "1", "--gain", "15.5"}, "-15..15"},
    UsageCase{"BandFrequency", {"band", "graph", "1", "--freq", "19"}, "20..20000"},
    UsageCase{"PresetSlot", {"preset", "show", "11"}, "11"},
    UsageCase{"SimStateWithoutSimulate", {"--sim-state", "x", "dump"}, "--simulate"},
    UsageCase{"PushOnKd4", {"--model", "kd4", "push"}, "TORVA command"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CliUsageTest, NoDeviceAttached) {
    CliRig rig;
    const auto result = rig.Run({"dump"});
    EXPECT_EQ(result.code, 3);
    EXPECT_NE(result.err.find("no TORVA device found"), std::string::npos) << result.err;
    const auto list = rig.Run({"list"});
    EXPECT_EQ(list.code, 3);
    EXPECT_EQ(list.out, "");
}

TEST(CliUsageTest, TheOtherModelIsNotOpened) {
    CliRig rig;
    rig.attached.AddDevice(kModelKd4);
    EXPECT_EQ(rig.Run({"dump"}).code, 3) << "a KD4 is not a TORVA";
    EXPECT_EQ(rig.Run({"--model", "kd4", "dump"}).code, 0);
}

}  // namespace
}  // namespace quavelo
