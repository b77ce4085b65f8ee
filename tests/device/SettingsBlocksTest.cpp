#include "device/SettingsBlocks.h"

#include <gtest/gtest.h>

#include "device/CommandRig.h"
#include "device/Kd4ReportParser.h"
#include "support/ParamsInRange.h"
#include "support/SettingsByName.h"

namespace quavelo {
namespace {

using namespace test;

Report Answer(std::string_view hex) { return ParseHexReport(hex).value(); }

// Whatever the model holds in range, each model's blocks read back as they were written. The
// bytes themselves are pinned by the command tables and the reviewed traces.
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
    DeviceParams p;
    p.graphBands[3].q = 25;
    p.graphBands[4].q = 255;
    EXPECT_EQ(BandBlock(p, 4)[8], 2) << "Q 2.5 is stored as 2";
    EXPECT_EQ(BandBlock(p, 5)[8], 25);
}

// Values beyond the ranges are held at the nearest end; the KD4 rules leave stereo and gain2.
TEST(SettingsBlocksTest, AnswersOutOfRangeAreHeldInRange) {
    for (const char* answer : {"FF A0 00 00 0A 01  02 02 04 02 03 A1 30 30 02 02",
                               "FF A0 00 00 0A 01  FF FF 09 FF FF FF C8 C8 FF FF"}) {
        DeviceParams torva;
        DeviceParams kd4;
        kd4.gain2 = 66;
        DecodeSettingsBlock(Answer(answer), torva);
        DecodeSettingsBlockKd4(Answer(answer), kd4);
        for (const auto& [p, stereo, gain2] : {std::tuple{&torva, 1, 47}, {&kd4, 0, 66}}) {
            EXPECT_EQ((std::vector<int>{p->stereo, p->limiterOn, p->limiterLevel, p->hpfOn,
                                        p->hpfFreq, p->monitorMicCut, p->monitorPlaybackCut,
                                        p->gain2, p->micGain, p->eqEnabled, p->eqMode}),
                      (std::vector<int>{stereo, 1, 3, 1, 2, 80, 0, gain2, 47, 1, 0}))
                << answer;
        }
    }
    DeviceParams p;
    DecodeSliderGainBlockKd4(Answer("FF A0 00 40 09 01  9C 80 7F 10 F0  51 02 FF 02"), p);
    EXPECT_EQ((std::vector<int>{p.sliderBands[0].gain, p.sliderBands[1].gain, p.sliderBands[2].gain,
                                p.sliderBands[3].gain, p.sliderBands[4].gain, p.gain2, p.kd4SwitchA,
                                p.kd4Lock, p.kd4SwitchB}),
              (std::vector<int>{0, 0, 300, 300, 0, 80, 1, 1, 1}));
    DecodeStatusBlockKd4(Answer("FF A0 00 50 05 01  C8 50 FF 05 00"), p);
    EXPECT_EQ((std::vector<int>{p.micGain, p.gain2, p.monitorMicCut, p.monitorPlaybackCut,
                                p.kd4SwitchA, p.kd4Lock}),
              (std::vector<int>{47, 80, 80, 0, 1, 0}));
    // clang-format off
    const std::tuple<const char*, int, int> bands[] = {  // data, freq (0: the default), gain
        {"00 00 14 00", 0, 150}, {"4E 21 14 10", 20000, 300}, {"FF FF FF 9C", 20000, 0}};
    // clang-format on
    for (int band = 1; band <= kEqBands; ++band) {
        const int block = 0x10 + 8 * (band - 1);
        ASSERT_EQ(BandOfBlock(block) * 10 + BandOfBlock(block + 4), band * 10);
        for (const auto& [data, freq, gain] : bands) {
            char answer[48];
            std::snprintf(answer, sizeof answer, "FF A0 00 %02X 04 01 %s", block, data);
            DeviceParams q;
            DecodeBandBlock(Answer(answer), band, q);
            const EqBandValue b = q.graphBands[band - 1].Value();
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
    for (const std::int32_t model : {kModelTorva, kModelKd4}) {
        CommandRig rig;
        DeviceParams& p = rig.params;
        p.deviceModel = model;
        for (int i = 0; i < 4000; ++i) {
            const Report answer = RandomAnswer(random);
            if (model == kModelKd4) ParseKd4Report(answer, p);
            if (model == kModelTorva) {
                DecodeTorvaAnswer(answer, p);
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
