#include "link/HidControl.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <memory>
#include <string>

#include "link/FakeBackend.h"
#include "link/HidControlLinkTest.h"
#include "link/SimulatedPeer.h"
#include "link/SocketPairPeer.h"

namespace quavelo {

namespace linktest {

INSTANTIATE_TEST_SUITE_P(
    Peers, HidControlLinkTest,
    testing::Values(PeerKind{"SocketPair", [] { return std::make_unique<SocketPairPeer>(); }},
                    PeerKind{"Simulated", [] { return std::make_unique<SimulatedPeer>(); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace linktest

namespace {

using linktest::Numbered;

// The search, against scripted interface lists.
class HidControlSearchTest : public testing::Test {
  protected:
    static constexpr std::uint16_t kVendor = 0x0F8D;
    static constexpr std::uint16_t kProduct = 0x0047;

    LinkState state_;
    FakeBackend backend_;
    HidControl link_{backend_, state_};
};

TEST_F(HidControlSearchTest, NoMatchingInterfaceLeavesNothingOpen) {
    // clang-format off
    backend_.Add({"/dev/hidraw0", kVendor, 0x0046, {}});      // product differs
    backend_.Add({"/dev/hidraw1", 0x0F8C, kProduct, {}});     // vendor differs
    backend_.Add({"/dev/hidraw2", kProduct, kVendor, {}});    // ids swapped
    // clang-format on
    EXPECT_FALSE(link_.FindAndOpen(kVendor, kProduct));
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_TRUE(backend_.OpenedPaths().empty());
    EXPECT_EQ(backend_.LiveDevices(), 0);
    EXPECT_EQ(state_.DeviceFound(), 0);
    EXPECT_EQ(state_.DevicePath(), "/dev/hidraw2") << "the last interface examined";
    EXPECT_EQ(link_.OpenProblem(), "");
    EXPECT_FALSE(link_.WriteReport16(Numbered(0)));
}

TEST_F(HidControlSearchTest, NoInterfacesAtAll) {
    EXPECT_FALSE(link_.FindAndOpen(kVendor, kProduct));
    EXPECT_EQ(state_.DevicePath(), "");
}

TEST_F(HidControlSearchTest, FirstOfTwoMatchingInterfacesWins) {
    backend_.Add({"/dev/hidraw4", 0x0F8C, 0x0046, {}});
    backend_.Add({"/dev/hidraw5", kVendor, kProduct, {}});
    backend_.Add({"/dev/hidraw6", kVendor, kProduct, {}});
    ASSERT_TRUE(link_.FindAndOpen(kVendor, kProduct));
    EXPECT_EQ(backend_.OpenedPaths(), std::vector<std::string>{"/dev/hidraw5"});
    EXPECT_EQ(state_.DevicePath(), "/dev/hidraw5");
    EXPECT_EQ(state_.DeviceFound(), 1);
    ASSERT_TRUE(link_.WriteReport16(Numbered(1)));
    pollfd fd{backend_.DeviceEnd("/dev/hidraw5"), POLLIN, 0};
    EXPECT_EQ(poll(&fd, 1, 1000), 1) << "the report went to the first match";
}

TEST_F(HidControlSearchTest, MatchThatCannotBeOpenedIsSkipped) {
    backend_.Add({"/dev/hidraw1", kVendor, kProduct, "Permission denied"}, "Permission denied");
    backend_.Add({"/dev/hidraw2", kVendor, kProduct, {}});
    ASSERT_TRUE(link_.FindAndOpen(kVendor, kProduct));
    EXPECT_EQ(backend_.OpenedPaths(), (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw2"}));
    EXPECT_EQ(state_.DevicePath(), "/dev/hidraw2");
    EXPECT_EQ(link_.OpenProblem(), "");
}

TEST_F(HidControlSearchTest, OnlyMatchCannotBeOpened) {
    backend_.Add({"/dev/hidraw1", kVendor, kProduct, "Permission denied"}, "Permission denied");
    EXPECT_FALSE(link_.FindAndOpen(kVendor, kProduct));
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_EQ(state_.DeviceFound(), 0);
    EXPECT_EQ(link_.OpenProblem(), "/dev/hidraw1: Permission denied");
}

}  // namespace
}  // namespace quavelo
