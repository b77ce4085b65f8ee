#include <gtest/gtest.h>

#include "device/CommandRig.h"
#include "device/ControlSends.h"
#include "device/InputReportParser.h"

namespace quavelo {
namespace {

using namespace test;

// The answers of a whole read-back; each request is its answer's first six bytes.
const char* const kAnswers[] = {"FF A0 00 00 0A 01  01 00 03 00 02 55 07 14 00 00",
                                "FF A0 00 40 05 01  F1 FF 00 06 0F",
                                "FF A0 00 10 04 01  00 50 14 01",
                                "FF A0 00 18 04 01  00 00 14 FE",
                                "FF A0 00 20 04 01  03 E8 14 06",
                                "FF A0 00 28 04 01  0F A0 14 00",
                                "FF A0 00 30 04 01  4E 20 14 0F"};

// Each block is asked for and its answer decoded by the TORVA rules. An answer to anything else is
// skipped and the next block still asked for; bytes beyond a short answer read as 0; a failed read
// ends the read-back and keeps what was decoded.
TEST(ReadAllSettingsTest, AsksForEachBlockAndDecodesOnlyItsOwnAnswer) {
    CommandRig rig;
    Reports expected;
    for (int i = 0; i < 7; ++i) {
        rig.link.QueueAnswer(Hex(kAnswers[i]));
        expected.push_back(Wrote(std::string(kAnswers[i], 17)));
        expected.push_back("R " + PaddedHex(kAnswers[i]));
    }
    ASSERT_TRUE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.trace.Events(), expected) << "no pauses, nothing logged";
    const DeviceParams& p = rig.params;
    EXPECT_EQ(p.stereo * 100 + p.gain2, 107) << "the TORVA rules read stereo and gain2";
    EXPECT_EQ(p.sliderBands[3].gain, 210);
    const int freqs[] = {80, 250, 1000, 4000, 20000};  // 0 is band 2's default
    for (int i = 0; i < kEqBands; ++i) EXPECT_EQ(p.graphBands[i].freq, freqs[i]) << i + 1;

