#include <gtest/gtest.h>

#include <poll.h>

#include <thread>

#include "link/QueuedRemovalMonitor.h"
#include "link/UdevRemovalMonitor.h"

namespace quavelo {
namespace {

bool Readable(int fd, int waitMs = 0) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, waitMs) == 1 && (p.revents & POLLIN) != 0;
}

std::unique_ptr<QueuedRemovalMonitor> MakeQueued() {
    std::string error;
    auto monitor = QueuedRemovalMonitor::Create(error);
    EXPECT_NE(monitor, nullptr) << error;
    return monitor;
}

TEST(QueuedRemovalMonitorTest, FdIsReadableExactlyWhileRemovalsArePending) {
    auto monitor = MakeQueued();
    EXPECT_FALSE(Readable(monitor->Fd()));
    monitor->Raise("/dev/hidraw1");
    monitor->Raise("/dev/hidraw2");
    EXPECT_TRUE(Readable(monitor->Fd()));
    EXPECT_EQ(monitor->TakeRemovedPaths(),
              (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw2"}));
    EXPECT_FALSE(Readable(monitor->Fd()));
    EXPECT_TRUE(monitor->TakeRemovedPaths().empty());
    monitor->Raise("/dev/hidraw3");
    EXPECT_TRUE(Readable(monitor->Fd()));
}

TEST(QueuedRemovalMonitorTest, RemovalRaisedOnAnotherThreadWakesTheWatcher) {
    auto monitor = MakeQueued();
    LinkState link;
    link.SetDevicePath("/dev/hidraw2");
    std::thread device([&] { monitor->Raise("/dev/hidraw2"); });
    EXPECT_TRUE(Readable(monitor->Fd(), 2000));
    device.join();
    EXPECT_TRUE(monitor->TakeRemovalOf(link));
}

struct RemovalCase {
    const char* name;
    std::vector<std::string> removed;
    bool isOurs;
};

class TakeRemovalOfTest : public testing::TestWithParam<RemovalCase> {};

TEST_P(TakeRemovalOfTest, MatchesTheLastExaminedPathIgnoringCase) {
    auto monitor = MakeQueued();
    LinkState link;
    link.SetDevicePath("/dev/hidraw3");
    for (const std::string& path : GetParam().removed) {
        monitor->Raise(path);
    }
    EXPECT_EQ(monitor->TakeRemovalOf(link), GetParam().isOurs);
    EXPECT_FALSE(monitor->TakeRemovalOf(link)) << "the removals were taken";
    EXPECT_FALSE(Readable(monitor->Fd()));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TakeRemovalOfTest, testing::Values(
    RemovalCase{"Same",            {"/dev/hidraw3"},                 true},
    RemovalCase{"OtherCase",       {"/DEV/HIDRAW3"},                 true},
    RemovalCase{"AmongOthers",     {"/dev/hidraw1", "/dev/hidraw3"}, true},
    RemovalCase{"LongerName",      {"/dev/hidraw30"},                false},
    RemovalCase{"OtherDevice",     {"/dev/hidraw4"},                 false},
    RemovalCase{"EmptyPath",       {""},                             false},
    RemovalCase{"Nothing",         {},                               false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(UdevRemovalMonitorTest, TakingWithNothingQueuedDoesNotBlock) {
    std::string error;
    auto monitor = UdevRemovalMonitor::Create(error);
    if (!monitor) {
        GTEST_SKIP() << "no udev monitor here: " << error;
    }
    EXPECT_GE(monitor->Fd(), 0);
    EXPECT_TRUE(monitor->TakeRemovedPaths().empty());
}

}  // namespace
}  // namespace quavelo
