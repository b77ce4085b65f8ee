#include "device/Encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quavelo {
namespace {

TEST(ToParameterTest, RoundsToSingleThenTruncatesTowardZero) {
    // clang-format off
    const std::pair<double, std::uint32_t> cases[] = {
        {1.0, 0x00800000}, {0.0, 0x00000000}, {-1.0, 0xFF800000}, {0.1, 0x000CCCCC},
        {-0.1, 0xFFF33334},         // toward zero, not toward minus infinity
        {0.99999999, 0x00800000},   // single precision first: 1.0, not 0x007FFFFF
        {300.0, 0x7FFFFFFF}, {-300.0, 0x80000000}, {std::nan(""), 0}};  // saturated, not wrapped
    // clang-format on
    for (const auto& [x, word] : cases) {
        EXPECT_EQ(static_cast<std::uint32_t>(ToParameter(x)), word) << x;
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> words(-(1 << 24), 1 << 24);
    for (int i = 0; i < 2000; ++i) {
        const std::int32_t word = words(random);  // exact in single precision
        EXPECT_EQ(ToParameter(word / 8388608.0), word);
    }
}

TEST(LevelTaperTest, BothTapersFallOverTheWholeRange) {
    for (int v = 1; v <= 80; ++v) {
        EXPECT_LT(LevelTaper(v), LevelTaper(v - 1)) << v;
        EXPECT_LT(LevelTaperKd4(v), LevelTaperKd4(v - 1)) << v;
    }
}

// Only whole dB reach the device; the flat band is the 0 dB band at every frequency; inputs
// beyond the band ranges (q 0 divides by zero, 24000 Hz is the tangent's pole) are held inside.
TEST(PeakingCoefficientsTest, WholeDecibelsFlatBandsAndHeldInputs) {
    EXPECT_EQ(PeakingCoefficients(1000, 20, 219), PeakingCoefficients(1000, 20, 210));
    EXPECT_EQ(PeakingCoefficients(1000, 20, 155), PeakingCoefficients(1000, 20, 150));
    EXPECT_NE(PeakingCoefficients(1000, 20, 145), PeakingCoefficients(1000, 20, 150));
    for (int freq : {20, 100, 250, 1000, 4000, 10000, 20000}) {
        const Coefficients flat = PeakingCoefficientsFlat(freq, 20);
        EXPECT_EQ(flat[0], kParamOne) << freq;
        EXPECT_EQ(flat[2], -flat[4]) << freq;
        EXPECT_EQ(flat, PeakingCoefficients(freq, 20, 150)) << freq;
    }
    EXPECT_EQ(PeakingCoefficients(1000, 0, 210), PeakingCoefficients(1000, 1, 210));
    EXPECT_EQ(PeakingCoefficients(24000, 20, 210), PeakingCoefficients(20000, 20, 210));
    EXPECT_EQ(PeakingCoefficients(0, 20, 210), PeakingCoefficients(20, 20, 210));
}

// Whole dB out, and back as the gain rounded down to whole dB; held at +-15 dB both ways.
TEST(BandGainTest, WholeDecibelsOutAndBack) {
    for (int gain = 0; gain <= 300; ++gain) {
        EXPECT_EQ(BandGainFromDevice(BandGainToDevice(gain)), gain - gain % 10) << gain;
    }
    EXPECT_EQ(BandGainToDevice(145), -1);
    EXPECT_EQ(BandGainToDevice(0) * 100 + BandGainToDevice(-1), -1515);
    EXPECT_EQ(BandGainToDevice(300) * 100 + BandGainToDevice(301), 1515);
    EXPECT_EQ(BandGainFromDevice(16) * 1000 + BandGainFromDevice(-16), 300000);
}

// The cut pair as one balance byte: the examples, every byte back, and the clamps both ways.
TEST(MonitorBalanceTest, EncodesAndDecodesTheCutPair) {
    EXPECT_EQ(MonitorBalance(5, 0), 0x55);
    EXPECT_EQ(MonitorBalance(0, 80), 0x00);
    EXPECT_EQ(MonitorBalance(0, 0), 80);
    EXPECT_EQ(MonitorBalance(10, 20), 60) << "the playback cut wins";
    EXPECT_EQ(MonitorBalance(200, -5), 160);
    for (int b = 0; b <= 255; ++b) {
        const MonitorCuts cuts = DecodeMonitorBalance(static_cast<std::uint8_t>(b));
        EXPECT_EQ(MonitorBalance(cuts.micCut, cuts.playbackCut), std::min(b, 160)) << b;
        EXPECT_TRUE(cuts.micCut == 0 || cuts.playbackCut == 0) << b;
    }
}

}  // namespace
}  // namespace quavelo
