#include "device/DeviceCommands.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/CommandRig.h"

namespace quavelo {
namespace {

using namespace test;

class TorvaSeriesTest : public testing::TestWithParam<SeriesCase> {};

TEST_P(TorvaSeriesTest, WritesItsSeriesBackToBack) {
    CommandRig rig;
    EXPECT_TRUE(GetParam().command(rig.commands));
    EXPECT_EQ(rig.trace.Events(), GetParam().trace);
    EXPECT_TRUE(rig.log.Lines().empty()) << "TORVA commands log nothing";
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

const std::vector<std::string> kHighPassOff = Load(0x000B, {0x00800000, 0, 0, 0, 0});
const std::vector<std::string> kHighPass75 =
    Load(0x000B, {0x007F1D47, 0xFF01C572, 0x007F1D47, 0x00FE38FD, 0xFF81C3E0});
const std::vector<std::string> kHighPass150 =
    Load(0x000B, {0x007E3C20, 0xFF0387C0, 0x007E3C20, 0x00FC7205, 0xFF838185});

SeriesCase Case(const char* name, std::function<bool(DeviceCommands&)> command,
                std::vector<std::string> trace) {
    return {name, std::move(command), std::move(trace)};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, TorvaSeriesTest, testing::Values(
    Case("LimiterLevel2", [](auto& c) { return c.SetLimiter(1, 2); },
         Writes(Join({Selectors(2), {kTorvaBlock}}))),
    Case("LimiterLevel3", [](auto& c) { return c.SetLimiter(1, 3); },
         Writes(Join({Selectors(3), {kTorvaBlock}}))),
    Case("LimiterOffIgnoresTheLevel", [](auto& c) { return c.SetLimiter(0, 3); },
         Writes(Join({Selectors(0), {kTorvaBlock}}))),
    Case("LimiterOnAtLevel0SelectsOff", [](auto& c) { return c.SetLimiter(1, 0); },
         Writes(Join({Selectors(0), {kTorvaBlock}}))),
    Case("LimiterLevel4OnlyStores", [](auto& c) { return c.SetLimiter(1, 4); },
         Writes({kTorvaBlock})),
    Case("HighPassOff", [](auto& c) { return c.SetHighPass(0, 2); },
         Writes(Join({kHighPassOff, {kTorvaBlock}}))),
    Case("HighPass75Hz", [](auto& c) { return c.SetHighPass(1, 1); },
         Writes(Join({kHighPass75, {kTorvaBlock}}))),
    Case("HighPass150Hz", [](auto& c) { return c.SetHighPass(1, 2); },
         Writes(Join({kHighPass150, {kTorvaBlock}}))),
    Case("HighPassCorner0OnlyStores", [](auto& c) { return c.SetHighPass(1, 0); },
         Writes({kTorvaBlock})),
    Case("HighPassCorner3OnlyStores", [](auto& c) { return c.SetHighPass(1, 3); },
         Writes({kTorvaBlock})),
    Case("MicGainMin", [](auto& c) { return c.SetMicGain(0); },
         Writes({"FF 70 40 0E 01 00 43", kTorvaBlock})),
    Case("MicGainMax", [](auto& c) { return c.SetMicGain(47); },
         Writes({"FF 70 40 0E 01 00 FF", kTorvaBlock})),
    Case("MicGainMaxPlusOneIsHeld", [](auto& c) { return c.SetMicGain(48); },
         Writes({"FF 70 40 0E 01 00 FF", kTorvaBlock})),
    Case("MicGainNegativeIsHeld", [](auto& c) { return c.SetMicGain(-1); },
         Writes({"FF 70 40 0E 01 00 43", kTorvaBlock})),
    Case("Gain2", [](auto& c) { return c.SetGain2(20); },
         Writes({"FF 70 40 0F 01 00 93", kTorvaBlock})),
    Case("PlaybackCut0", [](auto& c) { return c.SetMonitorPlaybackCut(0); },
         Writes({Param(0x000A, 0x00800000), kTorvaBlock})),
    Case("PlaybackCut40", [](auto& c) { return c.SetMonitorPlaybackCut(40); },
         Writes({Param(0x000A, 0x000CCCCC), kTorvaBlock})),
    Case("PlaybackCut80", [](auto& c) { return c.SetMonitorPlaybackCut(80); },
         Writes({Param(0x000A, 0x00000346), kTorvaBlock})),
    Case("PlaybackCut81IsHeldAt80", [](auto& c) { return c.SetMonitorPlaybackCut(81); },
         Writes({Param(0x000A, 0x00000346), kTorvaBlock})),
    Case("MicCut40", [](auto& c) { return c.SetMonitorMicCut(40); },
         Writes({Param(0x00B1, 0x000CCCCC), kTorvaBlock})),
    Case("MicCutNegativeIsHeldAt0", [](auto& c) { return c.SetMonitorMicCut(-40); },
         Writes({Param(0x00B1, 0x00800000), kTorvaBlock})),
    Case("Mono", [](auto& c) { return c.SetStereo(0); },
         Writes({Param(0x00A8, 0x00800000), Param(0x00AA, 0x00800000), kTorvaBlock})),
    Case("Stereo", [](auto& c) { return c.SetStereo(1); },
         Writes({Param(0x00A8, 0), Param(0x00AA, 0), kTorvaBlock})),
    Case("Stereo2IsStereo", [](auto& c) { return c.SetStereo(2); },
         Writes({Param(0x00A8, 0), Param(0x00AA, 0), kTorvaBlock})),
    Case("GraphBand", [](auto& c) { return c.SetGraphBand(3); },
         Writes(Join({Band3Load(), {kBandBlock3}}))),
    Case("GraphBandFlatPausesAtTheEnd", [](auto& c) { return c.SetGraphBandFlat(3); },
         Join({Writes(Join({Band3FlatLoad(), {kBandBlock3}})), {Paused(20)}})),
    Case("SliderBand", [](auto& c) { return c.SetSliderBand(3); },
         Writes(Join({Band3Load(), {kSliderBlock}}))),
    Case("SliderBandFlat", [](auto& c) { return c.SetSliderBandFlat(3); },
         Writes(Join({Band3FlatLoad(), {kSliderBlock}}))),
    Case("StoreSettings", [](auto& c) { return c.StoreSettings(); },
         Writes({kTorvaBlock}))),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(TorvaCommandsTest, TheBlockIsFormattedFromTheModelAtTheTimeOfTheCall) {
    CommandRig rig;
    rig.params.micGain = 47;
    rig.params.eqMode = 0;
    EXPECT_TRUE(rig.commands.StoreSettings());
    EXPECT_EQ(rig.trace.Events(), Writes({"FF A0 00 00 0A 00  01 01 02 01 02 55 07 2F 01 01"}));
}

TEST(TorvaCommandsTest, ABandOutsideOneToFiveSendsNothing) {
    for (int band : {0, 6, -1, 1000}) {
        CommandRig rig;
        EXPECT_FALSE(rig.commands.SetGraphBand(band)) << band;
        EXPECT_FALSE(rig.commands.SetGraphBandFlat(band)) << band;
        EXPECT_FALSE(rig.commands.SetSliderBand(band)) << band;
        EXPECT_FALSE(rig.commands.SetSliderBandFlat(band)) << band;
        EXPECT_FALSE(rig.commands.SetGraphBandKd4(band)) << band;
        EXPECT_FALSE(rig.commands.SetSliderBandFlatKd4(band)) << band;
        EXPECT_EQ(rig.link.WriteAttempts(), 0) << band;
        EXPECT_TRUE(rig.sleeper.Pauses().empty()) << band;
    }
}

TEST(TorvaCommandsTest, EveryBandLoadsItsOwnFilterAndBlock) {
    for (int band = 1; band <= kEqBands; ++band) {
        CommandRig rig;
        ASSERT_TRUE(rig.commands.SetGraphBand(band));
        ASSERT_TRUE(rig.commands.SetSliderBand(band));
        const auto written = rig.link.Written();
        ASSERT_EQ(written.size(), 16u);
        const std::uint8_t filter = static_cast<std::uint8_t>(0x10 + 5 * (band - 1));
        EXPECT_EQ(written[5][9], filter) << "graph band " << band;
        EXPECT_EQ(written[7][3], 0x10 + 8 * (band - 1)) << "band block of band " << band;
        EXPECT_EQ(written[13][9], filter) << "slider band " << band;
        EXPECT_EQ(written[15][3], 0x40);
    }
}

}  // namespace
}  // namespace quavelo
