// The hidraw backend's search where, as in this machine, no udev daemon runs: the nodes and their
// ids come from sysfs alone.

#include <gtest/gtest.h>

#include "device/DeviceMap.h"
#include "link/HidControl.h"
#include "link/HidrawBackend.h"
#include "uhid/UhidDevice.h"

namespace quavelo {
namespace {

std::unique_ptr<UhidDevice> Plug(std::uint16_t vendor, std::uint16_t product, const char* name) {
    std::string error;
    auto device = UhidDevice::Create({vendor, product, name}, error);
    EXPECT_TRUE(device) << error;
    return device;
}

TEST(HidrawOverUhidTest, EachModelIsFoundByItsIdsAndTheFirstOfTwoIsOpened) {
    const auto torva = Plug(kTorvaVendorId, kTorvaProductId, "first TORVA");
    const auto kd4 = Plug(kKd4VendorId, kKd4ProductId, "KD4");
    const auto second = Plug(kTorvaVendorId, kTorvaProductId, "second TORVA");
    ASSERT_TRUE(torva && kd4 && second);
    const std::chrono::milliseconds wait(3000);
    for (const auto& [device, vendor, product] :
         {std::tuple(torva.get(), kTorvaVendorId, kTorvaProductId),
          std::tuple(kd4.get(), kKd4VendorId, kKd4ProductId)}) {
        const std::string node = device->FindNode(wait);
        ASSERT_NE(node, "");
        ASSERT_NE(second->FindNode(wait), "");
        HidrawBackend backend;
        LinkState state;
        HidControl link(backend, state);
        ASSERT_TRUE(link.FindAndOpen(vendor, product));
        EXPECT_EQ(state.DevicePath(), node);
    }
}

}  // namespace
}  // namespace quavelo
