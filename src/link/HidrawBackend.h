#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/HidBackend.h"
#include "link/UdevRuleAdvice.h"

namespace quavelo {

// The bus and ids of a HID device as udev's HID_ID property gives them.
struct HidId {
    std::uint32_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;

    bool operator==(const HidId&) const = default;
};

// Reads "bbbb:vvvvvvvv:pppppppp" (hex digits of either case, e.g. "0003:00000F8C:00000046").
// nullopt unless there are exactly three non-empty hex fields of at most 8 digits and vendor
// and product fit in 16 bits.
std::optional<HidId> ParseHidId(std::string_view text);

// Real devices on Linux: the hidraw nodes that udev knows, each with the ids of its parent HID
// device, opened as HidrawDevice.
class HidrawBackend final : public HidBackend {
  public:
    // `ruleFolders`: where PermissionAdvice looks for the udev rule.
    explicit HidrawBackend(std::vector<std::filesystem::path> ruleFolders = UdevRuleFolders())
        : ruleFolders_(std::move(ruleFolders)) {}

    // Every hidraw node with a readable HID_ID, in udev's enumeration order; the serial number is
    // the parent HID device's HID_UNIQ: the USB device's serial number string for a USB device
    // (usbhid copies it there), read from sysfs, so it needs no udev daemon. Empty when udev
    // cannot be reached.
    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) override;
    // Whether the udev rule is installed, and to replug (link/UdevRuleAdvice.h).
    std::string PermissionAdvice() const override { return UdevRuleAdvice(ruleFolders_); }

  private:
    std::vector<std::filesystem::path> ruleFolders_;
};

}  // namespace quavelo
