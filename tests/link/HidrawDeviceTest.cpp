#include "link/HidrawDevice.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <future>
#include <thread>

namespace quavelo {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// The device under test holds one end of a SOCK_SEQPACKET pair as its node; the test plays the
// device on the other.
class HidrawDeviceTest : public testing::Test {
  protected:
    void SetUp() override {
        std::signal(SIGPIPE, SIG_IGN);
        int ends[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
        peer_ = ends[1];
        std::string error;
        device_ = HidrawDevice::Adopt(ends[0], error);
        ASSERT_NE(device_, nullptr) << error;
    }
    void TearDown() override { ClosePeer(); }
    void ClosePeer() {
        if (peer_ >= 0) {
            close(peer_);
            peer_ = -1;
        }
    }
    void Send(std::size_t size) {
        const std::array<std::uint8_t, 64> bytes{0xFF, 0xA0};
        ASSERT_EQ(send(peer_, bytes.data(), size, 0), static_cast<ssize_t>(size));
    }

    int peer_ = -1;
    std::unique_ptr<HidrawDevice> device_;
    std::array<std::uint8_t, 32> buffer_{};
};

TEST_F(HidrawDeviceTest, ReadsOneReportPerCall) {
    Send(16);
    Send(64);
    ReadResult r = device_->Read(buffer_, milliseconds(100));
    EXPECT_EQ(r.status, ReadStatus::kReport);
    EXPECT_EQ(r.length, 16u);
    r = device_->Read(buffer_, milliseconds(100));
    EXPECT_EQ(r.status, ReadStatus::kReport);
    EXPECT_EQ(r.length, buffer_.size()) << "a report longer than the buffer is cut to it";
    EXPECT_EQ(device_->Read(buffer_, milliseconds(0)).status, ReadStatus::kTimedOut)
        << "the cut-off rest is not a report of its own";
}

TEST_F(HidrawDeviceTest, ReadWaitsNoLongerThanItsTimeout) {
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(device_->Read(buffer_, milliseconds(30)).status, ReadStatus::kTimedOut);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, milliseconds(30));
    EXPECT_LT(took, milliseconds(500));
}

TEST_F(HidrawDeviceTest, StopEndsAWaitingReadAndEveryLaterOne) {
    auto read = std::async(std::launch::async,
                           [&] { return device_->Read(buffer_, HidDevice::kNoTimeout).status; });
    std::this_thread::sleep_for(milliseconds(20));
    device_->RequestStop();
    ASSERT_EQ(read.wait_for(milliseconds(1000)), std::future_status::ready);
    EXPECT_EQ(read.get(), ReadStatus::kStopped);
    Send(16);
    EXPECT_EQ(device_->Read(buffer_, HidDevice::kNoTimeout).status, ReadStatus::kStopped)
        << "the stop stays raised and comes before waiting reports";
}

TEST_F(HidrawDeviceTest, StopEndsAWriteWaitingForRoom) {
    // The peer reads nothing, so the writes fill the pair and the last one waits for room.
    const std::array<std::uint8_t, 16> report{0xFF};
    auto writes = std::async(std::launch::async, [&] {
        while (device_->Write(report)) {
        }
    });
    EXPECT_EQ(writes.wait_for(milliseconds(100)), std::future_status::timeout);
    device_->RequestStop();
    EXPECT_EQ(writes.wait_for(milliseconds(1000)), std::future_status::ready);
}

TEST_F(HidrawDeviceTest, PeerGoneFailsReadsAndWrites) {
    Send(16);
    ClosePeer();
    EXPECT_EQ(device_->Read(buffer_, milliseconds(100)).status, ReadStatus::kReport)
        << "what the device sent before it went is still delivered";
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(device_->Read(buffer_, HidDevice::kNoTimeout).status, ReadStatus::kFailed);
    }
    const std::array<std::uint8_t, 16> report{0xFF};
    EXPECT_FALSE(device_->Write(report));
}

TEST_F(HidrawDeviceTest, EmptyWriteAndEmptyBufferAreRefused) {
    EXPECT_FALSE(device_->Write({}));
    EXPECT_EQ(device_->Read({}, milliseconds(0)).status, ReadStatus::kFailed);
}

TEST(HidrawDeviceOpenTest, ReportsWhyANodeCannotBeOpened) {
    std::string error;
    EXPECT_EQ(HidrawDevice::Open("/nonexistent/hidraw0", error), nullptr);
    EXPECT_EQ(error, "No such file or directory");
    error.clear();
    EXPECT_EQ(HidrawDevice::Adopt(-1, error), nullptr);
    EXPECT_EQ(error, "Bad file descriptor");
}

}  // namespace
}  // namespace quavelo