    for (const char* other : {"FF A0 00 40 0A 01  00 00 01 00 01 00 00 2F",
                              "FE A0 00 00 0A 01  00 00 01 00 01 00 00 2F",
                              "FF A0 00 00 0A 00  00 00 01 00 01 00 00 2F"}) {
        CommandRig skipped;
        skipped.link.QueueAnswer(Hex(other));
        skipped.link.QueueAnswer(Hex(kAnswers[1]), 8);
        EXPECT_FALSE(skipped.commands.ReadAllSettings()) << "the third read fails";
        EXPECT_EQ(skipped.link.WriteAttempts(), 3);
        const DeviceParams& q = skipped.params;
        EXPECT_EQ((std::array<int, 4>{q.micGain, q.sliderBands[1].gain, q.sliderBands[2].gain,
                                      q.graphBands[0].freq}),
                  (std::array<int, 4>{20, 140, 150, 100}))
            << other;
    }
}

// Each meter is asked for in turn and takes only an answer for its own address.
TEST(PollLevelsTest, AsksForBothMetersAndTakesOnlyTheirOwnAnswers) {
    CommandRig rig;
    rig.link.QueueAnswer(Hex("FF 70 00 AE 04 01  00 20 00 00"));
    rig.link.QueueAnswer(Hex("FF 70 00 AE 04 01  00 01 02 03"));
    std::int32_t first = -5;
    std::int32_t second = -6;
    ASSERT_TRUE(rig.commands.PollLevels(first, second));
    EXPECT_EQ(std::pair(first, second), std::pair(0x00200000, -6));
    EXPECT_EQ(rig.link.Written(),
              (std::vector{Hex("FF 70 00 AE 04 01"), Hex("FF 70 00 B0 04 01")}));
    rig.link.QueueAnswer(Hex("FF 70 00 AE 04 00  00 00 00 07"));
    EXPECT_FALSE(rig.commands.PollLevels(first, second)) << "the second read fails";
    EXPECT_EQ(first, 0x00200000) << "byte 5 says no answer";
}

// A push sends what a preset recall sends after its settings block, whatever set is in use.
TEST(PushAllSettingsTest, SendsWhatARecallSendsAfterItsSettingsBlock) {
    for (const auto& [mode, enabled] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
        CommandRig push;
        CommandRig recall;
        for (DeviceParams* p : {&push.params, &recall.params}) {
            Set({{&p->eqMode, mode}, {&p->eqEnabled, enabled}});
        }
        push.params.connected = 1;
        ASSERT_TRUE(push.commands.PushAllSettings());
        SendPresetRecall(recall.commands);
        const Reports recalled = recall.trace.Events();
        EXPECT_TRUE(recalled[0].starts_with(Wrote("FF A0 00 00 0A 00").substr(0, 19)));
        EXPECT_EQ(push.trace.Events(), Reports(recalled.begin() + 1, recalled.end()));
    }
    CommandRig disconnected;
    EXPECT_FALSE(disconnected.commands.PushAllSettings());
    EXPECT_TRUE(disconnected.trace.Events().empty());
}

// meterReady, statusReady, readbackDone and the six blockSeen flags after `reports`.
std::vector<int> FlagsAfter(std::initializer_list<const char*> reports, DeviceParams& p) {
    for (const char* report : reports) ParseInputReport(Hex(report), p);
    std::vector<int> flags{p.meterReady, p.statusReady, p.readbackDone};
    flags.insert(flags.end(), p.blockSeen.begin(), p.blockSeen.end());
    return flags;
}

// Each answer raises its own flag only, after its fields; a level is taken whatever byte 1 holds.
TEST(InputReportParserTest, EachAnswerSetsItsFieldsAndItsFlagOnly) {
    using Field = int (*)(const DeviceParams&);
    // clang-format off
    const std::tuple<const char*, int, Field, int> cases[] = {
        // report, its flag in FlagsAfter() (-1: none), what it sets (gain2 66 before), value
        {"FF 70 00 AE 04 01  00 20 00 00", 0, [](auto& p) -> int { return p.meterLevel; }, 1 << 21},
        {"FF 00 00 AE 04 01  FF FF FF FE", 0, [](auto& p) -> int { return p.meterLevel; }, -2},
        {"FF 70 00 AE 04 00  00 20 00 00", -1, [](auto& p) -> int { return p.meterLevel; }, 0},
        {"FF A0 00 50 05 01  14 50 55 01 01", 1,
         [](auto& p) -> int { return p.monitorMicCut * 100 + p.micGain; }, 520},
        {"FF A0 00 00 0A 01  01 00 03 00 02 55 07 14 00 00", 3,  // the KD4 rules
         [](auto& p) -> int { return p.stereo * 1000 + p.gain2 * 100 + p.micGain; }, 6620},
        {"FF A0 00 40 09 01  F1 FF 00 06 0F  33 01 01 01", 4,
         [](auto& p) -> int { return p.gain2 * 10 + p.kd4Indicator; }, 511},
        {"FF A0 00 18 04 01  0F A0 14 06", 6, [](auto& p) -> int { return p.graphBands[1].freq; }, 4000},
        {"FF A0 00 28 04 01  0F A0 14 06", 8, [](auto& p) -> int { return p.graphBands[3].gain; }, 210},
        {"FE A0 00 00 0A 01  01 01 03 01 02 55 07 14 01 00", -1, [](auto& p) -> int { return p.micGain; }, 0},
        {"FF 70 00 00 0A 01  01 01 03 01 02 55 07 14 01 00", -1, [](auto& p) -> int { return p.micGain; }, 0},
        {"FF A0 00 50 05 00  14 50 55 01 01", -1, [](auto& p) -> int { return p.micGain; }, 0},
        {"FF A0 00 38 04 01  0F A0 14 06", -1, [](auto& p) -> int { return p.graphBands[4].freq; }, 0}};
    // clang-format on
    for (const auto& [report, flag, field, value] : cases) {
        DeviceParams p;
        p.deviceModel = Model::Kd4;
        p.gain2 = 66;
        std::vector<int> expected(9, 0);
        if (flag >= 0) expected[flag] = 1;
        EXPECT_EQ(FlagsAfter({report}, p), expected) << report;
        EXPECT_EQ(field(p), value) << report;
    }
}

TEST(InputReportParserTest, TheReadBackIsDoneWhenBandFiveFollowsAllSixBlocks) {
    const char* const blocks[] = {"FF A0 00 00 0A 01", "FF A0 00 40 09 01", "FF A0 00 10 04 01",
                                  "FF A0 00 18 04 01", "FF A0 00 20 04 01", "FF A0 00 28 04 01"};
    const char* const band5 = "FF A0 00 30 04 01  27 10 14 03";
    for (int missing = 0; missing < 6; ++missing) {
        DeviceParams p;
        for (int i = 0; i < 6; ++i) {
            if (i != missing) ParseInputReport(Hex(blocks[i]), p);
        }
        EXPECT_EQ(FlagsAfter({band5}, p)[2], 0) << blocks[missing] << " missing";
    }
    DeviceParams p;
    EXPECT_EQ(
        FlagsAfter({band5, blocks[0], blocks[1], blocks[2], blocks[3], blocks[4], blocks[5]}, p)[2],
        0)
        << "band 5 came first";
    EXPECT_EQ(FlagsAfter({band5}, p), std::vector<int>({0, 0, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(p.graphBands[4].gain, 180);
}

}  // namespace
}  // namespace quavelo
