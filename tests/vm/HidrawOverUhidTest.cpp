// The hidraw backend's search where, as in this machine, no udev daemon runs: the nodes and their
// ids come from sysfs alone.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "device/DeviceMap.h"
#include "device/ModelProfile.h"
#include "link/HidControl.h"
#include "link/HidrawBackend.h"
#include "uhid/UhidDevice.h"

namespace quavelo {
namespace {

std::unique_ptr<UhidDevice> Plug(std::uint16_t vendor, std::uint16_t product, const char* name,
                                 std::string serial = {}) {
    std::string error;
    auto device = UhidDevice::Create({vendor, product, name, std::move(serial)}, error);
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

// The device lock over the kernel's node: a second opening, here in the same process as from
// another, is refused as in use by this process until the first one closes. The serial number
// comes from the HID device's HID_UNIQ and chooses the device.
TEST(HidrawOverUhidTest, AnOpenDeviceIsRefusedAsInUseByItsHolderUntilClosed) {
    const UsbIds ids = ProfileOf(Model::Kd4).usb;
    const auto device = Plug(ids.vendor, ids.product, "locked KD4", "K4-0042");
    ASSERT_TRUE(device);
    const std::string node = device->FindNode(std::chrono::milliseconds(3000));
    ASSERT_NE(node, "");
    HidrawBackend backend;
    const std::vector<HidDeviceInfo> found = backend.Enumerate();
    const auto listed = std::find_if(found.begin(), found.end(),
                                     [&](const HidDeviceInfo& info) { return info.path == node; });
    ASSERT_NE(listed, found.end());
    EXPECT_EQ(listed->serial, "K4-0042");
    LinkState firstState;
    LinkState secondState;
    HidControl first(backend, firstState);
    HidControl second(backend, secondState);
    ASSERT_TRUE(first.FindAndOpen(ids.vendor, ids.product, "K4-0042")) << "chosen by its serial";
    EXPECT_FALSE(second.FindAndOpen(ids.vendor, ids.product));
    const std::optional<HidControl::Refusal> refusal = second.LastRefusal();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->error.kind, OpenError::Kind::InUse);
    EXPECT_EQ(refusal->error.holder, getpid());
    first.Close();
    EXPECT_TRUE(second.FindAndOpen(ids.vendor, ids.product)) << "free again once closed";
}

}  // namespace
}  // namespace quavelo
