#include "link/HidControl.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <utility>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "link/HidControlLinkTest.h"
#include "link/HidrawDevice.h"
#include "sim/SimulatedBackend.h"

namespace quavelo {
namespace {

// Plays the device on the far end of a SOCK_SEQPACKET socket pair whose near end the link drives
// as a hidraw node; each message is one report, as on hidraw.
class SocketPairPeer final : public LinkPeer, private HidBackend {
  public:
    // The host may write to a pair whose device end is gone, where a hidraw write simply fails.
    SocketPairPeer() { std::signal(SIGPIPE, SIG_IGN); }
    ~SocketPairPeer() override { close(device_); }

    HidBackend& Backend() override { return *this; }
    void SendInput(std::span<const std::uint8_t> report) override {
        send(device_, report.data(), report.size(), MSG_NOSIGNAL);
    }
    std::optional<Bytes> ReceiveOutput(std::chrono::milliseconds wait) override {
        pollfd fd{device_, POLLIN, 0};
        Bytes buffer(1024);
        if (poll(&fd, 1, static_cast<int>(wait.count())) != 1) return std::nullopt;
        const ssize_t got = recv(device_, buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (got <= 0) return std::nullopt;
        buffer.resize(static_cast<std::size_t>(got));
        return buffer;
    }
    // Fills the host's direction through the link's own descriptor (the kernel's smallest send
    // buffer holds a few reports), so the link's next write waits for room; resuming reads the
    // fillers away.
    void Stall(bool stalled) override {
        const int size = 1;
        setsockopt(host_, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
        const std::uint8_t filler[16] = {0xEE};
        while (stalled && send(host_, filler, 16, MSG_DONTWAIT | MSG_NOSIGNAL) > 0) ++fillers_;
        for (; !stalled && fillers_ > 0; --fillers_) ReceiveOutput(std::chrono::milliseconds(1000));
    }
    void Unplug() override { close(std::exchange(device_, -1)); }
    int LiveDevices() const override {
        struct stat host {};
        return fstat(host_, &host) == 0 && host.st_ino == hostInode_;
    }
    // An empty message reads as the end of the stream, as from a vanished device.
    std::size_t ShortestInput() const override { return 1; }

  private:
    std::vector<HidDeviceInfo> Enumerate() override {
        return {{"/dev/hidraw7", kVendor, kProduct, {}}};
    }
    std::unique_ptr<HidDevice> Open(const std::string&, OpenError& error) override {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return nullptr;
        close(std::exchange(device_, ends[1]));
        host_ = ends[0];
        struct stat host {};
        fstat(host_, &host);
        hostInode_ = host.st_ino;
        return HidrawDevice::Adopt(host_, error.text);
    }

    int device_ = -1;
    int host_ = -1;  // the link's descriptor, known by its socket's inode
    ino_t hostInode_ = 0;
    std::size_t fillers_ = 0;
};

// Plays the device with the simulated TORVA.
class SimulatedPeer final : public LinkPeer {
  public:
    HidBackend& Backend() override { return backend_; }
    void SendInput(std::span<const std::uint8_t> report) override { device_.SendInput(report); }
    std::optional<Bytes> ReceiveOutput(std::chrono::milliseconds wait) override {
        return device_.WaitForReceived(wait);
    }
    void Stall(bool stalled) override {
        SimFaults faults = device_.Faults();
        faults.stallWrites = stalled;
        device_.SetFaults(faults);
    }
    void Unplug() override { device_.Unplug(); }
    int LiveDevices() const override { return device_.LiveOpenings(); }
    std::size_t ShortestInput() const override { return 0; }

  private:
    SimulatedBackend backend_;
    SimulatedDevice& device_ = backend_.AddDevice(Model::Torva);
};

INSTANTIATE_TEST_SUITE_P(
    Peers, HidControlLinkTest,
    testing::Values(PeerKind{"SocketPair", [] { return std::make_unique<SocketPairPeer>(); }},
                    PeerKind{"Simulated", [] { return std::make_unique<SimulatedPeer>(); }}),
    PeerName);

TEST(HidControlSearchTest, OpensTheFirstOpenableInterfaceWithBothIds) {
    struct Refusing final : HidBackend {
        std::vector<HidDeviceInfo> Enumerate() override { return devices.Enumerate(); }
        std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) override {
            if (path == refused) error = {OpenError::Kind::NotPermitted, "Permission denied", 0};
            return path == refused ? nullptr : devices.Open(path, error);
        }
        SimulatedBackend devices;
        std::string refused;
    } backend;
    backend.devices.AddDevice(Model::Torva, "/dev/t");
    SimulatedDevice& first = backend.devices.AddDevice(Model::Kd4, "/dev/k1");
    SimulatedDevice& second = backend.devices.AddDevice(Model::Kd4, "/dev/k2");
    LinkState state;
    HidControl link(backend, state);
    EXPECT_FALSE(
        link.FindAndOpen(ProfileOf(Model::Torva).usb.vendor, ProfileOf(Model::Kd4).usb.product))
        << "both ids must match";
    EXPECT_EQ(state.DevicePath(), "/dev/k2") << "the last one examined";
    ASSERT_TRUE(
        link.FindAndOpen(ProfileOf(Model::Kd4).usb.vendor, ProfileOf(Model::Kd4).usb.product));
    EXPECT_EQ(state.DeviceFound(), 1);
    EXPECT_EQ(std::pair(first.LiveOpenings(), second.LiveOpenings()), std::pair(1, 0));
    ASSERT_TRUE(link.FindAndOpen(ProfileOf(Model::Kd4).usb.vendor,
                                 ProfileOf(Model::Kd4).usb.product, "/dev/k2"))
        << "a chosen node";
    EXPECT_EQ(std::pair(first.LiveOpenings(), second.LiveOpenings()), std::pair(0, 1));
    backend.refused = "/dev/k1";  // an interface that cannot be opened is skipped
    ASSERT_TRUE(
        link.FindAndOpen(ProfileOf(Model::Kd4).usb.vendor, ProfileOf(Model::Kd4).usb.product));
    EXPECT_EQ(std::pair(first.LiveOpenings(), second.LiveOpenings()), std::pair(0, 1));
    second.Unplug();
    EXPECT_FALSE(
        link.FindAndOpen(ProfileOf(Model::Kd4).usb.vendor, ProfileOf(Model::Kd4).usb.product));
    ASSERT_TRUE(link.LastRefusal().has_value());
    EXPECT_EQ(link.LastRefusal()->path + ": " + link.LastRefusal()->error.text,
              "/dev/k1: Permission denied");
    EXPECT_EQ(first.LiveOpenings() + second.LiveOpenings(), 0) << "nothing stays open";
}

}  // namespace
}  // namespace quavelo
