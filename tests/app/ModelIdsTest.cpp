#include <gtest/gtest.h>

#include "app/ModelIds.h"
#include "device/DeviceMap.h"
#include "device/ParamRange.h"

namespace quavelo {
namespace {

struct HexCase {
    const char* text;
    std::optional<std::uint32_t> value;
};

class HexIdTest : public testing::TestWithParam<HexCase> {};

TEST_P(HexIdTest, UpToEightDigitsOfEitherCase) {
    EXPECT_EQ(HexIdValue(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, HexIdTest,
                         testing::Values(HexCase{"0f8c", 0x0F8C}, HexCase{"0F8C", 0x0F8C},
                                         HexCase{"0046", 0x46}, HexCase{"ffffffff", 0xFFFFFFFFu},
                                         HexCase{"0", 0}, HexCase{"123456789", std::nullopt},
                                         HexCase{"", std::nullopt}, HexCase{"0x46", std::nullopt},
                                         HexCase{"0g46", std::nullopt},
                                         HexCase{" 46", std::nullopt},
                                         HexCase{"-1", std::nullopt}));

TEST(ModelIdsTest, EachModelSearchesForItsOwnIds) {
    const auto torva = ModelUsbIdsOf(kModelTorva);
    const auto kd4 = ModelUsbIdsOf(kModelKd4);
    ASSERT_TRUE(torva && kd4);
    EXPECT_EQ(torva->vendor, kTorvaVendorId);
    EXPECT_EQ(torva->product, kTorvaProductId);
    EXPECT_EQ(kd4->vendor, kKd4VendorId);
    EXPECT_EQ(kd4->product, kKd4ProductId);
    EXPECT_FALSE(ModelUsbIdsOf(kModelNone));
    EXPECT_FALSE(ModelUsbIdsOf(3));
}

}  // namespace
}  // namespace quavelo
