// A device's removal as this machine shows it without a udev daemon: the removal monitor hears it
// from the kernel's own events, and the reader thread ends on the node's I/O error.

#include <gtest/gtest.h>

#include <poll.h>

#include <thread>

#include "device/DeviceMap.h"
#include "device/ModelProfile.h"
#include "link/HidControl.h"
#include "link/HidrawBackend.h"
#include "link/UdevRemovalMonitor.h"
#include "uhid/UhidDevice.h"

namespace quavelo {
namespace {

using std::chrono::milliseconds;

TEST(DeviceRemovalOverUhidTest, TheKernelsEventNamesTheNodeAndTheReaderEnds) {
    std::string error;
    const std::unique_ptr<UdevRemovalMonitor> monitor = UdevRemovalMonitor::Create(error);
    ASSERT_TRUE(monitor) << error;
    EXPECT_STREQ(monitor->Source(), "kernel") << "no udev daemon runs here";
    const auto device = UhidDevice::Create(
        {ProfileOf(Model::Kd4).usb.vendor, ProfileOf(Model::Kd4).usb.product, "removed KD4", {}},
        error);
    ASSERT_TRUE(device) << error;
    ASSERT_NE(device->FindNode(milliseconds(3000)), "");
    HidrawBackend backend;
    LinkState state;
    HidControl link(backend, state);
    ASSERT_TRUE(
        link.FindAndOpen(ProfileOf(Model::Kd4).usb.vendor, ProfileOf(Model::Kd4).usb.product));
    ASSERT_TRUE(link.StartReader());
    EXPECT_FALSE(monitor->TakeRemovalOf(state)) << "an arrival is no removal";

    device->Destroy();
    pollfd fd{monitor->Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&fd, 1, 2000), 1) << "no removal announced";
    EXPECT_TRUE(monitor->TakeRemovalOf(state));
    EXPECT_EQ(poll(&fd, 1, 0), 0) << "taken";
    for (int i = 0; i < 400 && link.ReaderRunning(); ++i)
        std::this_thread::sleep_for(milliseconds(5));
    EXPECT_FALSE(link.ReaderRunning());
}

}  // namespace
}  // namespace quavelo
