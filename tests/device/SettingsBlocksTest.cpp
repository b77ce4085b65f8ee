#include "device/SettingsBlocks.h"

#include <gtest/gtest.h>

#include "device/CommandRig.h"
#include "support/SettingsByName.h"

namespace quavelo {
namespace {

using namespace test;

Report Answer(std::string_view hex) { return ParseHexReport(hex).value(); }

TEST(SettingsBlocksTest, GainBlocksInWholeDecibelsThenTheKd4Switches) {
    DeviceParams p;
    const int gains[] = {0, 145, 155, 300, 301};
    for (int i = 0; i < kEqBands; ++i) p.sliderBands[i].gain = gains[i];
    p.gain2 = 80;
    p.kd4SwitchA = 1;
    p.kd4Lock = 1;
    EXPECT_EQ(TraceHex(SliderGainBlock(p)), PaddedHex("FF A0 00 40 05 00  F1 FF 00 0F 0F"));
    EXPECT_EQ(TraceHex(SliderGainBlockKd4(p)),
              PaddedHex("FF A0 00 40 09 00  F1 FF 00 0F 0F  50 01 01 00"));
}

TEST(SettingsBlocksTest, BandBlockCarriesFrequencyQAndWholeDecibels) {
    // clang-format off
    const std::tuple<int, int, int, int, const char*> cases[] = {  // band, freq, q, gain, block
        {1, 100, 20, 150, "FF A0 00 10 04 00  00 64 02 00"},
        {4, 4000, 25, 145, "FF A0 00 28 04 00  0F A0 02 FF"},
        {5, 20000, 255, 300, "FF A0 00 30 04 00  4E 20 19 0F"},
        {2, 20, 10, 0, "FF A0 00 18 04 00  00 14 01 F1"}};
    // clang-format on
    for (const auto& [band, freq, q, gain, block] : cases) {
        DeviceParams p;
        p.graphBands[band - 1].freq = freq;
        p.graphBands[band - 1].q = q;
        p.graphBands[band - 1].gain = gain;
        EXPECT_EQ(TraceHex(BandBlock(p, band)), PaddedHex(block));
    }
}

// The fields block 0x00 sets, in the order of the block's bytes.
std::vector<int> BlockFields(const DeviceParams& p) {
    return {p.stereo,        p.limiterOn,          p.limiterLevel, p.hpfOn,   p.hpfFreq,
            p.monitorMicCut, p.monitorPlaybackCut, p.gain2,        p.micGain, p.eqEnabled,
            p.eqMode};
}

TEST(SettingsBlocksTest, SettingsAnswersDecodeByEachModelsRules) {
    // clang-format off
    const std::pair<const char*, std::vector<int>> cases[] = {
        //                                                  st lo ll ho hf mc pc  g2 mg en md
        {"FF A0 00 00 0A 01  01 01 02 01 02 55 07 14 01 00", {1, 1, 2, 1, 2, 5, 0, 7, 20, 1, 1}},
        {"FF A0 00 00 0A 01  00 00 00 00 00 00 00 00 00 00", {0, 0, 1, 0, 1, 0, 80, 0, 0, 0, 1}},
        {"FF A0 00 00 0A 01  01 01 03 01 02 A0 2F 2F 01 01", {1, 1, 3, 1, 2, 80, 0, 47, 47, 1, 0}},
        {"FF A0 00 00 0A 01  02 02 04 02 03 A1 30 30 02 02", {1, 1, 3, 1, 2, 80, 0, 47, 47, 1, 0}},
        {"FF A0 00 00 0A 01  FF FF 09 FF FF FF C8 C8 FF FF", {1, 1, 3, 1, 2, 80, 0, 47, 47, 1, 0}}};
    // clang-format on
    for (const auto& [answer, fields] : cases) {
        DeviceParams torva;
        DecodeSettingsBlock(Answer(answer), torva);
        EXPECT_EQ(BlockFields(torva), fields) << answer;
        DeviceParams kd4;
        kd4.stereo = 0;
        kd4.gain2 = 66;
        DecodeSettingsBlockKd4(Answer(answer), kd4);
        std::vector<int> expected = fields;
        expected[0] = 0;  // stereo and gain2 are not read from the KD4
        expected[7] = 66;
        EXPECT_EQ(BlockFields(kd4), expected) << answer;
    }
}

TEST(SettingsBlocksTest, GainAnswersDecodeByEachModelsRules) {
    // clang-format off
    const std::pair<const char*, std::vector<int>> cases[] = {
        //                                                    five gains, gain2, switch A, lock, B
        {"FF A0 00 40 09 01  F1 FF 00 06 0F  50 01 00 01", {0, 140, 150, 210, 300, 80, 1, 0, 1}},
        {"FF A0 00 40 09 01  00 00 00 00 00  00 00 00 00", {150, 150, 150, 150, 150, 0, 0, 0, 0}},
        {"FF A0 00 40 09 01  9C 80 7F 10 F0  51 02 FF 02", {0, 0, 300, 300, 0, 80, 1, 1, 1}}};
    // clang-format on
    for (const auto& [answer, fields] : cases) {
        DeviceParams torva;
        DecodeSliderGainBlock(Answer(answer), torva);
        DeviceParams kd4;
        DecodeSliderGainBlockKd4(Answer(answer), kd4);
        std::vector<int> read;
        for (const auto* p : {&torva, &kd4}) {
            for (int i = 0; i < kEqBands; ++i) read.push_back(p->sliderBands[i].gain);
        }
        read.insert(read.end(), {kd4.gain2, kd4.kd4SwitchA, kd4.kd4Lock, kd4.kd4SwitchB});
        std::vector<int> expected(fields.begin(), fields.begin() + kEqBands);
        expected.insert(expected.end(), fields.begin(), fields.end());
        EXPECT_EQ(read, expected) << answer;
        EXPECT_EQ(torva.gain2 + torva.kd4SwitchA + torva.kd4Lock + torva.kd4SwitchB, 0);
    }
}

TEST(SettingsBlocksTest, BandAnswersDecodeAlikeForEveryBand) {
    // clang-format off
    const std::tuple<const char*, int, int> cases[] = {  // data, freq (0: the default), gain
        {"0F A0 14 06", 4000, 210}, {"00 00 14 00", 0, 150}, {"00 13 14 00", 20, 150},
        {"4E 20 14 0F", 20000, 300}, {"4E 21 14 10", 20000, 300}, {"FF FF FF 9C", 20000, 0}};
    // clang-format on
    for (int band = 1; band <= kEqBands; ++band) {
        const int block = 0x10 + 8 * (band - 1);
        ASSERT_EQ(BandOfBlock(block), band);
        ASSERT_EQ(BandOfBlock(block + 4), 0);
        for (const auto& [data, freq, gain] : cases) {
            char answer[48];
            std::snprintf(answer, sizeof answer, "FF A0 00 %02X 04 01 %s", block, data);
            DeviceParams p;
            p.graphBands[band - 1].q = 33;
            DecodeBandBlock(Answer(answer), band, p);
            EXPECT_EQ(p.graphBands[band - 1].freq, freq ? freq : kDefaultBandFreq[band - 1]);
            EXPECT_EQ(p.graphBands[band - 1].gain, gain) << answer;
            EXPECT_EQ(p.graphBands[band - 1].q, 33) << "the stored Q is not read back";
            EXPECT_EQ(p.graphBands[band % kEqBands].freq, 0) << "another band";
        }
    }
}

TEST(SettingsBlocksTest, StatusAnswersAndLevelValues) {
    // clang-format off
    const std::pair<const char*, std::vector<int>> cases[] = {
        //                                       micGain gain2 mic cut, playback cut, A, lock
        {"FF A0 00 50 05 01  14 50 55 01 01", {20, 80, 5, 0, 1, 1}},
        {"FF A0 00 50 05 01  00 00 00 00 00", {0, 0, 0, 80, 0, 0}},
        {"FF A0 00 50 05 01  C8 51 FF 05 09", {47, 80, 80, 0, 1, 1}}};
    // clang-format on
    for (const auto& [answer, fields] : cases) {
        DeviceParams p;
        DecodeStatusBlockKd4(Answer(answer), p);
        EXPECT_EQ((std::vector<int>{p.micGain, p.gain2, p.monitorMicCut, p.monitorPlaybackCut,
                                    p.kd4SwitchA, p.kd4Lock}),
                  fields)
            << answer;
    }
    EXPECT_EQ(DecodeLevelValue(Answer("FF 70 00 AE 04 01  00 20 00 00")), 0x00200000);
    EXPECT_EQ(DecodeLevelValue(Answer("FF 70 00 AE 04 01  FF FF FF FE")), -2);
}

// Whatever the model holds in range, each model's blocks read back as they were written.
TEST(SettingsBlocksTest, EveryBlockReadsBackAsWritten) {
    std::mt19937 random(11);
    for (int i = 0; i < 500; ++i) {
        for (const std::int32_t model : {kModelTorva, kModelKd4}) {
            DeviceParams written;
            DeviceParams read;
            written.ResetToInitialValues();
            read.ResetToInitialValues();
            read.deviceModel = model;
            Randomise(random, written, model);
            if (model == kModelTorva) {
                DecodeSettingsBlock(SettingsBlock(written), read);
                DecodeSliderGainBlock(SliderGainBlock(written), read);
            } else {
                DecodeSettingsBlockKd4(SettingsBlockKd4(written), read);
                DecodeSliderGainBlockKd4(SliderGainBlockKd4(written), read);
            }
            for (int band = 1; band <= kEqBands; ++band) {
                DecodeBandBlock(BandBlock(written, band), band, read);
            }
            ASSERT_EQ(SettingsByName(read), SettingsByName(written)) << "model " << model;
        }
    }
}

}  // namespace
}  // namespace quavelo
