#include "device/Encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quavelo {
namespace {

constexpr std::int32_t W(std::uint32_t u) { return static_cast<std::int32_t>(u); }

TEST(MicGainCodeTest, EveryStepIs0x43PlusFourSteps) {
    for (int s = 0; s < kMicGainSteps; ++s) {
        EXPECT_EQ(MicGainCode(s), 0x43 + 4 * s) << "step " << s;
    }
    EXPECT_EQ(MicGainCode(0), 0x43);
    EXPECT_EQ(MicGainCode(47), 0xFF);
}

TEST(MicGainCodeTest, StepsOutsideTheTableAreClamped) {
    EXPECT_EQ(MicGainCode(-1), 0x43);
    EXPECT_EQ(MicGainCode(48), 0xFF);
    EXPECT_EQ(MicGainCode(std::numeric_limits<int>::max()), 0xFF);
}

struct ParamCase {
    double x;
    std::uint32_t word;
};

class ToParameterTest : public testing::TestWithParam<ParamCase> {};

TEST_P(ToParameterTest, RoundsToSingleThenTruncates) {
    EXPECT_EQ(static_cast<std::uint32_t>(ToParameter(GetParam().x)), GetParam().word)
        << "x = " << GetParam().x;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, ToParameterTest, testing::Values(
    ParamCase{1.0, 0x00800000},
    ParamCase{0.0, 0x00000000},
    ParamCase{-1.0, 0xFF800000},
    ParamCase{0.1, 0x000CCCCC},
    ParamCase{-0.1, 0xFFF33334},         // toward zero, not toward minus infinity
    ParamCase{0.99999999, 0x00800000},   // single precision first: 1.0, not 0x007FFFFF
    ParamCase{255.99, 0x7FFEB880},
    ParamCase{300.0, 0x7FFFFFFF},        // saturates instead of overflowing
    ParamCase{-300.0, 0x80000000}));
// clang-format on

TEST(ToParameterTest, NanIsZero) { EXPECT_EQ(ToParameter(std::nan("")), 0); }

TEST(LevelTaperTest, TorvaExamples) {
    EXPECT_EQ(LevelTaper(0), 0x00800000);
    EXPECT_EQ(LevelTaper(40), 0x000CCCCC);  // -20 dB
    EXPECT_EQ(LevelTaper(80), 0x00000346);  // -80 dB
}

TEST(LevelTaperTest, Kd4DividesBy100) {
    EXPECT_EQ(LevelTaperKd4(0), 0x00800000);
    EXPECT_EQ(LevelTaperKd4(80), 0x000014AC);
    const double db = 20.0 * std::log10(LevelTaperKd4(80) / 8388608.0);
    EXPECT_NEAR(db, -64.0, 0.01);
    EXPECT_NE(LevelTaperKd4(80), LevelTaper(80));
}

TEST(LevelTaperTest, FallsMonotonically) {
    for (int v = 1; v <= 80; ++v) {
        EXPECT_LT(LevelTaper(v), LevelTaper(v - 1)) << v;
        EXPECT_LT(LevelTaperKd4(v), LevelTaperKd4(v - 1)) << v;
    }
}

TEST(PeakingCoefficientsTest, ExampleBand1kHzQ2Plus6dB) {
    const Coefficients expected{W(0x00840693), W(0xFF0A35EA), W(0x0073E276), W(0x00F5CA16),
                                W(0xFF8816F7)};
    EXPECT_EQ(PeakingCoefficients(1000, 20, 210), expected);
}

TEST(PeakingCoefficientsTest, OnlyWholeDecibelsReachTheDevice) {
    EXPECT_EQ(PeakingCoefficients(1000, 20, 219), PeakingCoefficients(1000, 20, 210));
    EXPECT_EQ(PeakingCoefficients(1000, 20, 155), PeakingCoefficients(1000, 20, 150));
    EXPECT_NE(PeakingCoefficients(1000, 20, 145), PeakingCoefficients(1000, 20, 150));
}

TEST(PeakingCoefficientsTest, FirstWordIsMaskedTo28Bits) {
    for (int freq : {20, 100, 1000, 10000, 20000}) {
        for (int gain : {0, 150, 300}) {
            const Coefficients w = PeakingCoefficients(freq, 20, gain);
            EXPECT_EQ(w[0] & ~0x0FFFFFFF, 0) << freq << " Hz, gain " << gain;
        }
    }
}

class FlatVariantTest : public testing::TestWithParam<int> {};

TEST_P(FlatVariantTest, IsUnityWithMatchingPoles) {
    const int freq = GetParam();
    const Coefficients flat = PeakingCoefficientsFlat(freq, 20);
    EXPECT_EQ(flat[0], kParamOne);
    EXPECT_EQ(flat[2], -flat[4]) << "b2 = a2";
    EXPECT_EQ(flat, PeakingCoefficients(freq, 20, 150)) << "flat is the 0 dB band";
    EXPECT_NE(flat, PeakingCoefficients(freq, 20, 300));
}

INSTANTIATE_TEST_SUITE_P(Frequencies, FlatVariantTest,
                         testing::Values(100, 250, 1000, 4000, 10000, 20000));

TEST(PeakingCoefficientsTest, OutOfRangeInputsStayFinite) {
    // q 0 would divide by zero and 24000 Hz sits on the tangent's pole; both are held in range.
    EXPECT_EQ(PeakingCoefficients(1000, 0, 210), PeakingCoefficients(1000, 1, 210));
    EXPECT_EQ(PeakingCoefficients(24000, 20, 210), PeakingCoefficients(20000, 20, 210));
    EXPECT_EQ(PeakingCoefficients(0, 20, 210), PeakingCoefficients(20, 20, 210));
}

TEST(HighPassCoefficientsTest, FixedSets) {
    const Coefficients off{W(0x00800000), 0, 0, 0, 0};
    const Coefficients hz75{W(0x007F1D47), W(0xFF01C572), W(0x007F1D47), W(0x00FE38FD),
                            W(0xFF81C3E0)};
    const Coefficients hz150{W(0x007E3C20), W(0xFF0387C0), W(0x007E3C20), W(0x00FC7205),
                             W(0xFF838185)};
    EXPECT_EQ(HighPassCoefficients(0, 1), off);
    EXPECT_EQ(HighPassCoefficients(0, 7), off) << "off ignores the corner";
    EXPECT_EQ(HighPassCoefficients(1, 1), hz75);
    EXPECT_EQ(HighPassCoefficients(1, 2), hz150);
    EXPECT_EQ(HighPassCoefficients(1, 0), std::nullopt);
    EXPECT_EQ(HighPassCoefficients(1, 3), std::nullopt);
}

TEST(SafeloadTest, FiveWordsThenTargetThenCount) {
    const auto reports = Safeload(0x000B, *HighPassCoefficients(1, 1));
    // clang-format off
    const char* expected[] = {
        "FF 70 00 01 04 00 00 7F 1D 47 00 00 00 00 00 00 ",
        "FF 70 00 02 04 00 FF 01 C5 72 00 00 00 00 00 00 ",
        "FF 70 00 03 04 00 00 7F 1D 47 00 00 00 00 00 00 ",
        "FF 70 00 04 04 00 00 FE 38 FD 00 00 00 00 00 00 ",
        "FF 70 00 05 04 00 FF 81 C3 E0 00 00 00 00 00 00 ",
        "FF 70 00 06 04 00 00 00 00 0B 00 00 00 00 00 00 ",
        "FF 70 00 07 04 00 00 00 00 05 00 00 00 00 00 00 ",
    };
    // clang-format on
    ASSERT_EQ(reports.size(), 7u);
    for (std::size_t i = 0; i < reports.size(); ++i) EXPECT_EQ(HexBytes(reports[i]), expected[i]);
}

struct BandGainCase {
    int gain;
    int device;
    int back;
};

class BandGainTest : public testing::TestWithParam<BandGainCase> {};

TEST_P(BandGainTest, WholeDecibelsRoundTrip) {
    const auto [gain, device, back] = GetParam();
    EXPECT_EQ(BandGainToDevice(gain), device);
    EXPECT_EQ(BandGainFromDevice(static_cast<std::int8_t>(device)), back);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Gains, BandGainTest, testing::Values(
    BandGainCase{150, 0, 150},
    BandGainCase{155, 0, 150},    // +0.5 dB goes out as 0 dB
    BandGainCase{145, -1, 140},   // -0.5 dB goes out as -1 dB
    BandGainCase{0, -15, 0},
    BandGainCase{300, 15, 300},
    BandGainCase{210, 6, 210}));
// clang-format on

TEST(BandGainTest, HostileDeviceBytesStayInRange) {
    EXPECT_EQ(BandGainFromDevice(-100), 0);
    EXPECT_EQ(BandGainFromDevice(-128), 0);
    EXPECT_EQ(BandGainFromDevice(16), 300);
    EXPECT_EQ(BandGainFromDevice(127), 300);
    EXPECT_EQ(BandGainToDevice(-50), -15);
    EXPECT_EQ(BandGainToDevice(999), 15);
}

struct BalanceCase {
    int micCut;
    int playbackCut;
    int balance;
};

class MonitorBalanceTest : public testing::TestWithParam<BalanceCase> {};

TEST_P(MonitorBalanceTest, EncodesAndDecodes) {
    const auto [mic, playback, balance] = GetParam();
    EXPECT_EQ(MonitorBalance(mic, playback), balance);
    const MonitorCuts cuts = DecodeMonitorBalance(static_cast<std::uint8_t>(balance));
    EXPECT_EQ(cuts.micCut, mic);
    EXPECT_EQ(cuts.playbackCut, playback);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pairs, MonitorBalanceTest, testing::Values(
    BalanceCase{0, 0, 80},
    BalanceCase{5, 0, 0x55},
    BalanceCase{0, 80, 0x00},
    BalanceCase{0, 1, 79},
    BalanceCase{1, 0, 81},
    BalanceCase{80, 0, 160}));
// clang-format on

TEST(MonitorBalanceTest, PlaybackCutWinsWhenBothAreSet) { EXPECT_EQ(MonitorBalance(10, 20), 60); }

TEST(MonitorBalanceTest, BalanceAbove160DecodesToTheFullMicCut) {
    for (int b : {161, 200, 255}) {
        const MonitorCuts cuts = DecodeMonitorBalance(static_cast<std::uint8_t>(b));
        EXPECT_EQ(cuts.micCut, 80) << b;
        EXPECT_EQ(cuts.playbackCut, 0) << b;
    }
}

TEST(MonitorBalanceTest, CutsOutsideTheirRangeAreClamped) {
    EXPECT_EQ(MonitorBalance(0, 200), 0);
    EXPECT_EQ(MonitorBalance(200, 0), 160);
    EXPECT_EQ(MonitorBalance(-5, -5), 80);
}

}  // namespace
}  // namespace quavelo
