#include "link/HidrawBackend.h"

#include <gtest/gtest.h>

namespace quavelo {
namespace {

struct HidIdCase {
    const char* text;
    std::optional<HidId> expected;
};

class ParseHidIdTest : public testing::TestWithParam<HidIdCase> {};

TEST_P(ParseHidIdTest, ReadsUdevsHidIdProperty) {
    EXPECT_EQ(ParseHidId(GetParam().text), GetParam().expected) << GetParam().text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ParseHidIdTest, testing::Values(
    HidIdCase{"0003:00000F8C:00000046", HidId{0x0003, 0x0F8C, 0x0046}},
    HidIdCase{"0003:00000f8d:00000047", HidId{0x0003, 0x0F8D, 0x0047}},
    HidIdCase{"0005:0000FFFF:0000FFFF", HidId{0x0005, 0xFFFF, 0xFFFF}},
    HidIdCase{"0:0:0",                  HidId{0, 0, 0}},
    HidIdCase{"FFFFFFFF:1:2",           HidId{0xFFFFFFFF, 1, 2}},
    HidIdCase{"0003:00010000:00000046", std::nullopt},   // vendor past 16 bits
    HidIdCase{"0003:00000F8C:00010000", std::nullopt},   // product past 16 bits
    HidIdCase{"0003:000000F8C:00000046", std::nullopt},  // nine digits
    HidIdCase{"0003:00000G8C:00000046", std::nullopt},
    HidIdCase{"0003:0F8C:0046:0001",    std::nullopt},   // a fourth field
    HidIdCase{"0003:00000F8C",          std::nullopt},
    HidIdCase{"0003::00000046",         std::nullopt},
    HidIdCase{"0003:00000F8C:",         std::nullopt},
    HidIdCase{" 0003:00000F8C:00000046", std::nullopt},
    HidIdCase{"0003:+0000F8C:00000046", std::nullopt},
    HidIdCase{"",                       std::nullopt}));
// clang-format on

}  // namespace
}  // namespace quavelo
