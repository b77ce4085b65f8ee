#pragma once

#include <cstddef>

#include "link/FakeBackend.h"
#include "link/LinkPeer.h"

namespace quavelo {

// Plays the device on the far end of a SOCK_SEQPACKET socket pair whose near end the link
// drives as a hidraw node; each message is one report, as on hidraw.
class SocketPairPeer final : public LinkPeer {
  public:
    SocketPairPeer();

    HidBackend& Backend() override { return backend_; }
    std::string Path() const override { return "/dev/hidraw7"; }
    void SendInput(std::span<const std::uint8_t> report) override;
    std::optional<std::vector<std::uint8_t>> ReceiveOutput(std::chrono::milliseconds wait) override;
    void StallWrites() override;
    void ResumeWrites() override;
    void Unplug() override;
    int LiveDevices() const override { return backend_.LiveDevices(); }

  private:
    FakeBackend backend_;
    std::size_t filler_ = 0;
};

}  // namespace quavelo
