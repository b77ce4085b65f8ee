#include "device/Encoding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "device/CommandRig.h"
#include "device/InputReportParser.h"
#include "device/SettingsBlocks.h"
#include "support/ParamsInRange.h"
#include "support/SettingsByName.h"

// The value encodings and the settings-store blocks, both directions.
namespace quavelo {
namespace {

using namespace test;

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
}

// Only whole dB reach the device; the flat band is the 0 dB band at every frequency; inputs
// beyond the band ranges (q 0 divides by zero, 24000 Hz is the tangent's pole) are held inside.
TEST(PeakingCoefficientsTest, WholeDecibelsFlatBandsAndHeldInputs) {
    EXPECT_EQ(PeakingCoefficients(1000, 20, 219), PeakingCoefficients(1000, 20, 210));
    EXPECT_EQ(PeakingCoefficients(1000, 20, 155), PeakingCoefficients(1000, 20, 150));
    EXPECT_NE(PeakingCoefficients(1000, 20, 145), PeakingCoefficients(1000, 20, 150));
    for (int freq : {20, 100, 250, 1000, 4000, 10000, 20000}) {
        const Coefficients flat = PeakingCoefficientsFlat(freq, 20);
        EXPECT_TRUE(flat[0] == kParamOne && flat[2] == -flat[4]) << freq;
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

// Whatever the model holds in range, each model's blocks read back as they were written. The
// bytes themselves are pinned by the command tables and the reviewed traces.
TEST(SettingsBlocksTest, EveryBlockReadsBackAsWritten) {
    std::mt19937 random(11);
    for (int i = 0; i < 500; ++i) {
        for (const Model model : kModels) {
            const ModelProfile& profile = ProfileOf(model);
            DeviceParams written;
            DeviceParams read;
            written.ResetToInitialValues();
            read.ResetToInitialValues();
            Randomise(random, written, model);
            read.deviceModel = model;
            DecodeSettingsBlock(SettingsBlock(written, profile.settingsLayout), read,
                                profile.settingsLayout);
            DecodeSliderGainBlock(SliderGainBlock(written, profile.sliderBlock), read,
                                  profile.sliderBlock, profile.gain2Range);
            for (int band = 1; band <= kEqBands; ++band) {
                DecodeBandBlock(BandBlock(written, band), band, read);
            }
            ASSERT_EQ(SettingsByName(read), SettingsByName(written)) << profile.name;
        }
    }
    DeviceParams p;
    Set({{&p.graphBands[3].q, 25}, {&p.graphBands[4].q, 255}});
    EXPECT_EQ(BandBlock(p, 4)[8] * 100 + BandBlock(p, 5)[8], 225) << "Q 2.5 is stored as 2";
}

// Values beyond the ranges are held at the nearest end, signed gains included; a frequency of 0
// is the band's default.
TEST(SettingsBlocksTest, AnswersOutOfRangeAreHeldInRange) {
    DeviceParams p;
    DecodeSettingsBlock(Hex("FF A0 00 00 0A 01  02 FF 09 FF 03 FF 30 C8 FF 02"), p,
                        SettingsLayout::Full);
    DecodeSliderGainBlock(Hex("FF A0 00 40 09 01  9C 80 7F 10 F0  51 02 FF 02"), p,
                          SliderBlockLayout::GainsAndStatus, ranges::kGain2Kd4);
    EXPECT_EQ((std::vector<int>{p.stereo, p.limiterOn, p.limiterLevel, p.hpfOn, p.hpfFreq,
                                p.monitorMicCut, p.monitorPlaybackCut, p.micGain, p.eqEnabled,
                                p.eqMode, p.sliderBands[0].gain, p.sliderBands[1].gain,
                                p.sliderBands[2].gain, p.sliderBands[3].gain, p.sliderBands[4].gain,
                                p.gain2, p.kd4Mute, p.kd4Lock, p.kd4Indicator}),
              (std::vector<int>{1, 1, 3, 1, 2, 80, 0, 47, 1, 0, 0, 0, 300, 300, 0, 80, 1, 1, 1}));
    DecodeStatusBlock(Hex("FF A0 00 50 05 01  C8 50 FF 05 00"), p, ranges::kGain2Kd4);
    EXPECT_EQ((std::vector<int>{p.micGain, p.gain2, p.monitorMicCut, p.kd4Mute, p.kd4Lock}),
              (std::vector<int>{47, 80, 80, 1, 0}));
    for (int band = 1; band <= kEqBands; ++band) {
        const int block = 0x10 + 8 * (band - 1);
        ASSERT_EQ(BandOfBlock(block) * 10 + BandOfBlock(block + 4), band * 10);
        for (const auto& [data, freq, gain] : {std::tuple{"00 00 14 00", 0, 150},
                                               {"4E 21 14 10", 20000, 300},
                                               {"FF FF FF 9C", 20000, 0}}) {
            char answer[48];
            std::snprintf(answer, sizeof answer, "FF A0 00 %02X 04 01 %s", block, data);
            DecodeBandBlock(Hex(answer), band, p);
            const EqBandValue b = p.graphBands[band - 1].Value();
            EXPECT_EQ(std::pair(b.freq, b.gain),
                      std::pair(freq ? freq : kDefaultBandFreq[band - 1], gain))
                << answer;
        }
    }
}

// Random 16 bytes; most of them given the header of an answer to one of the blocks or the level,
// so that they reach the decoders behind the header checks.
Report RandomAnswer(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    Report answer;
    for (std::uint8_t& b : answer) b = static_cast<std::uint8_t>(byte(random));
    const std::uint8_t blocks[] = {0x00, 0x40, 0x10, 0x18, 0x20, 0x28, 0x30, 0x50, 0xAE};
    if (byte(random) < 224) {
        answer[0] = 0xFF;
        answer[5] = 0x01;
        answer[3] = blocks[byte(random) % 9];
        if (byte(random) < 192) answer[1] = 0xA0;
    }
    return answer;
}

// Whatever a device answers, neither the decoders (reached through the KD4 parser and the TORVA
// answer decoder), nor the TORVA read-back and level poll can leave a field outside its range.
TEST(SettingsBlocksTest, NoAnswerTakesTheModelOutOfRange) {
    std::mt19937 random(2024);
    for (const Model model : kModels) {
        CommandRig rig;
        DeviceParams& p = rig.params;
        p.deviceModel = model;
        const bool synchronous = ProfileOf(model).readBack == ReadBackKind::Synchronous;
        for (int i = 0; i < 4000; ++i) {
            const Report answer = RandomAnswer(random);
            if (!synchronous) ParseInputReport(answer, p);
            if (synchronous) {
                DecodeStoreAnswer(answer, p, ProfileOf(model));
                rig.link.QueueAnswer(answer, static_cast<std::uint8_t>(i % 17));
                rig.link.QueueAnswer(RandomAnswer(random));
                std::int32_t first = 0;
                std::int32_t second = 0;
                (i % 2 == 0) ? rig.commands.PollLevels(first, second)
                             : rig.commands.ReadAllSettings();
            }
            ASSERT_EQ(FieldsOutOfRange(p), std::vector<std::string>{}) << TraceHex(answer);
        }
    }
}

}  // namespace
}  // namespace quavelo
