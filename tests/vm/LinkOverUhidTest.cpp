// The link suite with the device played through the kernel's HID stack: hidraw node, report
// framing, writes that wait for the device, removal as the kernel shows it.

#include "link/HidControlLinkTest.h"
#include "vm/UhidPeer.h"

namespace quavelo {
namespace {

INSTANTIATE_TEST_SUITE_P(Peers, HidControlLinkTest,
                         testing::Values(PeerKind{"Uhid",
                                                  [] {
                                                      auto peer = std::make_unique<UhidPeer>();
                                                      EXPECT_EQ(peer->Error(), "");
                                                      return peer;
                                                  }}),
                         PeerName);

}  // namespace
}  // namespace quavelo
