#include <gtest/gtest.h>

#include <functional>

#include "device/CommandRig.h"
#include "device/DeviceCommands.h"

namespace quavelo {
namespace {

using namespace test;

Report Hex(std::string_view hex) { return ParseHexReport(hex).value(); }

const char* const kRequests[] = {"FF A0 00 00 0A 01", "FF A0 00 40 05 01", "FF A0 00 10 04 01",
                                 "FF A0 00 18 04 01", "FF A0 00 20 04 01", "FF A0 00 28 04 01",
                                 "FF A0 00 30 04 01"};

const char* const kAnswers[] = {"FF A0 00 00 0A 01  01 00 03 00 02 55 07 14 00 00",
                                "FF A0 00 40 05 01  F1 FF 00 06 0F",
                                "FF A0 00 10 04 01  00 50 14 01",
                                "FF A0 00 18 04 01  00 00 14 FE",
                                "FF A0 00 20 04 01  03 E8 14 06",
                                "FF A0 00 28 04 01  0F A0 14 00",
                                "FF A0 00 30 04 01  4E 20 14 0F"};

TEST(ReadAllSettingsTest, OneRequestAndOneAnswerPerBlock) {
    CommandRig rig;
    std::vector<std::string> expected;
    for (int i = 0; i < 7; ++i) {
        rig.link.QueueAnswer(Hex(kAnswers[i]));
        expected.push_back(Wrote(kRequests[i]));
        expected.push_back("R " + PaddedHex(kAnswers[i]));
    }
    ASSERT_TRUE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.trace.Events(), expected) << "no pauses, nothing logged";

    // One field of each block shows its answer reached the TORVA decoder of that block.
    const DeviceParams& p = rig.params;
    EXPECT_EQ(p.stereo, 1);
    EXPECT_EQ(p.gain2, 7);
    EXPECT_EQ(p.eqMode, 1);
    EXPECT_EQ(p.sliderBands[3].gain, 210);
    const int freqs[] = {80, 250, 1000, 4000, 20000};
    for (int i = 0; i < kEqBands; ++i) EXPECT_EQ(p.graphBands[i].freq, freqs[i]) << i + 1;
    EXPECT_EQ(p.graphBands[4].gain, 300);
}

class MismatchedAnswerTest : public testing::TestWithParam<const char*> {};

TEST_P(MismatchedAnswerTest, IsSkippedAndTheNextRequestStillSent) {
    CommandRig rig;
    rig.link.QueueAnswer(Hex(GetParam()));
    for (int i = 1; i < 7; ++i) rig.link.QueueAnswer(Hex(kAnswers[i]));
    ASSERT_TRUE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.link.Written().size(), 7u);
    EXPECT_EQ(rig.params.micGain, 20) << "block 0x00 keeps its values";
    EXPECT_EQ(rig.params.stereo, 1);
    EXPECT_EQ(rig.params.sliderBands[0].gain, 0) << "the next block is still read";
}

// Answers to the request for block 0x00 that do not answer it.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, MismatchedAnswerTest, testing::Values(
    "FF A0 00 40 0A 01  00 00 01 00 01 00 00 2F 00 00",   // another block
    "FE A0 00 00 0A 01  00 00 01 00 01 00 00 2F 00 00",   // byte 0
    "FF A0 00 00 0A 00  00 00 01 00 01 00 00 2F 00 00",   // byte 5
    "FF 70 00 AE 04 01  00 20 00 00"));                   // a level value
// clang-format on

TEST(ReadAllSettingsTest, AFailedReadStopsAndKeepsWhatWasDecoded) {
    CommandRig rig;
    rig.link.QueueAnswer(Hex(kAnswers[0]));
    rig.link.QueueAnswer(Hex(kAnswers[1]));
    rig.link.QueueReadFailure();
    rig.link.QueueAnswer(Hex(kAnswers[3]));
    EXPECT_FALSE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.link.Written().size(), 3u);
    EXPECT_EQ(rig.link.PendingAnswers(), 1u);
    EXPECT_EQ(rig.params.limiterLevel, 3);
    EXPECT_EQ(rig.params.sliderBands[4].gain, 300);
    EXPECT_EQ(rig.params.graphBands[0].freq, 100) << "band 1 was not read";
}

TEST(ReadAllSettingsTest, AFailedRequestReadsNothing) {
    CommandRig rig;
    rig.link.QueueAnswer(Hex(kAnswers[0]));
    rig.link.FailWrite(1);
    EXPECT_FALSE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.link.PendingAnswers(), 1u);
    EXPECT_EQ(rig.params.micGain, 20);
}

TEST(ReadAllSettingsTest, BytesBeyondAShortAnswerReadAsZero) {
    CommandRig rig;
    for (int i = 0; i < 2; ++i) rig.link.QueueAnswer(Hex(kAnswers[i]));
    rig.link.QueueAnswer(Hex("FF A0 00 10 04 01  0F A0 14 06"), 8);
    for (int i = 3; i < 7; ++i) rig.link.QueueAnswer(Hex(kAnswers[i]));
    ASSERT_TRUE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.params.graphBands[0].freq, 4000);
    EXPECT_EQ(rig.params.graphBands[0].gain, 150) << "the gain byte lay beyond the answer";
}

