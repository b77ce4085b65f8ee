// The hidraw backend's search and the removal monitor on a machine where, as on this test
// machine, no udev daemon runs: everything comes from sysfs and the kernel's uevents.

#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "device/DeviceMap.h"
#include "link/HidControl.h"
#include "link/HidrawBackend.h"
#include "link/UdevRemovalMonitor.h"
#include "uhid/UhidDevice.h"

namespace quavelo {
namespace {

using std::chrono::milliseconds;

struct Plugged {
    std::unique_ptr<UhidDevice> device;
    std::string node;
};

Plugged Plug(std::uint16_t vendor, std::uint16_t product, const std::string& name) {
    std::string error;
    Plugged plugged{UhidDevice::Create({vendor, product, name}, error), {}};
    EXPECT_TRUE(plugged.device) << error;
    if (plugged.device) {
        plugged.node = plugged.device->FindNode(milliseconds(3000));
        EXPECT_NE(plugged.node, "") << name;
    }
    return plugged;
}

bool Listed(const std::vector<HidDeviceInfo>& list, const std::string& path, std::uint16_t vendor,
            std::uint16_t product) {
    return std::any_of(list.begin(), list.end(), [&](const HidDeviceInfo& info) {
        return info.path == path && info.vendorId == vendor && info.productId == product &&
               info.openProblem.empty();
    });
}

TEST(HidrawOverUhidTest, NoUdevDaemonRunsHere) {
    EXPECT_NE(access("/run/udev/control", F_OK), 0)
        << "the other tests of this file mean to show the link without udev's help";
}

TEST(HidrawOverUhidTest, BothModelsAreFoundFromSysfsAlone) {
    const Plugged torva = Plug(kTorvaVendorId, kTorvaProductId, "enumeration TORVA");
    const Plugged kd4 = Plug(kKd4VendorId, kKd4ProductId, "enumeration KD4");
    HidrawBackend backend;
    const std::vector<HidDeviceInfo> list = backend.Enumerate();
    EXPECT_TRUE(Listed(list, torva.node, kTorvaVendorId, kTorvaProductId));
    EXPECT_TRUE(Listed(list, kd4.node, kKd4VendorId, kKd4ProductId));

    LinkState state;
    HidControl link(backend, state);
    ASSERT_TRUE(link.FindAndOpen(kKd4VendorId, kKd4ProductId));
    EXPECT_EQ(state.DevicePath(), kd4.node);
    EXPECT_EQ(state.DeviceFound(), 1);
}

TEST(HidrawOverUhidTest, OfTwoDevicesWithTheSameIdsTheFirstFoundIsOpened) {
    const Plugged first = Plug(kTorvaVendorId, kTorvaProductId, "first TORVA");
    const Plugged second = Plug(kTorvaVendorId, kTorvaProductId, "second TORVA");
    HidrawBackend backend;
    LinkState state;
    HidControl link(backend, state);
    ASSERT_TRUE(link.FindAndOpen(kTorvaVendorId, kTorvaProductId));
    EXPECT_EQ(state.DevicePath(), first.node);
}

TEST(HidrawOverUhidTest, RemovalIsAnnouncedFromTheKernelsOwnEvents) {
    std::string error;
    const std::unique_ptr<UdevRemovalMonitor> monitor = UdevRemovalMonitor::Create(error);
    ASSERT_TRUE(monitor) << error;
    EXPECT_STREQ(monitor->Source(), "kernel");

    Plugged kd4 = Plug(kKd4VendorId, kKd4ProductId, "removed KD4");
    HidrawBackend backend;
    LinkState state;
    HidControl link(backend, state);
    ASSERT_TRUE(link.FindAndOpen(kKd4VendorId, kKd4ProductId));
    ASSERT_TRUE(link.StartReader());
    EXPECT_EQ(monitor->TakeRemovedPaths(), std::vector<std::string>{})
        << "the device's arrival is no removal";

    kd4.device->Destroy();
    pollfd fd{monitor->Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&fd, 1, 2000), 1) << "no removal announced";
    EXPECT_TRUE(monitor->TakeRemovalOf(state));

    const auto giveUp = std::chrono::steady_clock::now() + milliseconds(2000);
    while (link.ReaderRunning() && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_FALSE(link.ReaderRunning()) << "the reader ends on the I/O error as well";
}

}  // namespace
}  // namespace quavelo
