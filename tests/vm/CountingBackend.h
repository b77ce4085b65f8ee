#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "link/HidrawBackend.h"

namespace quavelo {

// The hidraw backend, counting the devices it handed out that still exist, so that tests see
// directly that a link released everything.
class CountingBackend final : public HidBackend {
  public:
    std::vector<HidDeviceInfo> Enumerate() override { return hidraw_.Enumerate(); }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override;

    int LiveDevices() const { return *live_; }

  private:
    HidrawBackend hidraw_;
    // Shared with the handed-out devices, which may be destroyed on a thread the link let go.
    std::shared_ptr<std::atomic<int>> live_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace quavelo
