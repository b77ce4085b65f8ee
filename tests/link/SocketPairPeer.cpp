#include "link/SocketPairPeer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

namespace quavelo {

SocketPairPeer::SocketPairPeer() { backend_.Add({Path(), kVendor, kProduct, {}}); }

void SocketPairPeer::SendInput(std::span<const std::uint8_t> report) {
    send(backend_.DeviceEnd(Path()), report.data(), report.size(), MSG_NOSIGNAL);
}

std::optional<std::vector<std::uint8_t>> SocketPairPeer::ReceiveOutput(
    std::chrono::milliseconds wait) {
    pollfd fd{backend_.DeviceEnd(Path()), POLLIN, 0};
    if (fd.fd < 0 || poll(&fd, 1, static_cast<int>(wait.count())) != 1 ||
        (fd.revents & POLLIN) == 0) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 1024> buffer{};
    const ssize_t got = recv(fd.fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (got <= 0) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + got);
}

void SocketPairPeer::StallWrites() { filler_ += backend_.FillHostToDevice(Path()); }

void SocketPairPeer::ResumeWrites() {
    for (; filler_ > 0; --filler_) {
        ReceiveOutput(std::chrono::milliseconds(1000));
    }
}

void SocketPairPeer::Unplug() {
    const int end = backend_.TakeDeviceEnd(Path());
    if (end >= 0) {
        close(end);
    }
    filler_ = 0;
}

}  // namespace quavelo
