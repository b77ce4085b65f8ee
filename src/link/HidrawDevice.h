#pragma once

#include <memory>
#include <string>

#include "link/HidBackend.h"
#include "link/HidDevice.h"

namespace quavelo {

// A device reached through a Linux hidraw node: each read() returns one input report and each
// write() sends one output report. Reads wait in poll() on the node and on an eventfd that serves
// as the stop event; a write that the node cannot take yet waits the same way. A removed device
// shows as EIO/ENODEV or POLLHUP/POLLERR and gives kFailed / false.
class HidrawDevice final : public HidDevice {
  public:
    // Opens the node read-write and takes the device lock (link/DeviceLock.h). nullptr with
    // `error` set when it cannot: the system's reason, or InUse with the lock's holder.
    static std::unique_ptr<HidrawDevice> Open(const std::string& path, OpenError& error);

    // Takes ownership of `fd`, an open descriptor with the same one-report-per-call behaviour (a
    // hidraw node; in tests one end of a SOCK_SEQPACKET socket pair) and makes it nonblocking.
    // nullptr, with `fd` closed and `error` set, when the stop event cannot be made.
    static std::unique_ptr<HidrawDevice> Adopt(int fd, std::string& error);

    HidrawDevice(const HidrawDevice&) = delete;
    HidrawDevice& operator=(const HidrawDevice&) = delete;
    ~HidrawDevice() override;

    // A hidraw write blocks inside the kernel until the USB transfer ends (the kernel gives up
    // after 5 s); RequestStop cannot end that, only a wait for the node to become writable.
    bool Write(std::span<const std::uint8_t> report) override;
    ReadResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override;
    void RequestStop() override;

  private:
    HidrawDevice(int fd, int stopFd) : fd_(fd), stopFd_(stopFd) {}

    const int fd_;
    const int stopFd_;  // eventfd; readable once the stop has been requested
};

}  // namespace quavelo
