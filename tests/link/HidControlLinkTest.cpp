#include "link/HidControlLinkTest.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <mutex>
#include <set>
#include <thread>

namespace quavelo {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// Room above a bound for sanitizer builds on a loaded machine; also "at once" for a hang check.
constexpr milliseconds kSlack{400};

milliseconds TimeOf(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

bool Eventually(const std::function<bool()>& done) {
    const Clock::time_point giveUp = Clock::now() + milliseconds(3000);
    while (!done() && Clock::now() < giveUp) std::this_thread::sleep_for(milliseconds(5));
    return done();
}

Bytes Numbered(int n, std::size_t size = 16) {
    Bytes r(size);
    for (std::size_t i = 0; i < size; ++i) r[i] = static_cast<std::uint8_t>(n + i);
    return r;
}

HidReport Head(const Bytes& input) {
    HidReport r{};
    std::copy_n(input.begin(), std::min(input.size(), r.size()), r.begin());
    return r;
}

struct Read {
    bool ok = false;
    HidReport report{};
    std::uint8_t length = 0;
    milliseconds took{};
};

Read ReadOne(HidControl& link) {
    Read r;
    r.took = TimeOf([&] { r.ok = link.ReadReport(r.report, r.length); });
    return r;
}

TEST_P(HidControlLinkTest, ReadReportGivesTheFirstSixteenBytesAndTheLength) {
    // A shorter report after a longer one reads with zeros, not with the longer one's tail.
    HidReport got{};
    for (const std::size_t size : {64, 5, 16, 1, 255, 300}) {
        peer_->SendInput(Numbered(0xA0, size));
        if (size < peer_->ShortestInput()) continue;
        std::uint8_t length = 0;
        EXPECT_TRUE(link_->ReadReport(got, length) && got == Head(Numbered(0xA0, size))) << size;
        EXPECT_EQ(length, std::min<std::size_t>(size, 255)) << size;
    }
}

TEST_P(HidControlLinkTest, ReadReportEndsAfterItsWaitOnSilenceAndAtOnceOnRemoval) {
    Read r = ReadOne(*link_);
    EXPECT_FALSE(r.ok);
    EXPECT_GE(r.took, HidControl::kReadReportWait - milliseconds(10));
    EXPECT_LT(r.took, HidControl::kReadReportWait + kSlack);
    auto unplugging = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(milliseconds(50));
        peer_->Unplug();
    });
    r = ReadOne(*link_);
    unplugging.get();
    EXPECT_FALSE(r.ok);
    EXPECT_LT(r.took, HidControl::kReadReportWait / 2);
}

TEST_P(HidControlLinkTest, ReadReportSkipsEmptyReportsUpToItsAttemptCap) {
    if (peer_->ShortestInput() > 0) GTEST_SKIP() << "this device cannot send an empty report";
    // One empty report fewer than the cap leaves a read for the report behind them; as many as
    // the cap end the call, and the report waits for the next one.
    constexpr int kCap = HidControl::kReadReportAttempts;
    for (const int empties : {kCap - 1, kCap}) {
        for (int i = 0; i < empties; ++i) peer_->SendInput({});
        peer_->SendInput(Numbered(empties));
        Read r = ReadOne(*link_);
        EXPECT_EQ(r.ok, empties < kCap) << empties;
        if (!r.ok) r = ReadOne(*link_);
        EXPECT_EQ(r.report, Head(Numbered(empties))) << empties;
    }
}

TEST_P(HidControlLinkTest, StalledWriteFailsAtTheLimitLaterOnesAtOnceAndTheLinkRecovers) {
    peer_->Stall(true);
    bool ok = true;
    milliseconds took = TimeOf([&] { ok = link_->Write(Numbered(1)); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kWriteLimit - milliseconds(5));
    EXPECT_LT(took, HidControl::kWriteLimit + kSlack);
    took = TimeOf([&] { ok = link_->Write(Numbered(2)); });
    EXPECT_FALSE(ok) << "a write behind the stuck one fails";
    EXPECT_LT(took, HidControl::kWriteLimit / 2) << "without waiting its turn";
    peer_->Stall(false);
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Numbered(1)) << "taken late";
    EXPECT_TRUE(Eventually([&] { return link_->Write(Numbered(3)); }));
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Numbered(3))
        << "the refused one never went";
}

