#include "device/Report.h"

#include <gtest/gtest.h>

#include <vector>

namespace quavelo {
namespace {

std::string Hex(const Report& r) {
    std::string text = HexBytes(r);
    text.pop_back();  // the trailing separator
    return text;
}

struct BuilderCase {
    const char* name;
    Report report;
    const char* expected;
};

class ReportBuilderTest : public testing::TestWithParam<BuilderCase> {};

TEST_P(ReportBuilderTest, ProducesTheExactBytes) {
    EXPECT_EQ(Hex(GetParam().report), GetParam().expected);
}

const std::vector<std::uint8_t> kTen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const std::vector<std::uint8_t> kEleven{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Builders, ReportBuilderTest, testing::Values(
    BuilderCase{"LimiterSelector", DspWriteParam(0x0036, 0x00800000),
                "FF 70 00 36 04 00 00 80 00 00 00 00 00 00 00 00"},
    BuilderCase{"NegativeParam", DspWriteParam(0x0002, static_cast<std::int32_t>(0xFF0A35EA)),
                "FF 70 00 02 04 00 FF 0A 35 EA 00 00 00 00 00 00"},
    BuilderCase{"CodecGain", DspWriteByte(0x400E, 0x43),
                "FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00"},
    BuilderCase{"LevelRequest", DspRead(0x00AE, 4),
                "FF 70 00 AE 04 01 00 00 00 00 00 00 00 00 00 00"},
    BuilderCase{"StoreRequest", StoreRead(0x0028, 4),
                "FF A0 00 28 04 01 00 00 00 00 00 00 00 00 00 00"},
    BuilderCase{"StoreWriteTen", StoreWrite(0x0000, kTen),
                "FF A0 00 00 0A 00 01 02 03 04 05 06 07 08 09 0A"},
    BuilderCase{"StoreWriteElevenIsCut", StoreWrite(0x0000, kEleven),
                "FF A0 00 00 0A 00 01 02 03 04 05 06 07 08 09 0A"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ReportTest, ReadsBigEndianWords) {
    const Report r = *ParseHexReport("FF 70 00 AE 04 01 00 20 00 00");
    EXPECT_EQ(ReadBigEndian32(r, 6), 0x00200000);
    EXPECT_EQ(ReadBigEndian32(*ParseHexReport("FF 70 00 AE 04 01 FF FF FF FE"), 6), -2);
    EXPECT_EQ(ReadBigEndian32(r, 13), 0) << "a word past the end reads as 0";
}

TEST(ReportTest, HexRoundTrip) {
    const Report r = DspWriteParam(0x0001, 0x00840693);
    EXPECT_EQ(ParseHexReport(HexBytes(r)), r);
    EXPECT_EQ(HexBytes(r, "").size(), 32u);
    EXPECT_EQ(ParseHexBytes("81'00'00'FE'01"), (std::vector<std::uint8_t>{0x81, 0, 0, 0xFE, 1}));
}

TEST(ReportTest, RefusesMalformedHex) {
    for (const char* bad : {"F", "FG", "F F", "00 11 2", "zz"}) {
        EXPECT_FALSE(ParseHexBytes(bad)) << bad;
    }
    EXPECT_FALSE(ParseHexReport("00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10"));
}

}  // namespace
}  // namespace quavelo
