// The link tests that every peer passes, with the device played through the kernel's HID stack:
// hidraw node, report framing, writes that wait for the device, removal as the kernel shows it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/HidControlLinkTest.h"
#include "vm/UhidPeer.h"

namespace quavelo::linktest {

INSTANTIATE_TEST_SUITE_P(Peers, HidControlLinkTest,
                         testing::Values(PeerKind{"Uhid",
                                                  [] {
                                                      auto peer = std::make_unique<UhidPeer>();
                                                      EXPECT_EQ(peer->Error(), "");
                                                      return peer;
                                                  }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace quavelo::linktest
