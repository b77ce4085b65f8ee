// quavelo-uhid-device as a separate process, reached through HidControl and hidraw: its model
// answers, and each of its fault switches shows on the link as a real device's fault would.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/DeviceMap.h"
#include "link/HidControl.h"
#include "link/HidrawBackend.h"
#include "vm/DeviceProgram.h"

namespace quavelo {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

HidReport Numbered(std::uint8_t n) {
    HidReport r{};
    r[0] = 0xFF;
    r[1] = 0x71;
    for (std::size_t i = 2; i < r.size(); ++i) {
        r[i] = static_cast<std::uint8_t>(n * 3 + i);
    }
    return r;
}

template <typename Action>
milliseconds TimeOf(Action&& action) {
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// A TORVA played by the program with `faults`, opened by a link.
class UhidDeviceProgramTest : public testing::Test {
  protected:
    void Start(std::vector<std::string> args) {
        args.insert(args.begin(), {"--model", "torva", "--echo"});
        program_ = std::make_unique<DeviceProgram>(args);
        node_ = program_->Node(milliseconds(5000));
        ASSERT_NE(node_, "") << "the device program served no device";
        ASSERT_TRUE(link_.FindAndOpen(kTorvaVendorId, kTorvaProductId));
        ASSERT_EQ(state_.DevicePath(), node_);
    }

    // Writes the test's first report straight to the node, where the kernel waits for the
    // program's acknowledgment up to its own 5 s. A freshly started program, on an emulated
    // processor and with a sanitizer's start-up costs, may take longer than the link's 100 ms
    // write limit to take its first report; what the tests time comes after it.
    bool WriteFirst(const HidReport& report) const {
        const int fd = ::open(node_.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return false;
        const bool written =
            ::write(fd, report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::close(fd);
        return written;
    }

    HidrawBackend backend_;
    LinkState state_;
    HidControl link_{backend_, state_};
    std::unique_ptr<DeviceProgram> program_;
    std::string node_;
};

TEST_F(UhidDeviceProgramTest, AnswersThroughTheKernelAndGoesWhenStopped) {
    Start({});
    for (std::uint8_t n = 0; n < 5; ++n) {
        ASSERT_TRUE(n == 0 ? WriteFirst(Numbered(n)) : link_.WriteReport16(Numbered(n)));
        HidReport got{};
        std::uint8_t length = 0;
        ASSERT_TRUE(link_.ReadReport(got, length)) << int{n};
        EXPECT_EQ(got, Numbered(n));
        EXPECT_EQ(length, 16);
    }
    EXPECT_EQ(program_->Stop(), 0);
    const std::vector<HidDeviceInfo> left = backend_.Enumerate();
    EXPECT_TRUE(std::none_of(left.begin(), left.end(),
                             [&](const HidDeviceInfo& info) { return info.path == node_; }));
    EXPECT_FALSE(link_.WriteReport16(Numbered(9))) << "the node is gone";
}

TEST_F(UhidDeviceProgramTest, SilentDeviceMakesAReadGiveUpWithinItsBound) {
    Start({"--silent"});
    ASSERT_TRUE(WriteFirst(Numbered(1)));
    HidReport got{};
    std::uint8_t length = 0;
    bool ok = true;
    const milliseconds took = TimeOf([&] { ok = link_.ReadReport(got, length); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kReadReportWait - milliseconds(10));
    EXPECT_LT(took, HidControl::kReadReportWait + milliseconds(500));
}

TEST_F(UhidDeviceProgramTest, StalledDeviceHoldsAWriteInTheKernelAndTheLinkRecovers) {
    Start({"--stall-after", "1", "--stall-ms", "400"});
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(WriteFirst(Numbered(1)));
    bool ok = true;
    milliseconds took = TimeOf([&] { ok = link_.WriteReport16(Numbered(2)); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kWriteLimit - milliseconds(5));
    EXPECT_LT(took, HidControl::kWriteLimit + milliseconds(150));
    took = TimeOf([&] { ok = link_.WriteReport16(Numbered(3)); });
    EXPECT_FALSE(ok) << "the first is still inside the kernel";
    EXPECT_LT(took, milliseconds(50));

    std::this_thread::sleep_until(start + milliseconds(700));
    EXPECT_TRUE(link_.WriteReport16(Numbered(4)));
    // The held report went out when the stall ended; the refused one never did.
    for (const std::uint8_t n : {1, 2, 4}) {
        HidReport got{};
        std::uint8_t length = 0;
        ASSERT_TRUE(link_.ReadReport(got, length)) << int{n};
        EXPECT_EQ(got, Numbered(n));
    }
}

TEST_F(UhidDeviceProgramTest, RemovalDuringAReadEndsItAtOnce) {
    Start({"--silent", "--remove-after", "1", "--remove-delay", "200"});
    ASSERT_TRUE(WriteFirst(Numbered(1)));
    HidReport got{};
    std::uint8_t length = 0;
    bool ok = true;
    const milliseconds took = TimeOf([&] { ok = link_.ReadReport(got, length); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, milliseconds(100));
    EXPECT_LT(took, milliseconds(700)) << "the read did not wait out its bound";
    EXPECT_EQ(program_->WaitForExit(milliseconds(2000)), 0);
    EXPECT_FALSE(link_.WriteReport16(Numbered(2)));
}

TEST_F(UhidDeviceProgramTest, RemovalDuringAHeldWriteFailsItAndNothingHangs) {
    Start({"--stall-after", "1", "--remove-after", "1", "--remove-delay", "40"});
    ASSERT_TRUE(WriteFirst(Numbered(1)));
    bool ok = true;
    milliseconds took = TimeOf([&] { ok = link_.WriteReport16(Numbered(2)); });
    EXPECT_FALSE(ok);
    EXPECT_LE(took, HidControl::kWriteLimit + milliseconds(50));
    took = TimeOf([&] { ok = link_.WriteReport16(Numbered(3)); });
    EXPECT_FALSE(ok);
    EXPECT_LE(took, HidControl::kWriteLimit + milliseconds(50));
    EXPECT_LT(TimeOf([&] { link_.Close(); }), milliseconds(300));
    EXPECT_EQ(program_->WaitForExit(milliseconds(2000)), 0);
}

TEST_F(UhidDeviceProgramTest, GarbageReachesTheReaderOnlyAsWholeReports) {
    Start({"--garbage", "--seed", "7"});
    std::mutex lock;
    std::vector<std::size_t> lengths;
    link_.SetReportHandler([&](const HidReport&, std::size_t length) {
        std::lock_guard guard(lock);
        lengths.push_back(length);
    });
    ASSERT_TRUE(link_.StartReader());
    for (std::uint8_t n = 0; n < 40; ++n) {
        ASSERT_TRUE(n == 0 ? WriteFirst(Numbered(n)) : link_.WriteReport16(Numbered(n)));
    }
    std::this_thread::sleep_for(milliseconds(300));
    std::lock_guard guard(lock);
    EXPECT_FALSE(lengths.empty());
    EXPECT_LT(lengths.size(), 40u) << "the kernel drops garbage shorter than the report";
    for (const std::size_t length : lengths) {
        EXPECT_GE(length, 16u);
        EXPECT_LE(length, 64u);
    }
    EXPECT_TRUE(link_.ReaderRunning());
}

TEST(UhidDeviceProgramOptionsTest, RefusedOptionsServeNoDevice) {
    const std::vector<std::vector<std::string>> refused = {
        {"--model", "kd5"}, {"--stall-after", "-1"}, {"--remove-delay"}, {"--unknown"}};
    for (const std::vector<std::string>& args : refused) {
        DeviceProgram program(args);
        EXPECT_EQ(program.Node(milliseconds(2000)), "") << args[0];
        EXPECT_EQ(program.WaitForExit(milliseconds(2000)), 2) << args[0];
    }
}

}  // namespace
}  // namespace quavelo
