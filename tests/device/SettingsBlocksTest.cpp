#include "device/SettingsBlocks.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "support/EventTrace.h"
#include "support/ParamsInRange.h"

namespace quavelo {
namespace {

using test::PaddedHex;
using test::TraceHex;

Report Answer(std::string_view hex) {
    const auto report = ParseHexReport(hex);
    EXPECT_TRUE(report) << hex;
    return report.value_or(Report{});
}

// The scalars of the settings block as the model holds them.
struct BlockSettings {
    int stereo, limiterOn, limiterLevel, hpfOn, hpfFreq, micCut, playbackCut, gain2, micGain,
        eqEnabled, eqMode;

    static BlockSettings Of(const DeviceParams& p) {
        return {p.stereo,        p.limiterOn,          p.limiterLevel, p.hpfOn,   p.hpfFreq,
                p.monitorMicCut, p.monitorPlaybackCut, p.gain2,        p.micGain, p.eqEnabled,
                p.eqMode};
    }
    bool operator==(const BlockSettings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BlockSettings& s) {
    return out << "{stereo " << s.stereo << ", limiter " << s.limiterOn << "/" << s.limiterLevel
               << ", hpf " << s.hpfOn << "/" << s.hpfFreq << ", cuts mic " << s.micCut
               << " playback " << s.playbackCut << ", gain2 " << s.gain2 << ", micGain "
               << s.micGain << ", eq " << s.eqEnabled << " mode " << s.eqMode << "}";
}

// ---- Settings block, both rule sets ----------------------------------------------------------

struct SettingsDecodeCase {
    const char* name;
    const char* answer;
    BlockSettings expected;
};

class SettingsBlockDecodeTest : public testing::TestWithParam<SettingsDecodeCase> {};

TEST_P(SettingsBlockDecodeTest, TorvaReadsEveryFieldHeldInRange) {
    DeviceParams p;
    p.ResetToInitialValues();
    p.deviceModel = kModelTorva;
    DecodeSettingsBlock(Answer(GetParam().answer), p);
    EXPECT_EQ(BlockSettings::Of(p), GetParam().expected);
    EXPECT_TRUE(test::FieldsOutOfRange(p).empty());
}

TEST_P(SettingsBlockDecodeTest, Kd4LeavesStereoAndGain2Alone) {
    DeviceParams p;
    p.stereo = 0;
    p.gain2 = 66;
    DecodeSettingsBlockKd4(Answer(GetParam().answer), p);
    BlockSettings expected = GetParam().expected;
    expected.stereo = 0;
    expected.gain2 = 66;
    EXPECT_EQ(BlockSettings::Of(p), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, SettingsBlockDecodeTest, testing::Values(
    //                                                                 st lo ll ho hf mc pc g2 mg en md
    SettingsDecodeCase{"Typical", "FF A0 00 00 0A 01  01 01 02 01 02 55 07 14 01 00",
                                                                      {1, 1, 2, 1, 2, 5, 0, 7, 20, 1, 1}},
    SettingsDecodeCase{"AllZero", "FF A0 00 00 0A 01  00 00 00 00 00 00 00 00 00 00",
                                                                      {0, 0, 1, 0, 1, 0, 80, 0, 0, 0, 1}},
    SettingsDecodeCase{"Max",     "FF A0 00 00 0A 01  01 01 03 01 02 A0 2F 2F 01 01",
                                                                      {1, 1, 3, 1, 2, 80, 0, 47, 47, 1, 0}},
    SettingsDecodeCase{"MaxPlusOne", "FF A0 00 00 0A 01  02 02 04 02 03 A1 30 30 02 02",
                                                                      {1, 1, 3, 1, 2, 80, 0, 47, 47, 1, 0}},
    SettingsDecodeCase{"Hostile", "FF A0 00 00 0A 01  FF FF 09 FF FF FF C8 C8 FF FF",
                                                                      {1, 1, 3, 1, 2, 80, 0, 47, 47, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Slider gain block ------------------------------------------------------------------------

void SetSliderGains(DeviceParams& p, std::array<int, kEqBands> gains) {
    for (int i = 0; i < kEqBands; ++i) p.sliderBands[i].gain = gains[i];
}

std::array<int, kEqBands> SliderGains(const DeviceParams& p) {
    std::array<int, kEqBands> gains{};
    for (int i = 0; i < kEqBands; ++i) gains[i] = p.sliderBands[i].gain;
    return gains;
}

TEST(SliderGainBlockTest, WholeDecibelsThenTheKd4Switches) {
    DeviceParams p;
    SetSliderGains(p, {0, 145, 150, 155, 300});
    p.gain2 = 80;
    p.kd4SwitchA = 1;
    p.kd4Lock = 1;
    p.kd4SwitchB = 0;
    EXPECT_EQ(TraceHex(SliderGainBlock(p)), PaddedHex("FF A0 00 40 05 00  F1 FF 00 00 0F"));
    EXPECT_EQ(TraceHex(SliderGainBlockKd4(p)),
              PaddedHex("FF A0 00 40 09 00  F1 FF 00 00 0F  50 01 01 00"));
    SetSliderGains(p, {-1, 301, 150, 150, 150});
    EXPECT_EQ(TraceHex(SliderGainBlock(p)), PaddedHex("FF A0 00 40 05 00  F1 0F 00 00 00"))
        << "gains beyond the range are held at -15 and +15 dB";
}

struct SliderDecodeCase {
    const char* name;
    const char* answer;
    std::array<int, kEqBands> gains;
    int gain2, switchA, lock, switchB;
};

class SliderGainDecodeTest : public testing::TestWithParam<SliderDecodeCase> {};

TEST_P(SliderGainDecodeTest, TorvaReadsTheGainsOnly) {
    DeviceParams p;
    p.gain2 = 3;
    DecodeSliderGainBlock(Answer(GetParam().answer), p);
    EXPECT_EQ(SliderGains(p), GetParam().gains);
    EXPECT_EQ(p.gain2, 3);
    EXPECT_EQ(p.kd4SwitchA + p.kd4Lock + p.kd4SwitchB, 0);
}

TEST_P(SliderGainDecodeTest, Kd4AlsoReadsGain2AndTheSwitches) {
    DeviceParams p;
    DecodeSliderGainBlockKd4(Answer(GetParam().answer), p);
    const auto& c = GetParam();
    EXPECT_EQ(SliderGains(p), c.gains);
    EXPECT_EQ(p.gain2, c.gain2);
    EXPECT_EQ(p.kd4SwitchA, c.switchA);
    EXPECT_EQ(p.kd4Lock, c.lock);
    EXPECT_EQ(p.kd4SwitchB, c.switchB);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, SliderGainDecodeTest, testing::Values(
    SliderDecodeCase{"Typical", "FF A0 00 40 09 01  F1 FF 00 06 0F  50 01 00 01",
                     {0, 140, 150, 210, 300}, 80, 1, 0, 1},
    SliderDecodeCase{"Zero",    "FF A0 00 40 09 01  00 00 00 00 00  00 00 00 00",
                     {150, 150, 150, 150, 150}, 0, 0, 0, 0},
    // -100, -128, +127, +16 and -16 dB lie outside +-15 dB; gain2 81 and switches 2, 255 too.
    SliderDecodeCase{"Hostile", "FF A0 00 40 09 01  9C 80 7F 10 F0  51 02 FF 02",
                     {0, 0, 300, 300, 0}, 80, 1, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Band blocks ------------------------------------------------------------------------------

struct BandEncodeCase {
    const char* name;
    int band, freq, q, gain;
    const char* expected;
};

class BandBlockEncodeTest : public testing::TestWithParam<BandEncodeCase> {};

TEST_P(BandBlockEncodeTest, FrequencyQAndWholeDecibels) {
    const auto& c = GetParam();
    DeviceParams p;
    p.ResetToInitialValues();
    p.graphBands[std::clamp(c.band, 1, 5) - 1].freq = c.freq;
    p.graphBands[std::clamp(c.band, 1, 5) - 1].q = c.q;
    p.graphBands[std::clamp(c.band, 1, 5) - 1].gain = c.gain;
    EXPECT_EQ(TraceHex(BandBlock(p, c.band)), PaddedHex(c.expected));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bands, BandBlockEncodeTest, testing::Values(
    BandEncodeCase{"Band1", 1, 100, 20, 150,     "FF A0 00 10 04 00  00 64 02 00"},
    BandEncodeCase{"Band4Q25", 4, 4000, 25, 150, "FF A0 00 28 04 00  0F A0 02 00"},
    BandEncodeCase{"Band5Max", 5, 20000, 255, 300, "FF A0 00 30 04 00  4E 20 19 0F"},
    BandEncodeCase{"GainMaxPlusOne", 2, 250, 20, 301, "FF A0 00 18 04 00  00 FA 02 0F"},
    BandEncodeCase{"GainMin", 3, 1000, 20, 0,    "FF A0 00 20 04 00  03 E8 02 F1"},
    BandEncodeCase{"HalfDbDown", 3, 1000, 20, 145, "FF A0 00 20 04 00  03 E8 02 FF"},
    BandEncodeCase{"BandZeroHeldAtOne", 0, 100, 20, 150, "FF A0 00 10 04 00  00 64 02 00"},
    BandEncodeCase{"BandSixHeldAtFive", 6, 10000, 20, 150, "FF A0 00 30 04 00  27 10 02 00"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct BandDecodeCase {
    const char* name;
    const char* data;  // the four data bytes
    int freq;          // 0: the band's initial frequency
    int gain;
};

class BandBlockDecodeTest : public testing::TestWithParam<std::tuple<int, BandDecodeCase>> {};

TEST_P(BandBlockDecodeTest, EveryBandBlockDecodesAlike) {
    const auto& [band, c] = GetParam();
    const std::uint8_t block = static_cast<std::uint8_t>(0x10 + 8 * (band - 1));
    char header[32];
    std::snprintf(header, sizeof header, "FF A0 00 %02X 04 01 ", block);
    DeviceParams p;
    p.graphBands[band - 1].q = 33;
    ASSERT_EQ(BandOfBlock(block), band);
    DecodeBandBlock(Answer(std::string(header) + c.data), band, p);
    EXPECT_EQ(p.graphBands[band - 1].freq, c.freq ? c.freq : kDefaultBandFreq[band - 1]);
    EXPECT_EQ(p.graphBands[band - 1].gain, c.gain);
    EXPECT_EQ(p.graphBands[band - 1].q, 33) << "the stored q is not read back";
    for (int other = 1; other <= kEqBands; ++other) {
        if (other != band) {
            EXPECT_EQ(p.graphBands[other - 1].freq, 0) << "band " << other;
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bands, BandBlockDecodeTest, testing::Combine(
    testing::Range(1, 6),
    testing::Values(
        BandDecodeCase{"Freq4000", "0F A0 14 06", 4000, 210},
        BandDecodeCase{"FreqZeroIsDefault", "00 00 14 00", 0, 150},
        BandDecodeCase{"Freq19IsHeldAt20", "00 13 14 00", 20, 150},
        BandDecodeCase{"Freq20000", "4E 20 14 0F", 20000, 300},
        BandDecodeCase{"Freq20001IsHeldAt20000", "4E 21 14 10", 20000, 300},
        BandDecodeCase{"HostileGainMinus100", "FF FF FF 9C", 20000, 0})),
    [](const auto& info) {
        return std::get<1>(info.param).name + std::string("Band") +
               std::to_string(std::get<0>(info.param));
    });
// clang-format on

TEST(BandOfBlockTest, OnlyTheFiveBandBlocks) {
    const std::pair<int, int> cases[] = {{0x10, 1}, {0x18, 2}, {0x20, 3}, {0x28, 4},
                                         {0x30, 5}, {0x00, 0}, {0x08, 0}, {0x14, 0},
                                         {0x38, 0}, {0x40, 0}, {0x50, 0}, {0xAE, 0}};
    for (const auto& [block, band] : cases) EXPECT_EQ(BandOfBlock(block), band) << block;
}

// ---- KD4 status block and level values --------------------------------------------------------

TEST(StatusBlockTest, GainsMonitorMixAndSwitches) {
    DeviceParams p;
    p.monitorPlaybackCut = 80;
    DecodeStatusBlockKd4(Answer("FF A0 00 50 05 01  14 50 55 01 01"), p);
    EXPECT_EQ(p.micGain, 20);
    EXPECT_EQ(p.gain2, 80);
    EXPECT_EQ(p.monitorMicCut, 5);
    EXPECT_EQ(p.monitorPlaybackCut, 0);
    EXPECT_EQ(p.kd4SwitchA, 1);
    EXPECT_EQ(p.kd4Lock, 1);

    DecodeStatusBlockKd4(Answer("FF A0 00 50 05 01  C8 51 FF 05 09"), p);
    EXPECT_EQ(p.micGain, 47) << "a gain step of 200 would index past the code table";
    EXPECT_EQ(p.gain2, 80);
    EXPECT_EQ(p.monitorMicCut, 80);
    EXPECT_EQ(p.kd4SwitchA, 1);
    EXPECT_EQ(p.kd4Lock, 1);

    DecodeStatusBlockKd4(Answer("FF A0 00 50 05 01  00 00 00 00 00"), p);
    EXPECT_EQ(p.monitorPlaybackCut, 80);
    EXPECT_EQ(p.monitorMicCut, 0);
}

TEST(LevelValueTest, BigEndianFromByteSix) {
    EXPECT_EQ(DecodeLevelValue(Answer("FF 70 00 AE 04 01  00 20 00 00")), 0x00200000);
    EXPECT_EQ(DecodeLevelValue(Answer("FF 70 00 AE 04 01  12 34 56 78")), 0x12345678);
}

// ---- Dispatch of TORVA answers ----------------------------------------------------------------

TEST(DecodeTorvaAnswerTest, DecodesByBlockAndRefusesAnythingElse) {
    DeviceParams p;
    EXPECT_TRUE(DecodeTorvaAnswer(Answer("FF A0 00 28 04 01  0F A0 14 06"), p));
    EXPECT_EQ(p.graphBands[3].freq, 4000);
    EXPECT_TRUE(DecodeTorvaAnswer(Answer("FF A0 00 40 05 01  06"), p));
    EXPECT_EQ(p.sliderBands[0].gain, 210);
    EXPECT_TRUE(DecodeTorvaAnswer(Answer("FF A0 00 00 0A 01  00 00 00 00 00 00 00 05"), p));
    EXPECT_EQ(p.micGain, 5);

    for (const char* refused :
         {"FE A0 00 00 0A 01  00 00 00 00 00 00 00 09",
          "FF A0 00 00 0A 00  00 00 00 00 00 00 00 09", "FF A0 00 50 05 01  09",
          "FF A0 00 38 04 01  01 01 01 01", "FF 70 00 AE 04 01  09"}) {
        EXPECT_FALSE(DecodeTorvaAnswer(Answer(refused), p)) << refused;
        EXPECT_EQ(p.micGain, 5) << refused;
    }
}

}  // namespace
}  // namespace quavelo
