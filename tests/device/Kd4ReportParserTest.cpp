#include "device/Kd4ReportParser.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace quavelo {
namespace {

Report Hex(std::string_view hex) { return ParseHexReport(hex).value(); }

void Parse(std::string_view hex, DeviceParams& params) { ParseKd4Report(Hex(hex), params); }

class Kd4ReportParserTest : public testing::Test {
  protected:
    Kd4ReportParserTest() {
        p_.ResetToInitialValues();
        p_.deviceModel = kModelKd4;
    }

    std::array<int, kBlockSeenFlags> Seen() const {
        std::array<int, kBlockSeenFlags> seen{};
        for (int i = 0; i < kBlockSeenFlags; ++i) seen[i] = p_.blockSeen[i];
        return seen;
    }

    DeviceParams p_;
};

struct LevelCase {
    const char* report;
    bool taken;
    std::int32_t level;
};

class Kd4LevelTest : public Kd4ReportParserTest, public testing::WithParamInterface<LevelCase> {};

TEST_P(Kd4LevelTest, LevelValuesWhateverByteOneHolds) {
    p_.meterLevel = -1;
    Parse(GetParam().report, p_);
    EXPECT_EQ(p_.meterReady, GetParam().taken ? 1 : 0);
    EXPECT_EQ(p_.meterLevel, GetParam().taken ? GetParam().level : -1);
    EXPECT_EQ(p_.statusReady + p_.readbackDone, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Reports, Kd4LevelTest, testing::Values(
    LevelCase{"FF 70 00 AE 04 01  00 20 00 00", true, 0x00200000},
    LevelCase{"FF A0 00 AE 04 01  00 12 34 56", true, 0x00123456},
    LevelCase{"FF 00 00 AE 04 01  00 00 00 01", true, 1},
    LevelCase{"FF 70 00 AE 04 01  FF FF FF FF", true, -1},
    LevelCase{"FF 70 00 AE 04 00  00 20 00 00", false, 0},    // byte 5
    LevelCase{"FE 70 00 AE 04 01  00 20 00 00", false, 0},    // byte 0
    LevelCase{"FF 70 00 B0 04 01  00 20 00 00", false, 0}));  // the second meter is TORVA's
// clang-format on

TEST_F(Kd4ReportParserTest, StatusBlockSetsItsFieldsThenStatusReady) {
    Parse("FF A0 00 50 05 01  14 50 55 01 01", p_);
    EXPECT_EQ(p_.statusReady, 1);
    EXPECT_EQ(p_.micGain, 20);
    EXPECT_EQ(p_.gain2, 80);
    EXPECT_EQ(p_.monitorMicCut, 5);
    EXPECT_EQ(p_.monitorPlaybackCut, 0);
    EXPECT_EQ(p_.kd4SwitchA, 1);
    EXPECT_EQ(p_.kd4Lock, 1);
    EXPECT_EQ(Seen(), (std::array<int, 6>{}));
    EXPECT_EQ(p_.readbackDone, 0);

    Parse("FF A0 00 50 05 01  14 50 00 00 00", p_);
    EXPECT_EQ(p_.monitorPlaybackCut, 80) << "balance 0x00";
    EXPECT_EQ(p_.monitorMicCut, 0);
}

struct BlockCase {
    const char* report;
    int flag;  // index into blockSeen
    std::function<int(const DeviceParams&)> field;
    int value;
};

void PrintTo(const BlockCase& c, std::ostream* out) { *out << c.report; }

class Kd4BlockTest : public Kd4ReportParserTest, public testing::WithParamInterface<BlockCase> {};

TEST_P(Kd4BlockTest, DecodesByTheKd4RulesAndRaisesItsFlag) {
    p_.stereo = 0;
    p_.gain2 = 66;
    Parse(GetParam().report, p_);
    EXPECT_EQ(GetParam().field(p_), GetParam().value);
    std::array<int, kBlockSeenFlags> expected{};
    expected[GetParam().flag] = 1;
    EXPECT_EQ(Seen(), expected);
    EXPECT_EQ(p_.stereo, 0) << "stereo is never read back from the KD4";
    EXPECT_EQ(p_.readbackDone + p_.statusReady + p_.meterReady, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Blocks, Kd4BlockTest, testing::Values(
    // micGain 20 is read; byte 12 (gain2 7) is not, so gain2 keeps 66.
    BlockCase{"FF A0 00 00 0A 01  01 00 03 00 02 55 07 14 00 00", 0,
              [](const DeviceParams& p) -> int { return p.gain2 * 100 + p.micGain; }, 6620},
    // gain2 0x33 and the switches come with the slider gains.
    BlockCase{"FF A0 00 40 09 01  F1 FF 00 06 0F  33 01 01 01", 1,
              [](const DeviceParams& p) -> int { return p.gain2 * 10 + p.kd4SwitchB; }, 511},
    BlockCase{"FF A0 00 10 04 01  0F A0 14 06", 2,
              [](const DeviceParams& p) -> int { return p.graphBands[0].freq; }, 4000},
    BlockCase{"FF A0 00 18 04 01  0F A0 14 06", 3,
              [](const DeviceParams& p) -> int { return p.graphBands[1].freq; }, 4000},
    BlockCase{"FF A0 00 20 04 01  0F A0 14 06", 4,
              [](const DeviceParams& p) -> int { return p.graphBands[2].freq; }, 4000},
    BlockCase{"FF A0 00 28 04 01  0F A0 14 06", 5,
              [](const DeviceParams& p) -> int { return p.graphBands[3].gain; }, 210}));
// clang-format on

class IgnoredReportTest : public Kd4ReportParserTest,
                          public testing::WithParamInterface<const char*> {};

TEST_P(IgnoredReportTest, ChangesNothing) {
    Parse(GetParam(), p_);
    EXPECT_EQ(p_.micGain, 0);
    EXPECT_EQ(p_.limiterLevel, 1);
    EXPECT_EQ(p_.graphBands[0].freq, 100);
    EXPECT_EQ(p_.sliderBands[0].gain, 150);
    EXPECT_EQ(Seen(), (std::array<int, 6>{}));
    EXPECT_EQ(p_.meterReady + p_.statusReady + p_.readbackDone, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Reports, IgnoredReportTest, testing::Values(
    "FE A0 00 00 0A 01  01 01 03 01 02 55 07 14 01 00",  // byte 0
    "FF 70 00 00 0A 01  01 01 03 01 02 55 07 14 01 00",  // byte 1
    "FF A0 00 00 0A 00  01 01 03 01 02 55 07 14 01 00",  // byte 5
    "FF A0 00 10 04 00  0F A0 14 06",
    "FF A0 00 50 05 00  14 50 55 01 01",
    "FF A0 00 08 04 01  0F A0 14 06",                    // no such block
    "FF A0 00 38 04 01  0F A0 14 06",
    "FF A0 00 60 04 01  0F A0 14 06"));
// clang-format on

const char* const kReadBack[] = {"FF A0 00 00 0A 01  00 01 01 01 01 00 AA 00 01 01",
                                 "FF A0 00 40 09 01  00 00 00 00 00 50",
                                 "FF A0 00 10 04 01  00 64 14 00",
                                 "FF A0 00 18 04 01  00 FA 14 00",
                                 "FF A0 00 20 04 01  03 E8 14 00",
                                 "FF A0 00 28 04 01  0F A0 14 00"};
constexpr const char* kBand5 = "FF A0 00 30 04 01  27 10 14 03";

TEST_F(Kd4ReportParserTest, ReadbackIsDoneWhenBand5FollowsAllSixBlocks) {
    Parse(kBand5, p_);
    EXPECT_EQ(p_.readbackDone, 0) << "band 5 before the others";
    for (int i = 0; i < 6; ++i) {
        Parse(kReadBack[i], p_);
        EXPECT_EQ(p_.readbackDone, 0) << "only band 5 completes the read-back";
    }
    Parse(kBand5, p_);
    EXPECT_EQ(p_.readbackDone, 1);
    EXPECT_EQ(p_.graphBands[4].gain, 180);
}

TEST_F(Kd4ReportParserTest, AMissingBlockKeepsTheReadbackOpen) {
    for (int missing = 0; missing < 6; ++missing) {
        DeviceParams p;
        for (int i = 0; i < 6; ++i) {
            if (i != missing) ParseKd4Report(Hex(kReadBack[i]), p);
        }
        ParseKd4Report(Hex(kBand5), p);
        EXPECT_EQ(p.readbackDone, 0) << "block " << kReadBack[missing];
    }
}

TEST_F(Kd4ReportParserTest, TheUiThreadSeesEveryFieldOnceTheFlagIsUp) {
    std::thread reader([this] {
        for (const char* block : kReadBack) Parse(block, p_);
        Parse(kBand5, p_);
        Parse("FF A0 00 50 05 01  2A 11 55 01 00", p_);
    });
    while (p_.statusReady == 0) std::this_thread::yield();
    EXPECT_EQ(p_.readbackDone, 1);
    EXPECT_EQ(p_.graphBands[4].gain, 180);
    EXPECT_EQ(p_.gain2, 0x11);
    EXPECT_EQ(p_.micGain, 0x2A);
    reader.join();
}

}  // namespace
}  // namespace quavelo
