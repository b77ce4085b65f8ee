#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "link/HidControlLinkTest.h"
#include "link/HidrawBackend.h"
#include "uhid/UhidDevice.h"

namespace quavelo {

// Plays the device through the kernel: a uhid device with the peer's ids, reached by the link as
// the hidraw node the kernel made for it. A thread of the test takes the device's events and
// acknowledges each output report as it takes it; while stalled it takes none, and the host's
// write waits in the kernel as for a USB device that takes no transfer.
class UhidPeer final : public LinkPeer {
  public:
    // Creates the device and waits for its node; Error() says why when that failed.
    UhidPeer();
    UhidPeer(const UhidPeer&) = delete;
    UhidPeer& operator=(const UhidPeer&) = delete;
    ~UhidPeer() override;

    const std::string& Error() const { return error_; }
    HidBackend& Backend() override { return backend_; }
    void SendInput(std::span<const std::uint8_t> report) override { device_->SendInput(report); }
    std::optional<Bytes> ReceiveOutput(std::chrono::milliseconds wait) override;
    void Stall(bool stalled) override;
    void Unplug() override { device_->Destroy(); }
    // Descriptors of this process still open on the device's node.
    int LiveDevices() const override;
    // The kernel drops input reports shorter than the report descriptor declares.
    std::size_t ShortestInput() const override { return UhidDevice::kReportSize; }

  private:
    void Serve();
    void Wake() const;

    HidrawBackend backend_;
    std::unique_ptr<UhidDevice> device_;
    std::string node_;
    std::string error_;
    int wakeFd_ = -1;  // eventfd: the serving thread looks at the flags again
    std::mutex lock_;
    std::condition_variable received_;
    std::deque<Bytes> outputs_;  // guarded by lock_
    bool stalled_ = false;       // guarded by lock_
    bool quit_ = false;          // guarded by lock_
    std::thread server_;
};

}  // namespace quavelo
