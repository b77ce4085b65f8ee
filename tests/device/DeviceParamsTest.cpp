#include "device/DeviceParams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace quavelo {
namespace {

TEST(DeviceParamsTest, StartsAtZero) {
    const DeviceParams p;
    EXPECT_EQ(p.graphBands[0].freq, 0);
    EXPECT_EQ(p.limiterOn, 0);
    EXPECT_EQ(p.monitorPlaybackCut, 0);
    EXPECT_EQ(p.connected, 0);
}

TEST(DeviceParamsTest, ResetGivesTheInitialValues) {
    DeviceParams p;
    p.ResetToInitialValues();
    for (const auto* set : {&p.graphBands, &p.sliderBands}) {
        for (int i = 0; i < kEqBands; ++i) {
            const EqBandValue b = (*set)[i].Value();
            EXPECT_EQ(b.freq, kDefaultBandFreq[i]);
            EXPECT_EQ(b.gain, 150);
            EXPECT_EQ(b.q, 20);
            EXPECT_EQ(b.filterType, 0);
        }
        for (int i = kEqBands; i < kBandSlots; ++i) {
            const EqBandValue b = (*set)[i].Value();
            EXPECT_EQ(b.freq | b.gain | b.q | b.filterType, 0) << "unused record " << i;
        }
    }
    EXPECT_EQ(p.eqEnabled, 1);
    EXPECT_EQ(p.eqMode, 0);
    EXPECT_EQ(p.monitorMicCut, 0);
    EXPECT_EQ(p.monitorPlaybackCut, 80);
    EXPECT_EQ(p.hpfFreq, 1);
    EXPECT_EQ(p.hpfOn, 1);
    EXPECT_EQ(p.limiterLevel, 1);
    EXPECT_EQ(p.limiterOn, 1);
}

TEST(DeviceParamsTest, ResetLeavesEveryOtherFieldAlone) {
    DeviceParams p;
    p.micGain = 12;
    p.gain2 = 7;
    p.stereo = 1;
    p.kd4Lock = 1;
    p.deviceModel = kModelKd4;
    p.connected = 1;
    p.monitorMicCut = 30;
    p.eqMode = 1;
    p.ResetToInitialValues();
    EXPECT_EQ(p.micGain, 12);
    EXPECT_EQ(p.gain2, 7);
    EXPECT_EQ(p.stereo, 1);
    EXPECT_EQ(p.kd4Lock, 1);
    EXPECT_EQ(p.deviceModel, kModelKd4);
    EXPECT_EQ(p.connected, 1);
    EXPECT_EQ(p.monitorMicCut, 0) << "both cuts and eqMode are reset";
    EXPECT_EQ(p.eqMode, 0);
}

TEST(DeviceParamsTest, BlockSeenOrder) {
    EXPECT_EQ(BlockSeenIndex(0x00), 0);
    EXPECT_EQ(BlockSeenIndex(0x40), 1);
    EXPECT_EQ(BlockSeenIndex(0x10), 2);
    EXPECT_EQ(BlockSeenIndex(0x18), 3);
    EXPECT_EQ(BlockSeenIndex(0x20), 4);
    EXPECT_EQ(BlockSeenIndex(0x28), 5);
    EXPECT_EQ(BlockSeenIndex(0x30), -1) << "band 5 has no flag";
    EXPECT_EQ(BlockSeenIndex(0x50), -1);
}

struct RangeCase {
    ParamRange range;
    std::int64_t value;
    std::int32_t clamped;
};

class ParamRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ParamRangeTest, ClampsIntoTheFieldsRange) {
    const auto [range, value, clamped] = GetParam();
    EXPECT_EQ(range.Clamp(value), clamped);
    EXPECT_EQ(range.Contains(value), value == clamped);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, ParamRangeTest, testing::Values(
    RangeCase{ranges::kMicGain, 0, 0}, RangeCase{ranges::kMicGain, 47, 47},
    RangeCase{ranges::kMicGain, 48, 47}, RangeCase{ranges::kMicGain, 200, 47},
    RangeCase{ranges::kMicGain, -1, 0},
    RangeCase{ranges::kGain2Kd4, 80, 80}, RangeCase{ranges::kGain2Kd4, 81, 80},
    RangeCase{ranges::kMonitorCut, 80, 80}, RangeCase{ranges::kMonitorCut, 81, 80},
    RangeCase{ranges::kLimiterLevel, 0, 1}, RangeCase{ranges::kLimiterLevel, 3, 3},
    RangeCase{ranges::kLimiterLevel, 9, 3},
    RangeCase{ranges::kHpfFreq, 2, 2}, RangeCase{ranges::kHpfFreq, 3, 2},
    RangeCase{ranges::kSwitch, 7, 1}, RangeCase{ranges::kSwitch, -1, 0},
    RangeCase{ranges::kBandGain, 300, 300}, RangeCase{ranges::kBandGain, 301, 300},
    RangeCase{ranges::kBandFreq, 30000, 20000}, RangeCase{ranges::kBandFreq, 19, 20},
    RangeCase{ranges::kMicGain, std::int64_t{1} << 40, 47}));
// clang-format on

TEST(ParamRangeTest, Gain2DependsOnTheModel) {
    EXPECT_EQ(Gain2Range(kModelTorva).max, 47);
    EXPECT_EQ(Gain2Range(kModelKd4).max, 80);
}

// The reader thread writes settings and then raises a flag; the UI thread sees the flag and then
// reads the settings. Run under ThreadSanitizer this proves the record is shared safely.
TEST(DeviceParamsTest, FlagPublishesTheFieldsWrittenBeforeIt) {
    DeviceParams p;
    constexpr int kRounds = 2000;
    std::thread writer([&] {
        for (int i = 1; i <= kRounds; ++i) {
            while (p.statusReady) std::this_thread::yield();
            p.micGain = i % 48;
            p.graphBands[2].gain = i % 301;
            p.statusReady = 1;
        }
    });
    int seen = 0;
    while (seen < kRounds) {
        if (p.statusReady) {
            ++seen;
            EXPECT_EQ(p.micGain, seen % 48);
            EXPECT_EQ(p.graphBands[2].gain, seen % 301);
            p.statusReady = 0;
        } else {
            std::this_thread::yield();
        }
    }
    writer.join();
}

TEST(HandshakeFlagTest, ExchangeReturnsThePreviousValue) {
    HandshakeFlag flag;
    EXPECT_EQ(flag.Exchange(1), 0);
    EXPECT_EQ(flag.Exchange(0), 1);
    EXPECT_EQ(flag, 0);
}

}  // namespace
}  // namespace quavelo