TEST_P(HidControlLinkTest, RemovalDuringAStuckWriteFailsEveryWriteWithinTheLimit) {
    ASSERT_TRUE(link_->StartReader());
    peer_->Stall(true);
    EXPECT_FALSE(link_->Write(Numbered(1)));
    peer_->Unplug();
    bool ok = true;
    EXPECT_LT(TimeOf([&] { ok = link_->Write(Numbered(2)); }), HidControl::kWriteLimit + kSlack);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(Eventually([&] { return !link_->ReaderRunning(); })) << "the reader ends";
    EXPECT_LT(TimeOf([&] { link_->Close(); }), kSlack);
    EXPECT_EQ(peer_->LiveDevices(), 0);
}

TEST_P(HidControlLinkTest, ReaderHandsEachReportWithItsLengthToTheHandlerWhileWritersGoOn) {
    using Got = std::vector<std::pair<HidReport, std::size_t>>;
    auto got = std::make_shared<std::pair<std::mutex, Got>>();
    link_->SetReportHandler([got](const HidReport& report, std::size_t length) {
        std::lock_guard guard(got->first);
        got->second.emplace_back(report, length);
    });
    ASSERT_TRUE(link_->StartReader());
    EXPECT_FALSE(link_->StartReader()) << "one reader only";
    EXPECT_FALSE(ReadOne(*link_).ok) << "the reader thread owns the input";
    Got expected;
    for (const std::size_t size : {20, 3, 16}) {
        peer_->SendInput(Numbered(0xB0, size));
        if (size >= peer_->ShortestInput()) expected.emplace_back(Head(Numbered(0xB0, size)), size);
    }
    const auto reports = [&] {
        std::lock_guard guard(got->first);
        return got->second;
    };
    EXPECT_TRUE(Eventually([&] { return reports().size() >= expected.size(); }));
    EXPECT_EQ(reports(), expected);
    // Writes go on beside the reader, from several threads at once, each whole.
    std::vector<std::future<bool>> writers;
    for (int t = 0; t < 4; ++t) {
        writers.push_back(std::async(std::launch::async, [this, t] {
            bool all = true;
            for (int i = 0; i < 40; ++i) all = link_->Write(Numbered(t * 40 + i)) && all;
            return all;
        }));
    }
    std::set<Bytes> received;
    while (const auto report = peer_->ReceiveOutput(milliseconds(1000))) received.insert(*report);
    for (auto& w : writers) EXPECT_TRUE(w.get());
    EXPECT_EQ(received.size(), 160u);
}

TEST_P(HidControlLinkTest, CloseReleasesEverythingAndTheLinkOpensAgain) {
    ASSERT_TRUE(link_->StartReader());
    EXPECT_LT(TimeOf([&] { link_->Close(); }), kSlack);
    EXPECT_EQ(peer_->LiveDevices(), 0);
    EXPECT_FALSE(link_->Write(Numbered(1)) || link_->StartReader());
    ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct));
    ASSERT_TRUE(link_->StartReader());
    ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct)) << "closes it first";
    EXPECT_EQ(peer_->LiveDevices(), 1);
    link_.reset();
    EXPECT_EQ(peer_->LiveDevices(), 0) << "destroying an open link releases it";
}

TEST_P(HidControlLinkTest, CloseWhileTheHandlerBlocksReturnsWithinItsBound) {
    auto gate = std::make_shared<std::atomic<int>>(0);  // 1: inside the handler; 2: may return
    link_->SetReportHandler([gate](const HidReport&, std::size_t) {
        *gate = 1;
        while (*gate != 2) std::this_thread::sleep_for(milliseconds(1));
    });
    ASSERT_TRUE(link_->StartReader());
    peer_->SendInput(Numbered(1));
    ASSERT_TRUE(Eventually([&] { return *gate == 1; }));
    auto closing = std::async(std::launch::async, [&] { link_->Close(); });
    const auto bound = HidControl::kReaderStopWait + HidControl::kWriterStopWait + kSlack;
    const bool closed = closing.wait_for(bound) == std::future_status::ready;
    *gate = 2;
    EXPECT_TRUE(closed) << "Close waited for the handler";
    EXPECT_TRUE(Eventually([&] { return peer_->LiveDevices() == 0; })) << "released after it";
}

TEST_P(HidControlLinkTest, CloseWhileAWriteIsStalledReturnsWithinItsBound) {
    peer_->Stall(true);
    EXPECT_FALSE(link_->Write(Numbered(1)));
    auto closing = std::async(std::launch::async, [&] { link_->Close(); });
    const bool closed =
        closing.wait_for(HidControl::kWriterStopWait + kSlack) == std::future_status::ready;
    peer_->Stall(false);
    EXPECT_TRUE(closed) << "Close waited for the device";
    EXPECT_TRUE(Eventually([&] { return peer_->LiveDevices() == 0; })) << "released after it";
}

}  // namespace
}  // namespace quavelo
