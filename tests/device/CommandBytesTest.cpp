#include <gtest/gtest.h>

#include <functional>

#include "device/CommandRig.h"

namespace quavelo {
namespace {

using namespace test;

// What each command puts on the wire for the rig's model, with its pauses and log lines.
struct Row {
    const char* call;
    std::function<bool(DeviceCommands&)> run;
    Reports trace;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.call; }

class CommandBytesTest : public testing::TestWithParam<Row> {};

TEST_P(CommandBytesTest, WritesItsSeriesWithItsPausesAndLogLines) {
    CommandRig rig;
    EXPECT_TRUE(GetParam().run(rig.commands));
    EXPECT_EQ(rig.trace.Events(), GetParam().trace);
}

// The eight limiter selectors with `selected` (0 = off) set to 1.0 in both groups.
Reports Selectors(int selected) {
    Reports reports;
    for (int group : {0x34, 0xA1}) {
        for (int i = 0; i < 4; ++i)
            reports.push_back(Param(group + i, i == selected ? 1 << 23 : 0));
    }
    return reports;
}

const Reports kHighPassOff = Load(0x0B, {0x00800000, 0, 0, 0, 0});
const Reports kHighPass75 =
    Load(0x0B, {0x007F1D47, 0xFF01C572, 0x007F1D47, 0x00FE38FD, 0xFF81C3E0});
const Reports kHighPass150 =
    Load(0x0B, {0x007E3C20, 0xFF0387C0, 0x007E3C20, 0x00FC7205, 0xFF838185});
const Reports kKd4Blocks = {kKd4Block, kKd4Block};
const Reports kKd4SliderBlocks = {kSliderBlockKd4, kSliderBlockKd4};

// clang-format off
#define CALL(call, ...) Row{#call, [](DeviceCommands& c) { return c.call; }, __VA_ARGS__}

INSTANTIATE_TEST_SUITE_P(Torva, CommandBytesTest, testing::Values(
    CALL(SetLimiter(1, 2), Paced(Join({Selectors(2), {kTorvaBlock}}))),
    CALL(SetLimiter(1, 3), Paced(Join({Selectors(3), {kTorvaBlock}}))),
    CALL(SetLimiter(0, 3), Paced(Join({Selectors(0), {kTorvaBlock}}))),   // off whatever the level
    CALL(SetLimiter(1, 0), Paced(Join({Selectors(0), {kTorvaBlock}}))),   // level 0 selects off
    CALL(SetLimiter(1, 4), Paced({kTorvaBlock})),
    CALL(SetHighPass(0, 2), Paced(Join({kHighPassOff, {kTorvaBlock}}))),
    CALL(SetHighPass(1, 1), Paced(Join({kHighPass75, {kTorvaBlock}}))),
    CALL(SetHighPass(1, 2), Paced(Join({kHighPass150, {kTorvaBlock}}))),
    CALL(SetHighPass(1, 0), Paced({kTorvaBlock})),
    CALL(SetHighPass(1, 3), Paced({kTorvaBlock})),
    CALL(SetMicGain(0), Paced({"FF 70 40 0E 01 00 43", kTorvaBlock})),
    CALL(SetMicGain(47), Paced({"FF 70 40 0E 01 00 FF", kTorvaBlock})),
    CALL(SetMicGain(48), Paced({"FF 70 40 0E 01 00 FF", kTorvaBlock})),
    CALL(SetGain2(20), Paced({"FF 70 40 0F 01 00 93", kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(0), Paced({Param(0x0A, 0x00800000), kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(40), Paced({Param(0x0A, 0x000CCCCC), kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(80), Paced({Param(0x0A, 0x00000346), kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(81), Paced({Param(0x0A, 0x00000346), kTorvaBlock})),
    CALL(SetMonitorMicCut(40), Paced({Param(0xB1, 0x000CCCCC), kTorvaBlock})),
    CALL(SetStereo(0), Paced({Param(0xA8, 0x00800000), Param(0xAA, 0x00800000), kTorvaBlock})),
    CALL(SetStereo(1), Paced({Param(0xA8, 0), Param(0xAA, 0), kTorvaBlock})),
    CALL(SetStereo(2), Paced({Param(0xA8, 0), Param(0xAA, 0), kTorvaBlock})),
    CALL(SetGraphBand(3), Paced(Join({kBand3, {kBandBlock3}}))),
    CALL(SetGraphBandFlat(3), Join({Paced(Join({kBand3Flat, {kBandBlock3}})), {Paused(20)}})),
    CALL(SetSliderBand(3), Paced(Join({kBand3, {kSliderBlock}}))),
    CALL(SetSliderBandFlat(3), Paced(Join({kBand3Flat, {kSliderBlock}}))),
    CALL(StoreSettings(), Paced({kTorvaBlock}))));

// The limiter and high-pass keep the TORVA block layout (stereo and gain2 in bytes 6 and 12).
INSTANTIATE_TEST_SUITE_P(Kd4, CommandBytesTest, testing::Values(
    CALL(SetLimiterKd4(1, 2), Paced(Join({Selectors(2), {kTorvaBlock, kTorvaBlock}}), 50)),
    CALL(SetHighPassKd4(1, 1), Paced(Join({kHighPass75, {kTorvaBlock, kTorvaBlock}}), 50)),
    CALL(SetHighPassKd4(1, 0), Paced({kTorvaBlock, kTorvaBlock}, 50)),
    CALL(SetMicGainKd4(20), Paced(Join({{"FF 70 40 0E 01 00 93", "FF 70 40 0F 01 00 93"},
                                        kKd4Blocks}), 45, "Csend:")),
    CALL(SetGain2Kd4(0), Paced(Join({{Param(0xB7, 0x000014AC)}, kKd4SliderBlocks}), 50, "Csend:")),
    CALL(SetGain2Kd4(80), Paced(Join({{Param(0xB7, 0x00800000)}, kKd4SliderBlocks}), 50, "Csend:")),
    CALL(SetGain2Kd4(81), Paced(Join({{Param(0xB7, 0x00800000)}, kKd4SliderBlocks}), 50, "Csend:")),
    CALL(SetMonitorPlaybackCutKd4(0), Paced(Join({{Param(0x0A, 0x00800000)}, kKd4Blocks}), 50)),
    CALL(SetMonitorPlaybackCutKd4(80), Paced(Join({{Param(0x0A, 0x000014AC)}, kKd4Blocks}), 50)),
    CALL(SetMonitorMicCutKd4(80), Paced(Join({{Param(0xB1, 0x000014AC)}, kKd4Blocks}), 50)),
    CALL(SetGraphBandKd4(3), Paced(Join({kBand3, {kBandBlock3}}), 50)),
    CALL(SetGraphBandFlatKd4(3), Paced(Join({kBand3Flat, {kBandBlock3}}), 50)),
    CALL(SetSliderBandKd4(3), Paced(Join({kBand3, {kSliderBlockKd4}}), 50)),
    CALL(SetSliderBandFlatKd4(3), Paced(Join({kBand3Flat, {kSliderBlockKd4}}), 50)),
    CALL(StoreSettingsKd4(), Paced({kKd4Block, kSliderBlockKd4}, 100, "Csend:")),
    CALL(RequestLevelKd4(), Paced({"FF 70 00 AE 04 01"}, 50)),
    CALL(RequestAllSettingsKd4(), Join({
        Paced({"FF A0 00 00 0A 01", "FF A0 00 40 09 01", "FF A0 00 10 04 01", "FF A0 00 18 04 01",
               "FF A0 00 20 04 01"}, 80),
        Paced({"FF A0 00 28 04 01"}, 80, "send:"), Paced({"FF A0 00 30 04 01"}, 80)}))));
// clang-format on

}  // namespace
}  // namespace quavelo
