#include <gtest/gtest.h>

#include "device/CommandRig.h"
#include "device/Kd4ReportParser.h"
#include "device/SettingsBlocks.h"
#include "support/ParamsInRange.h"

namespace quavelo {
namespace {

using namespace test;

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

// Whatever a device answers, no decoder, neither the KD4 parser nor the TORVA read-back and
// level poll can leave a field of the model outside its range.
TEST(HostileInputTest, NoAnswerTakesTheModelOutOfRange) {
    std::mt19937 random(2024);
    for (const std::int32_t model : {kModelTorva, kModelKd4}) {
        CommandRig rig;
        rig.params.deviceModel = model;
        for (int i = 0; i < 4000; ++i) {
            const Report answer = RandomAnswer(random);
            DeviceParams& p = rig.params;
            if (model == kModelTorva) {
                DecodeSettingsBlock(answer, p);
                DecodeSliderGainBlock(answer, p);
                DecodeTorvaAnswer(answer, p);
                rig.link.QueueAnswer(answer, static_cast<std::uint8_t>(i % 17));
                rig.link.QueueAnswer(RandomAnswer(random));
                if (i % 2 == 0) {
                    std::int32_t first = 0;
                    std::int32_t second = 0;
                    rig.commands.PollLevels(first, second);
                } else {
                    rig.commands.ReadAllSettings();
                }
            } else {
                DecodeSettingsBlockKd4(answer, p);
                DecodeSliderGainBlockKd4(answer, p);
                DecodeStatusBlockKd4(answer, p);
                ParseKd4Report(answer, p);
            }
            DecodeBandBlock(answer, 1 + i % kEqBands, p);
            ASSERT_EQ(FieldsOutOfRange(p), std::vector<std::string>{}) << TraceHex(answer);
        }
    }
}

}  // namespace
}  // namespace quavelo
