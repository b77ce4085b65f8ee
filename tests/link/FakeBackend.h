#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "link/HidBackend.h"

namespace quavelo {

// A backend with a scripted list of interfaces. Opening one hands out the host end of a fresh
// SOCK_SEQPACKET socket pair as a HidrawDevice and keeps the device end for the test, which
// plays the device on it.
class FakeBackend final : public HidBackend {
  public:
    // Ignores SIGPIPE for the process: the host writes to a socket whose device end the test
    // may have closed, where a hidraw node would simply fail the write.
    FakeBackend();
    FakeBackend(const FakeBackend&) = delete;
    FakeBackend& operator=(const FakeBackend&) = delete;
    ~FakeBackend() override;

    // Adds an interface; with a non-empty `openError` opening it fails with that text.
    void Add(HidDeviceInfo info, std::string openError = {});

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override;

    // The paths Open was asked for, in order.
    const std::vector<std::string>& OpenedPaths() const { return opened_; }

    // The device end of the pair made by the latest successful Open of `path`, or -1. Owned by
    // the backend until TakeDeviceEnd.
    int DeviceEnd(const std::string& path) const;
    // Hands the device end over to the caller, who closes it.
    int TakeDeviceEnd(const std::string& path);

    // Fills the host-to-device direction of `path`'s pair until it takes no more, so that the
    // host's next write has to wait. Returns how many filler reports the device end must read
    // away before the host's reports.
    std::size_t FillHostToDevice(const std::string& path);

    // Devices handed out by Open and not yet destroyed.
    int LiveDevices() const { return *live_; }

  private:
    struct Entry {
        HidDeviceInfo info;
        std::string openError;
        int deviceEnd = -1;
        int hostCopy = -1;  // a second descriptor of the host end, used to fill it
    };
    Entry* Find(const std::string& path);
    static void CloseEnds(Entry& e);

    std::vector<Entry> entries_;
    std::vector<std::string> opened_;
    // Shared with the handed-out devices, which may be destroyed on a thread the link let go.
    std::shared_ptr<std::atomic<int>> live_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace quavelo
