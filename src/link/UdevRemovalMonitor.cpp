#include "link/UdevRemovalMonitor.h"

#include <libudev.h>
#include <unistd.h>

#include <string_view>

namespace quavelo {

namespace {

// The socket systemd-udevd listens on while it runs.
constexpr char kUdevControl[] = "/run/udev/control";

}  // namespace

std::unique_ptr<UdevRemovalMonitor> UdevRemovalMonitor::Create(std::string& error) {
    udev* context = udev_new();
    if (!context) {
        error = "udev is not available";
        return nullptr;
    }
    const char* source = access(kUdevControl, F_OK) == 0 ? "udev" : "kernel";
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, source);
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        error = "the udev device monitor cannot be started";
        if (monitor) {
            udev_monitor_unref(monitor);
        }
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevRemovalMonitor>(new UdevRemovalMonitor(context, monitor, source));
}

UdevRemovalMonitor::~UdevRemovalMonitor() {
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

int UdevRemovalMonitor::Fd() const { return udev_monitor_get_fd(monitor_); }

std::vector<std::string> UdevRemovalMonitor::TakeRemovedPaths() {
    std::vector<std::string> removed;
    // The monitor's socket is nonblocking: receiving returns null once the queue is empty.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        if (action && node && std::string_view(action) == "remove") {
            removed.emplace_back(node);
        }
        udev_device_unref(device);
    }
    return removed;
}

}  // namespace quavelo
