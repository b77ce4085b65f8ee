#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace quavelo {

// The two values the device link keeps beside the parameter model: `deviceFound`, set when the
// search has found and opened the wanted device and cleared by the main window when that device
// is removed, and `devicePath`, the path of the device the search examined last, which a removal
// notification is compared against. Safe to use from any thread.
class LinkState {
  public:
    std::int32_t DeviceFound() const noexcept {
        return deviceFound_.load(std::memory_order_acquire);
    }
    void SetDeviceFound(std::int32_t found) noexcept {
        deviceFound_.store(found, std::memory_order_release);
    }

    std::string DevicePath() const;
    void SetDevicePath(std::string path);
    // True when `path` names the device last examined, compared ignoring ASCII case.
    bool IsDevicePath(std::string_view path) const;

  private:
    std::atomic<std::int32_t> deviceFound_{0};
    mutable std::mutex pathLock_;
    std::string devicePath_;
};

// ASCII case-insensitive equality of two paths.
bool SamePathIgnoringCase(std::string_view a, std::string_view b) noexcept;

}  // namespace quavelo
