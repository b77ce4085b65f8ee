#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/HidDevice.h"

namespace quavelo {

// Why an interface could not be opened.
struct OpenError {
    enum class Kind {
        Other,         // anything else (the device went away, a resource ran out)
        NotPermitted,  // this user may not open it
        InUse,         // another QUAVELO process has it open
    };
    Kind kind = Kind::Other;
    std::string text;  // the reason, for messages ("Permission denied")
    // With InUse: the id of the process that holds the device, 0 when it cannot be told.
    long holder = 0;
};

// One present HID interface.
struct HidDeviceInfo {
    std::string path;  // what Open takes; compared with removal notifications
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // The device's serial number; empty when it has none.
    std::string serial;
};

// Where HidControl finds and opens devices: real ones through the platform's HID interface, or a
// simulated one. Chosen by whoever constructs the HidControl and outlives it.
class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // The present interfaces, in the platform's enumeration order.
    virtual std::vector<HidDeviceInfo> Enumerate() = 0;

    // Opens the interface at `path` for reading and writing. nullptr with `error` set when it
    // cannot be opened.
    virtual std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) = 0;

    // What the user can do when Open refused a device with NotPermitted (on Linux: whether the
    // udev rule is installed, and to replug); empty when the backend has no advice.
    virtual std::string PermissionAdvice() const { return {}; }
};

}  // namespace quavelo
