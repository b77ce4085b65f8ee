#include <gtest/gtest.h>

#include "app/ModelIds.h"
#include "device/DeviceMap.h"
#include "device/ParamRange.h"

namespace quavelo {
namespace {

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
