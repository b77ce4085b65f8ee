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
};

// One present HID interface.
struct HidDeviceInfo {
    std::string path;  // what Open takes; compared with removal notifications
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // Empty when this user may open the interface; otherwise why not (e.g. "Permission denied").
    std::string openProblem;
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
};

}  // namespace quavelo
