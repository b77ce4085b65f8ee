#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/LinkPeer.h"
#include "uhid/UhidDevice.h"
#include "vm/CountingBackend.h"

namespace quavelo {

// Plays the device through the kernel: a uhid device with the peer's ids, reached by the link as
// the hidraw node the kernel made for it. A thread of the test takes the device's events; each
// output report is acknowledged as soon as it is taken, except while writes are stalled, when
// the thread stops taking events and the host's write waits in the kernel.
class UhidPeer final : public LinkPeer {
  public:
    // Creates the device and waits for its node; Path() is empty when that failed, and Error()
    // says why.
    UhidPeer();
    UhidPeer(const UhidPeer&) = delete;
    UhidPeer& operator=(const UhidPeer&) = delete;
    ~UhidPeer() override;

    const std::string& Error() const { return error_; }

    HidBackend& Backend() override { return backend_; }
    std::string Path() const override { return path_; }
    void SendInput(std::span<const std::uint8_t> report) override;
    std::optional<std::vector<std::uint8_t>> ReceiveOutput(std::chrono::milliseconds wait) override;
    void StallWrites() override;
    void ResumeWrites() override;
    void Unplug() override;
    int LiveDevices() const override { return backend_.LiveDevices(); }
    std::size_t ShortestInput() const override { return UhidDevice::kReportSize; }

  private:
    void Serve();
    void Wake();

    CountingBackend backend_;
    std::unique_ptr<UhidDevice> device_;
    std::string path_;
    std::string error_;
    int wakeFd_ = -1;  // eventfd: the serving thread looks at the flags again
    std::mutex lock_;
    std::condition_variable received_;
    std::deque<std::vector<std::uint8_t>> outputs_;  // guarded by lock_
    bool stalled_ = false;                           // guarded by lock_
    bool quit_ = false;                              // guarded by lock_
    std::thread server_;
};

}  // namespace quavelo
