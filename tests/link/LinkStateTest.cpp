#include "link/LinkState.h"

#include <gtest/gtest.h>

namespace quavelo {
namespace {

TEST(LinkStateTest, RemovalPathsCompareIgnoringCase) {
    LinkState state;
    state.SetDevicePath("/dev/hidraw3");
    EXPECT_TRUE(state.IsDevicePath("/dev/hidraw3"));
    EXPECT_TRUE(state.IsDevicePath("/DEV/HIDRAW3"));
    EXPECT_FALSE(state.IsDevicePath("/dev/hidraw30"));
    EXPECT_FALSE(state.IsDevicePath("/dev/hidraw4"));
    EXPECT_FALSE(state.IsDevicePath(""));
}

TEST(LinkStateTest, DeviceFoundStartsCleared) {
    LinkState state;
    EXPECT_EQ(state.DeviceFound(), 0);
    state.SetDeviceFound(1);
    EXPECT_EQ(state.DeviceFound(), 1);
    EXPECT_EQ(state.DevicePath(), "");
}

}  // namespace
}  // namespace quavelo
