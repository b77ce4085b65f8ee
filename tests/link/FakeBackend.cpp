#include "link/FakeBackend.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <system_error>
#include <utility>

#include "link/HidrawDevice.h"

namespace quavelo {

namespace {

// Counts itself in the backend's live count while it exists.
class CountedDevice final : public HidDevice {
  public:
    CountedDevice(std::unique_ptr<HidDevice> inner, std::shared_ptr<std::atomic<int>> live)
        : inner_(std::move(inner)), live_(std::move(live)) {
        ++*live_;
    }
    ~CountedDevice() override { --*live_; }
    bool Write(std::span<const std::uint8_t> report) override { return inner_->Write(report); }
    ReadResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override {
        return inner_->Read(buffer, timeout);
    }
    void RequestStop() override { inner_->RequestStop(); }

  private:
    std::unique_ptr<HidDevice> inner_;
    std::shared_ptr<std::atomic<int>> live_;
};

}  // namespace

FakeBackend::FakeBackend() { std::signal(SIGPIPE, SIG_IGN); }

FakeBackend::~FakeBackend() {
    for (Entry& e : entries_) {
        CloseEnds(e);
    }
}

void FakeBackend::CloseEnds(Entry& e) {
    if (e.deviceEnd >= 0) {
        close(e.deviceEnd);
    }
    if (e.hostCopy >= 0) {
        close(e.hostCopy);
    }
    e.deviceEnd = -1;
    e.hostCopy = -1;
}

FakeBackend::Entry* FakeBackend::Find(const std::string& path) {
    for (Entry& e : entries_) {
        if (e.info.path == path) {
            return &e;
        }
    }
    return nullptr;
}

void FakeBackend::Add(HidDeviceInfo info, std::string openError) {
    entries_.push_back({std::move(info), std::move(openError)});
}

std::vector<HidDeviceInfo> FakeBackend::Enumerate() {
    std::vector<HidDeviceInfo> infos;
    for (const Entry& e : entries_) {
        infos.push_back(e.info);
    }
    return infos;
}

std::unique_ptr<HidDevice> FakeBackend::Open(const std::string& path, std::string& error) {
    opened_.push_back(path);
    Entry* e = Find(path);
    if (!e) {
        error = "No such device";
        return nullptr;
    }
    if (!e->openError.empty()) {
        error = e->openError;
        return nullptr;
    }
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) {
        error = std::generic_category().message(errno);
        return nullptr;
    }
    CloseEnds(*e);
    e->deviceEnd = ends[1];
    e->hostCopy = dup(ends[0]);
    std::unique_ptr<HidDevice> device = HidrawDevice::Adopt(ends[0], error);
    if (!device) {
        return nullptr;
    }
    return std::make_unique<CountedDevice>(std::move(device), live_);
}

int FakeBackend::DeviceEnd(const std::string& path) const {
    for (const Entry& e : entries_) {
        if (e.info.path == path) {
            return e.deviceEnd;
        }
    }
    return -1;
}

int FakeBackend::TakeDeviceEnd(const std::string& path) {
    Entry* e = Find(path);
    return e ? std::exchange(e->deviceEnd, -1) : -1;
}

std::size_t FakeBackend::FillHostToDevice(const std::string& path) {
    Entry* e = Find(path);
    if (!e || e->hostCopy < 0) {
        return 0;
    }
    // The smallest send buffer the kernel allows holds only a few reports.
    const int size = 1;
    setsockopt(e->hostCopy, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    const std::uint8_t filler[16] = {0xEE};
    std::size_t count = 0;
    while (send(e->hostCopy, filler, sizeof filler, MSG_DONTWAIT | MSG_NOSIGNAL) > 0) {
        ++count;
    }
    return count;
}

}  // namespace quavelo
