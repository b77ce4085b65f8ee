#include "link/HexBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace quavelo {
namespace {

TEST(HexBytesTest, TwoUpperCaseDigitsAndTheSeparatorAfterEachByte) {
    const std::array<std::uint8_t, 3> bytes{0xFF, 0x0A, 0x00};
    EXPECT_EQ(HexBytes(bytes), "FF 0A 00 ");
    EXPECT_EQ(HexBytes(bytes, ""), "FF0A00");
    EXPECT_EQ(HexBytes({}), "");
}

struct HexCase {
    const char* text;
    std::optional<std::uint32_t> value;
};

class HexValueTest : public testing::TestWithParam<HexCase> {};

TEST_P(HexValueTest, UpToEightDigitsOfEitherCase) {
    EXPECT_EQ(HexValue(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, HexValueTest,
                         testing::Values(HexCase{"0f8c", 0x0F8C}, HexCase{"0F8C", 0x0F8C},
                                         HexCase{"0046", 0x46}, HexCase{"ffffffff", 0xFFFFFFFFu},
                                         HexCase{"0", 0}, HexCase{"123456789", std::nullopt},
                                         HexCase{"", std::nullopt}, HexCase{"0x46", std::nullopt},
                                         HexCase{"0g46", std::nullopt},
                                         HexCase{" 46", std::nullopt},
                                         HexCase{"-1", std::nullopt}));

}  // namespace
}  // namespace quavelo