TEST(PollLevelsTest, RequestsBothMetersAndTakesMatchingAnswers) {
    CommandRig rig;
    rig.link.QueueAnswer(Hex("FF 70 00 AE 04 01  00 20 00 00"));
    rig.link.QueueAnswer(Hex("FF 70 00 B0 04 01  00 01 02 03"));
    std::int32_t first = -5;
    std::int32_t second = -5;
    ASSERT_TRUE(rig.commands.PollLevels(first, second));
    EXPECT_EQ(first, 0x00200000);
    EXPECT_EQ(second, 0x00010203);
    EXPECT_EQ(rig.link.Written().size(), 2u);
    EXPECT_EQ(TraceHex(rig.link.Written()[0]), PaddedHex("FF 70 00 AE 04 01"));
    EXPECT_EQ(TraceHex(rig.link.Written()[1]), PaddedHex("FF 70 00 B0 04 01"));
}

TEST(PollLevelsTest, AnAnswerForAnotherAddressLeavesTheValue) {
    CommandRig rig;
    rig.link.QueueAnswer(Hex("FF 70 00 B0 04 01  00 20 00 00"));
    rig.link.QueueAnswer(Hex("FF 70 00 B0 04 00  00 20 00 00"));
    std::int32_t first = -5;
    std::int32_t second = -6;
    EXPECT_TRUE(rig.commands.PollLevels(first, second));
    EXPECT_EQ(first, -5);
    EXPECT_EQ(second, -6);
}

TEST(PollLevelsTest, FailsAtAFailedReadOrWrite) {
    std::int32_t first = 0;
    std::int32_t second = 0;
    CommandRig silent;
    EXPECT_FALSE(silent.commands.PollLevels(first, second));
    EXPECT_EQ(silent.link.Written().size(), 1u) << "no second request after a failed read";

    CommandRig broken;
    broken.link.QueueAnswer(Hex("FF 70 00 AE 04 01  00 00 00 07"));
    broken.link.FailWrite(2);
    EXPECT_FALSE(broken.commands.PollLevels(first, second));
    EXPECT_EQ(first, 7);
}

// ---- Push all ---------------------------------------------------------------------------------

// The trace of the commands the push is made of, run one by one on a rig of their own.
std::vector<std::string> PushReference(int eqMode, int eqEnabled) {
    CommandRig ref;
    ref.params.eqMode = eqMode;
    ref.params.eqEnabled = eqEnabled;
    auto& c = ref.commands;
    for (int band = 1; band <= kEqBands; ++band) {
        if (eqMode == 1) {
            eqEnabled == 1 ? c.SetGraphBand(band) : c.SetGraphBandFlat(band);
        } else {
            eqEnabled == 1 ? c.SetSliderBand(band) : c.SetSliderBandFlat(band);
        }
    }
    c.SetMicGain(20);
    c.SetGain2(7);
    c.SetHighPass(1, 2);
    c.SetLimiter(1, 2);
    c.SetStereo(1);
    c.SetMonitorMicCut(5);
    c.SetMonitorPlaybackCut(0);
    return ref.trace.Events();
}

class PushAllSettingsTest : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(PushAllSettingsTest, TheActiveBandSetThenEverySetting) {
    const auto [eqMode, eqEnabled] = GetParam();
    CommandRig rig;
    rig.params.connected = 1;
    rig.params.eqMode = eqMode;
    rig.params.eqEnabled = eqEnabled;
    EXPECT_TRUE(rig.commands.PushAllSettings());
    EXPECT_EQ(rig.trace.Events(), PushReference(eqMode, eqEnabled));
    EXPECT_EQ(rig.link.Written().size(), 5u * 8u + 2 + 2 + 8 + 9 + 3 + 2 + 2);
    EXPECT_TRUE(rig.prompt.Infos().empty());
}

INSTANTIATE_TEST_SUITE_P(EqualiserStates, PushAllSettingsTest,
                         testing::Values(std::pair{1, 1}, std::pair{1, 0}, std::pair{0, 1},
                                         std::pair{0, 0}));

TEST(PushAllSettingsTest, DoesNothingUnlessConnected) {
    CommandRig rig;
    EXPECT_FALSE(rig.commands.PushAllSettings());
    EXPECT_TRUE(rig.trace.Events().empty());
}

TEST(PushAllSettingsTest, StopsAtTheFirstFailureAndSaysSo) {
    for (int failing : {1, 8, 41, 66}) {
        CommandRig rig;
        rig.params.connected = 1;
        rig.link.FailWrite(failing);
        EXPECT_FALSE(rig.commands.PushAllSettings());
        const auto events = rig.trace.Events();
        ASSERT_GE(events.size(), 2u);
        EXPECT_TRUE(events[events.size() - 2].starts_with("X ")) << failing;
        EXPECT_EQ(events.back(), "I 发送失败") << failing;
        EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"发送失败"});
        EXPECT_EQ(rig.link.WriteAttempts(), failing);
    }
}

}  // namespace
}  // namespace quavelo
