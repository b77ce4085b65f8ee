#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "link/HidControl.h"

namespace quavelo {

// The far side of a link under test: a backend that shows one device with kVendor / kProduct,
// and the device's end of the wire. The link suite (HidControlLinkTest.cpp) runs against every
// kind of peer; a test program instantiates it with its own:
//   INSTANTIATE_TEST_SUITE_P(Peers, HidControlLinkTest, testing::Values(PeerKind{...}), PeerName);
class LinkPeer {
  public:
    static constexpr std::uint16_t kVendor = 0x0F8C;
    static constexpr std::uint16_t kProduct = 0x0046;
    using Bytes = std::vector<std::uint8_t>;

    virtual ~LinkPeer() = default;
    virtual HidBackend& Backend() = 0;
    virtual void SendInput(std::span<const std::uint8_t> report) = 0;
    // The next output report the device took, or nullopt when none came within `wait`.
    virtual std::optional<Bytes> ReceiveOutput(std::chrono::milliseconds wait) = 0;
    // While stalled, the device (still plugged in) takes no output report.
    virtual void Stall(bool stalled) = 0;
    // The device goes away: every transfer in progress or to come fails.
    virtual void Unplug() = 0;
    // Openings of the device the link has not released yet.
    virtual int LiveDevices() const = 0;
    // Input reports shorter than this never reach the host as they were sent.
    virtual std::size_t ShortestInput() const = 0;
};

struct PeerKind {
    const char* name;
    std::function<std::unique_ptr<LinkPeer>()> make;
};
inline void PrintTo(const PeerKind& kind, std::ostream* out) { *out << kind.name; }
inline std::string PeerName(const testing::TestParamInfo<PeerKind>& info) {
    return info.param.name;
}

// A link opened on the peer's device; the link goes before the peer.
class HidControlLinkTest : public testing::TestWithParam<PeerKind> {
  protected:
    void SetUp() override {
        peer_ = GetParam().make();
        link_ = std::make_unique<HidControl>(peer_->Backend(), state_);
        ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct));
    }

    LinkState state_;
    std::unique_ptr<LinkPeer> peer_;
    std::unique_ptr<HidControl> link_;
};

}  // namespace quavelo
