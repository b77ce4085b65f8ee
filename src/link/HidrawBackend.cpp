#include "link/HidrawBackend.h"

#include <libudev.h>

#include "link/HexBytes.h"
#include "link/HidrawDevice.h"

namespace quavelo {

namespace {

struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
};

template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

}  // namespace

std::optional<HidId> ParseHidId(std::string_view text) {
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto bus = HexValue(text.substr(0, first));
    const auto vendor = HexValue(text.substr(first + 1, second - first - 1));
    const auto product = HexValue(text.substr(second + 1));
    if (!bus || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) {
        return std::nullopt;
    }
    return HidId{*bus, static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
}

std::vector<HidDeviceInfo> HidrawBackend::Enumerate() {
    std::vector<HidDeviceInfo> found;
    const UdevPtr<udev> context(udev_new());
    if (!context) {
        return found;
    }
    const UdevPtr<udev_enumerate> enumeration(udev_enumerate_new(context.get()));
    if (!enumeration || udev_enumerate_add_match_subsystem(enumeration.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(enumeration.get()) < 0) {
        return found;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get())) {
        const UdevPtr<udev_device> node(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!node) {
            continue;
        }
        const char* devnode = udev_device_get_devnode(node.get());
        // The parent belongs to `node` and is released with it.
        udev_device* hid =
            udev_device_get_parent_with_subsystem_devtype(node.get(), "hid", nullptr);
        const char* hidId = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
        const std::optional<HidId> id = hidId ? ParseHidId(hidId) : std::nullopt;
        if (!devnode || !id) {
            continue;
        }
        const char* uniq = udev_device_get_property_value(hid, "HID_UNIQ");
        found.push_back({devnode, id->vendorId, id->productId, uniq ? uniq : ""});
    }
    return found;
}

std::unique_ptr<HidDevice> HidrawBackend::Open(const std::string& path, OpenError& error) {
    return HidrawDevice::Open(path, error);
}

}  // namespace quavelo
