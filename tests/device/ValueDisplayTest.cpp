#include "device/ValueDisplay.h"

#include <gtest/gtest.h>

namespace quavelo {
namespace {

TEST(ValueDisplayTest, MicGainTexts) {
    EXPECT_EQ(MicGainText(0), "0dB");
    EXPECT_EQ(MicGainText(1), "1dB");
    EXPECT_EQ(MicGainText(2), "2dB");
    EXPECT_EQ(MicGainText(3), "2dB") << "2.25 + 0.5 truncated";
    EXPECT_EQ(MicGainText(47), "35dB");
    EXPECT_EQ(MonitorLevelText(0), "-80dB");
    EXPECT_EQ(MonitorLevelText(80), "0dB");
}

TEST(ValueDisplayTest, LevelPercent) {
    EXPECT_EQ(LevelPercent(0), 0);
    EXPECT_EQ(LevelPercent(1 << 20), 50);
    EXPECT_EQ(LevelPercent(1 << 21), 100);
    EXPECT_EQ(LevelPercent((1 << 21) + 1), 100) << "held at full scale";
    EXPECT_EQ(LevelPercent(0x7FFFFFFF), 100);
    EXPECT_EQ(LevelPercent(-5), 0);
    EXPECT_EQ(LevelPercent(20971), 0) << "0.99 truncated";
    EXPECT_EQ(LevelPercent(20972), 1);
}

struct MixCase {
    int position;
    int micCut;
    int playbackCut;
};

class MixSliderTest : public testing::TestWithParam<MixCase> {};

TEST_P(MixSliderTest, PositionToCuts) {
    const MonitorCutPair cuts = MixCutsFromPosition(GetParam().position);
    EXPECT_EQ(cuts.micCut, GetParam().micCut);
    EXPECT_EQ(cuts.playbackCut, GetParam().playbackCut);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Positions, MixSliderTest, testing::Values(
    MixCase{191, 0, 0}, MixCase{190, 0, 0}, MixCase{161, 0, 0}, MixCase{221, 0, 0},
    MixCase{160, 0, 1}, MixCase{222, 1, 0}, MixCase{0, 0, 80}, MixCase{382, 80, 0},
    MixCase{-10, 0, 80}, MixCase{999, 80, 0}));
// clang-format on

TEST(MixSliderTest, CutsToPosition) {
    EXPECT_EQ(MixPositionFromCuts(0, 0), 191);
    EXPECT_EQ(MixPositionFromCuts(80, 0), 381) << "not 382";
    EXPECT_EQ(MixPositionFromCuts(0, 80), 1) << "not 0";
    EXPECT_EQ(MixPositionFromCuts(0, 1), 161);
    EXPECT_EQ(MixPositionFromCuts(9, 0), 291);
    EXPECT_EQ(MixPositionFromCuts(5000, 0), 382) << "held in the slider's range";
}

TEST(MixSliderTest, EveryPositionMapsBackNearItself) {
    for (int p = 0; p <= kMixSliderMax; ++p) {
        const MonitorCutPair cuts = MixCutsFromPosition(p);
        const int back = MixPositionFromCuts(cuts.micCut, cuts.playbackCut);
        EXPECT_LE(std::abs(back - p), 30) << p;
        EXPECT_TRUE(cuts.micCut == 0 || cuts.playbackCut == 0) << p;
    }
}

TEST(MixSliderTest, Readout) {
    EXPECT_EQ(MixReadout(0, 0), "回放0:话筒0");
    EXPECT_EQ(MixReadout(0, 80), "回放-80:话筒0");
    EXPECT_EQ(MixReadout(12, 0), "回放0:话筒-12");
}

TEST(BandSliderTest, PositionsAndGains) {
    EXPECT_EQ(BandGainFromSliderPosition(0), 300);
    EXPECT_EQ(BandGainFromSliderPosition(300), 0);
    EXPECT_EQ(BandGainFromSliderPosition(155), 145);
    EXPECT_EQ(BandGainFromSliderPosition(-1), 300);
    EXPECT_EQ(BandSliderPosition(150), 150);
    EXPECT_EQ(BandSliderPosition(400), 0);
    EXPECT_EQ(BandSliderPosition(-20), 300);
}

TEST(GraphValuesTest, HandleValuesToBandUnits) {
    EXPECT_EQ(BandGainFromGraph(6.0), 210);
    EXPECT_EQ(BandGainFromGraph(-0.55), 144) << "truncated";
    EXPECT_EQ(BandGainFromGraph(15.0), 300);
    EXPECT_EQ(BandGainFromGraph(99.0), 300);
    EXPECT_EQ(BandFreqFromGraph(1234.9), 1234);
    EXPECT_EQ(BandFreqFromGraph(1e12), 20000);
    EXPECT_DOUBLE_EQ(GraphGainFromBand(145), -0.5);
}

TEST(BandReadoutTest, BothGainFormats) {
    const EqBandValue band{4000, 145, 25, 0};
    const BandReadout whole = MakeBandReadout(2, band, GainFormat::WholeDb);
    EXPECT_EQ(whole.band, "Band:3");
    EXPECT_EQ(whole.q, "Q:2.5");
    EXPECT_EQ(whole.freq, "FREQ:4000");
    EXPECT_EQ(whole.gain, "Gain:0") << "-0.5 truncated toward zero";
    EXPECT_EQ(MakeBandReadout(2, band, GainFormat::TenthsDb).gain, "Gain:-0.5");
    EXPECT_EQ(MakeBandReadout(0, {100, 300, 20, 0}, GainFormat::WholeDb).gain, "Gain:15");
    EXPECT_EQ(MakeBandReadout(0, {100, 0, 20, 0}, GainFormat::WholeDb).gain, "Gain:-15");
}

}  // namespace
}  // namespace quavelo
