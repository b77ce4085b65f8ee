#include <gtest/gtest.h>

#include <functional>

#include "device/CommandRig.h"
#include "device/DeviceCommands.h"

namespace quavelo {
namespace {

using namespace test;

class Kd4SeriesTest : public testing::TestWithParam<SeriesCase> {};

TEST_P(Kd4SeriesTest, PausesAfterEveryReportAfterItsLogLine) {
    CommandRig rig;
    EXPECT_TRUE(GetParam().command(rig.commands));
    EXPECT_EQ(rig.trace.Events(), GetParam().trace);
}

std::vector<std::string> Selectors(int selected) {
    std::vector<std::string> reports;
    for (std::uint16_t group : {0x0034, 0x00A1}) {
        for (int i = 0; i < 4; ++i) {
            reports.push_back(Param(group + i, i == selected ? 0x00800000 : 0));
        }
    }
    return reports;
}

const std::vector<std::string> kHighPass75 =
    Load(0x000B, {0x007F1D47, 0xFF01C572, 0x007F1D47, 0x00FE38FD, 0xFF81C3E0});

std::vector<std::string> Requests() {
    return {"FF A0 00 00 0A 01", "FF A0 00 40 09 01", "FF A0 00 10 04 01", "FF A0 00 18 04 01",
            "FF A0 00 20 04 01", "FF A0 00 28 04 01", "FF A0 00 30 04 01"};
}

std::vector<std::string> RequestTrace() {
    std::vector<std::string> events;
    for (const auto& r : Requests()) {
        events.push_back(Wrote(r));
        if (r == "FF A0 00 28 04 01") events.push_back(Logged("send:" + PaddedHex(r) + " "));
        events.push_back(Paused(80));
    }
    return events;
}

SeriesCase Case(const char* name, std::function<bool(DeviceCommands&)> command,
                std::vector<std::string> trace) {
    return {name, std::move(command), std::move(trace)};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, Kd4SeriesTest, testing::Values(
    Case("LimiterKeepsTheTorvaLayoutTwice", [](auto& c) { return c.SetLimiterKd4(1, 2); },
         Paced(Join({Selectors(2), {kTorvaBlock, kTorvaBlock}}), 50)),
    Case("LimiterLevel5OnlyStores", [](auto& c) { return c.SetLimiterKd4(1, 5); },
         Paced({kTorvaBlock, kTorvaBlock}, 50)),
    Case("HighPassKeepsTheTorvaLayoutTwice", [](auto& c) { return c.SetHighPassKd4(1, 1); },
         Paced(Join({kHighPass75, {kTorvaBlock, kTorvaBlock}}), 50)),
    Case("HighPassCorner0OnlyStores", [](auto& c) { return c.SetHighPassKd4(1, 0); },
         Paced({kTorvaBlock, kTorvaBlock}, 50)),
    Case("MicGain20BothChannels", [](auto& c) { return c.SetMicGainKd4(20); },
         Paced({"FF 70 40 0E 01 00 93", "FF 70 40 0F 01 00 93", kKd4Block, kKd4Block}, 45,
               true)),
    Case("MicGain48IsHeld", [](auto& c) { return c.SetMicGainKd4(48); },
         Paced({"FF 70 40 0E 01 00 FF", "FF 70 40 0F 01 00 FF", kKd4Block, kKd4Block}, 45,
               true)),
    Case("Gain2At80IsUnity", [](auto& c) { return c.SetGain2Kd4(80); },
         Paced({Param(0x00B7, 0x00800000), kSliderBlockKd4, kSliderBlockKd4}, 50, true)),
    Case("Gain2At0IsMinus64dB", [](auto& c) { return c.SetGain2Kd4(0); },
         Paced({Param(0x00B7, 0x000014AC), kSliderBlockKd4, kSliderBlockKd4}, 50, true)),
    Case("Gain2At81IsHeldAt80", [](auto& c) { return c.SetGain2Kd4(81); },
         Paced({Param(0x00B7, 0x00800000), kSliderBlockKd4, kSliderBlockKd4}, 50, true)),
    Case("PlaybackCut80IsMinus64dB", [](auto& c) { return c.SetMonitorPlaybackCutKd4(80); },
         Paced({Param(0x000A, 0x000014AC), kKd4Block, kKd4Block}, 50)),
    Case("PlaybackCut0", [](auto& c) { return c.SetMonitorPlaybackCutKd4(0); },
         Paced({Param(0x000A, 0x00800000), kKd4Block, kKd4Block}, 50)),
    Case("MicCut80", [](auto& c) { return c.SetMonitorMicCutKd4(80); },
         Paced({Param(0x00B1, 0x000014AC), kKd4Block, kKd4Block}, 50)),
    Case("MicCut81IsHeldAt80", [](auto& c) { return c.SetMonitorMicCutKd4(81); },
         Paced({Param(0x00B1, 0x000014AC), kKd4Block, kKd4Block}, 50)),
    Case("GraphBand", [](auto& c) { return c.SetGraphBandKd4(3); },
         Paced(Join({Band3Load(), {kBandBlock3}}), 50)),
    Case("GraphBandFlatHasNoExtraPause", [](auto& c) { return c.SetGraphBandFlatKd4(3); },
         Paced(Join({Band3FlatLoad(), {kBandBlock3}}), 50)),
    Case("SliderBand", [](auto& c) { return c.SetSliderBandKd4(3); },
         Paced(Join({Band3Load(), {kSliderBlockKd4}}), 50)),
    Case("SliderBandFlat", [](auto& c) { return c.SetSliderBandFlatKd4(3); },
         Paced(Join({Band3FlatLoad(), {kSliderBlockKd4}}), 50)),
    Case("StoreSettings", [](auto& c) { return c.StoreSettingsKd4(); },
         Paced({kKd4Block, kSliderBlockKd4}, 100, true)),
    Case("RequestLevel", [](auto& c) { return c.RequestLevelKd4(); },
         Paced({"FF 70 00 AE 04 01"}, 50)),
    Case("RequestAllSettingsLogsTheBand4Request", [](auto& c) {
             return c.RequestAllSettingsKd4(); },
         RequestTrace())),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Kd4CommandsTest, OnlyLimiterAndHighPassPutStereoAndGain2IntoTheBlock) {
    CommandRig rig;
    rig.params.stereo = 1;
    rig.params.gain2 = 0x33;
    const auto block = [&rig] {
        const auto written = rig.link.Written();
        const Report& last = written.back();
        return std::pair<int, int>{last[6], last[12]};
    };
    const std::pair<int, int> torvaLayout{0x01, 0x33};
    const std::pair<int, int> kd4Layout{0x00, 0xAA};

    ASSERT_TRUE(rig.commands.SetLimiterKd4(1, 1));
    EXPECT_EQ(block(), torvaLayout);
    ASSERT_TRUE(rig.commands.SetHighPassKd4(1, 2));
    EXPECT_EQ(block(), torvaLayout);
    ASSERT_TRUE(rig.commands.SetMicGainKd4(3));
    EXPECT_EQ(block(), kd4Layout);
    ASSERT_TRUE(rig.commands.SetMonitorMicCutKd4(3));
    EXPECT_EQ(block(), kd4Layout);
    ASSERT_TRUE(rig.commands.SetMonitorPlaybackCutKd4(3));
    EXPECT_EQ(block(), kd4Layout);
}

TEST(Kd4CommandsTest, ABandChangeTakes400msALimiterChange500ms) {
    CommandRig band;
    ASSERT_TRUE(band.commands.SetGraphBandKd4(1));
    EXPECT_EQ(band.sleeper.Total(), std::chrono::milliseconds(400));
    CommandRig limiter;
    ASSERT_TRUE(limiter.commands.SetLimiterKd4(1, 1));
    EXPECT_EQ(limiter.sleeper.Total(), std::chrono::milliseconds(500));
}

TEST(Kd4CommandsTest, AFailedFirstStoreLogsCsendErrorAndSendsNothingElse) {
    CommandRig rig;
    rig.link.FailWrite(1);
    EXPECT_FALSE(rig.commands.StoreSettingsKd4());
    EXPECT_EQ(rig.trace.Events(),
              (std::vector<std::string>{WriteFailed(kKd4Block), Logged("Csend error")}));
}

TEST(Kd4CommandsTest, AFailedRequestIsNotLogged) {
    CommandRig rig;
    rig.link.FailWrite(6);
    EXPECT_FALSE(rig.commands.RequestAllSettingsKd4());
    EXPECT_TRUE(rig.log.Lines().empty());
    EXPECT_EQ(rig.link.Written().size(), 5u);
}

}  // namespace
}  // namespace quavelo
