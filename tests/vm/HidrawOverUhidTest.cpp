// The hidraw backend's search where, as in this machine, no udev daemon runs: the nodes and their
// ids come from sysfs alone.

#include <gtest/gtest.h>

#include "device/DeviceMap.h"
#include "device/ModelProfile.h"
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
    const auto torva = Plug(ProfileOf(Model::Torva).usb.vendor, ProfileOf(Model::Torva).usb.product,
                            "first TORVA");
    const auto kd4 =
        Plug(ProfileOf(Model::Kd4).usb.vendor, ProfileOf(Model::Kd4).usb.product, "KD4");
    const auto second = Plug(ProfileOf(Model::Torva).usb.vendor,
                             ProfileOf(Model::Torva).usb.product, "second TORVA");
    ASSERT_TRUE(torva && kd4 && second);
    const std::chrono::milliseconds wait(3000);
    for (const auto& [device, vendor, product] :
         {std::tuple(torva.get(), ProfileOf(Model::Torva).usb.vendor,
                     ProfileOf(Model::Torva).usb.product),
          std::tuple(kd4.get(), ProfileOf(Model::Kd4).usb.vendor,
                     ProfileOf(Model::Kd4).usb.product)}) {
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
