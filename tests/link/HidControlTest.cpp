#include "link/HidControl.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <poll.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "link/FakeBackend.h"
#include "link/LinkPeer.h"
#include "link/SimulatedPeer.h"
#include "link/SocketPairPeer.h"

namespace quavelo {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

milliseconds TimeOf(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

HidReport Numbered(std::uint8_t n) {
    HidReport r{};
    r[0] = 0xFF;
    r[1] = 0x70;
    for (std::size_t i = 2; i < r.size(); ++i) {
        r[i] = static_cast<std::uint8_t>(n + i);
    }
    return r;
}

std::vector<std::uint8_t> Bytes(const HidReport& r) { return {r.begin(), r.end()}; }

int ThreadCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(dir)) {
            count += entry->d_name[0] != '.';
        }
        closedir(dir);
    }
    return count;
}

// Collects what the reader thread hands over.
class Received {
  public:
    InputReportHandler Handler() {
        return [this](const HidReport& report, std::size_t length) {
            std::lock_guard lock(lock_);
            reports_.push_back(report);
            lengths_.push_back(length);
            arrived_.notify_all();
        };
    }
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(lock_);
        return arrived_.wait_for(lock, milliseconds(2000),
                                 [&] { return reports_.size() >= count; });
    }
    std::vector<HidReport> Reports() {
        std::lock_guard lock(lock_);
        return reports_;
    }
    std::vector<std::size_t> Lengths() {
        std::lock_guard lock(lock_);
        return lengths_;
    }

  private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<HidReport> reports_;
    std::vector<std::size_t> lengths_;
};

using PeerFactory = std::function<std::unique_ptr<LinkPeer>()>;

struct PeerKind {
    const char* name;
    PeerFactory make;
};

void PrintTo(const PeerKind& kind, std::ostream* out) { *out << kind.name; }

class HidControlLinkTest : public testing::TestWithParam<PeerKind> {
  protected:
    void SetUp() override {
        peer_ = GetParam().make();
        link_ = std::make_unique<HidControl>(peer_->Backend(), state_);
        ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct));
    }
    void TearDown() override {
        if (link_) {
            link_->Close();
        }
    }

    LinkState state_;
    std::unique_ptr<LinkPeer> peer_;
    std::unique_ptr<HidControl> link_;
};

TEST_P(HidControlLinkTest, OpeningSetsTheLinkState) {
    EXPECT_TRUE(link_->IsOpen());
    EXPECT_EQ(state_.DeviceFound(), 1);
    EXPECT_EQ(state_.DevicePath(), peer_->Path());
    EXPECT_EQ(link_->OpenProblem(), "");
}

TEST_P(HidControlLinkTest, WritesReachTheDeviceWholeAndInOrder) {
    for (std::uint8_t n = 0; n < 3; ++n) {
        ASSERT_TRUE(link_->WriteReport16(Numbered(n)));
    }
    for (std::uint8_t n = 0; n < 3; ++n) {
        EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Bytes(Numbered(n)));
    }
    const std::uint8_t odd[3] = {1, 2, 3};
    ASSERT_TRUE(link_->Write(odd));
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), std::vector<std::uint8_t>({1, 2, 3}));
    EXPECT_FALSE(link_->Write({})) << "an empty write is refused";
    EXPECT_FALSE(peer_->ReceiveOutput(milliseconds(20)).has_value());
}

struct InputCase {
    std::size_t size;
    std::uint8_t expectedLength;
};

TEST_P(HidControlLinkTest, ReadReportTakesTheFirstSixteenBytesOfEachReport) {
    // A short report leaves zeros where a longer one before it had bytes.
    const InputCase cases[] = {{64, 64}, {5, 5}, {16, 16}, {1, 1}, {255, 255}, {300, 255}};
    for (const InputCase& c : cases) {
        std::vector<std::uint8_t> input(c.size);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = static_cast<std::uint8_t>(0xA0 + i);
        }
        peer_->SendInput(input);
        HidReport got{};
        std::uint8_t length = 0;
        ASSERT_TRUE(link_->ReadReport(got, length)) << c.size;
        HidReport expected{};
        std::copy_n(input.begin(), std::min(c.size, expected.size()), expected.begin());
        EXPECT_EQ(got, expected) << c.size;
        EXPECT_EQ(length, c.expectedLength) << c.size;
    }
}

TEST_P(HidControlLinkTest, ReadReportGivesUpOnASilentDevice) {
    HidReport got{};
    std::uint8_t length = 0;
    bool ok = true;
    const milliseconds took = TimeOf([&] { ok = link_->ReadReport(got, length); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kReadReportWait - milliseconds(10));
    EXPECT_LT(took, HidControl::kReadReportWait + milliseconds(500));
}

TEST_P(HidControlLinkTest, StalledWriteFailsInTimeFailsFastAfterAndRecovers) {
    peer_->StallWrites();
    bool ok = true;
    milliseconds took = TimeOf([&] { ok = link_->WriteReport16(Numbered(1)); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kWriteLimit - milliseconds(5));
    EXPECT_LT(took, HidControl::kWriteLimit + milliseconds(400));

    took = TimeOf([&] { ok = link_->WriteReport16(Numbered(2)); });
    EXPECT_FALSE(ok) << "a write behind a stuck one fails";
    EXPECT_LT(took, milliseconds(50)) << "and does not wait its turn";

    peer_->ResumeWrites();
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Bytes(Numbered(1)))
        << "the stuck report went out once the device took it";
    bool recovered = false;
    for (int i = 0; i < 100 && !recovered; ++i) {
        recovered = link_->WriteReport16(Numbered(3));
        if (!recovered) {
            std::this_thread::sleep_for(milliseconds(10));
        }
    }
    EXPECT_TRUE(recovered);
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Bytes(Numbered(3)));
    EXPECT_FALSE(peer_->ReceiveOutput(milliseconds(20)).has_value())
        << "the refused report was never sent";
}

TEST_P(HidControlLinkTest, WritersOnSeveralThreadsAllGetThrough) {
    constexpr int kThreads = 4;
    constexpr int kEach = 40;
    std::atomic<int> failures{0};
    std::vector<std::vector<std::uint8_t>> received;
    std::thread device([&] {
        while (received.size() < kThreads * kEach) {
            auto report = peer_->ReceiveOutput(milliseconds(2000));
            if (!report) {
                break;
            }
            received.push_back(*report);
        }
    });
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                failures +=
                    !link_->WriteReport16(Numbered(static_cast<std::uint8_t>(t * kEach + i)));
            }
        });
    }
    for (std::thread& w : writers) {
        w.join();
    }
    device.join();
    EXPECT_EQ(failures, 0);
    std::set<std::vector<std::uint8_t>> distinct(received.begin(), received.end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kThreads * kEach));
    for (int n = 0; n < kThreads * kEach; ++n) {
        EXPECT_EQ(distinct.count(Bytes(Numbered(static_cast<std::uint8_t>(n)))), 1u) << n;
    }
}

TEST_P(HidControlLinkTest, RemovalDuringAReadFailsWithoutWaitingOut) {
    std::thread unplug([&] {
        std::this_thread::sleep_for(milliseconds(50));
        peer_->Unplug();
    });
    HidReport got{};
    std::uint8_t length = 0;
    bool ok = true;
    const milliseconds took = TimeOf([&] { ok = link_->ReadReport(got, length); });
    unplug.join();
    EXPECT_FALSE(ok);
    EXPECT_LT(took, HidControl::kReadReportWait / 2);
    EXPECT_LT(TimeOf([&] { ok = link_->ReadReport(got, length); }), milliseconds(50));
    EXPECT_FALSE(ok);
}

TEST_P(HidControlLinkTest, RemovalDuringAStuckWriteFailsAndNothingHangs) {
    peer_->StallWrites();
    EXPECT_FALSE(link_->WriteReport16(Numbered(1)));
    peer_->Unplug();
    bool ok = true;
    milliseconds took{};
    for (int i = 0; i < 3; ++i) {
        took = TimeOf([&] { ok = link_->WriteReport16(Numbered(2)); });
        EXPECT_FALSE(ok);
        EXPECT_LE(took, HidControl::kWriteLimit + milliseconds(50));
    }
    EXPECT_LT(TimeOf([&] { link_->Close(); }), milliseconds(500));
    EXPECT_EQ(peer_->LiveDevices(), 0);
}

TEST_P(HidControlLinkTest, ReaderThreadHandsEveryReportToTheHandler) {
    Received received;
    link_->SetReportHandler(received.Handler());
    ASSERT_TRUE(link_->StartReader());
    const int threads = ThreadCount();
    EXPECT_FALSE(link_->StartReader()) << "one reader only";
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_TRUE(link_->ReaderRunning());

    HidReport dest{};
    std::uint8_t length = 0;
    EXPECT_FALSE(link_->ReadReport(dest, length)) << "the reader thread owns the input";

    const std::uint8_t longer[20] = {0xFF, 0xA0, 0x00, 0x50, 9, 9, 9, 9, 9, 9,
                                     9,    9,    9,    9,    9, 9, 9, 9, 9, 9};
    const std::uint8_t shorter[3] = {0xFF, 0x70, 0x00};
    peer_->SendInput(longer);
    peer_->SendInput(shorter);
    peer_->SendInput(Numbered(5));
    ASSERT_TRUE(received.WaitFor(3));
    HidReport expectedShort{};
    std::copy(std::begin(shorter), std::end(shorter), expectedShort.begin());
    HidReport expectedLong{};
    std::copy_n(std::begin(longer), 16, expectedLong.begin());
    EXPECT_EQ(received.Reports(),
              (std::vector<HidReport>{expectedLong, expectedShort, Numbered(5)}));
    EXPECT_EQ(received.Lengths(), (std::vector<std::size_t>{20, 3, 16}));

    ASSERT_TRUE(link_->WriteReport16(Numbered(6))) << "writes go on beside the reader";
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Bytes(Numbered(6)));
}

TEST_P(HidControlLinkTest, ReaderEndsWhenTheDeviceIsRemoved) {
    ASSERT_TRUE(link_->StartReader());
    peer_->Unplug();
    const Clock::time_point give_up = Clock::now() + milliseconds(2000);
    while (link_->ReaderRunning() && Clock::now() < give_up) {
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_FALSE(link_->ReaderRunning());
    EXPECT_LT(TimeOf([&] { link_->Close(); }), milliseconds(100));
    EXPECT_EQ(peer_->LiveDevices(), 0);
}

TEST_P(HidControlLinkTest, CloseEndsTheReaderAndReleasesEverything) {
    Received received;
    link_->SetReportHandler(received.Handler());
    ASSERT_TRUE(link_->StartReader());
    const int threads = ThreadCount();
    EXPECT_LT(TimeOf([&] { EXPECT_TRUE(link_->Close()); }), milliseconds(500));
    EXPECT_EQ(ThreadCount(), threads - 2) << "reader and writer ended";
    EXPECT_FALSE(link_->IsOpen());
    EXPECT_FALSE(link_->ReaderRunning());
    EXPECT_EQ(peer_->LiveDevices(), 0);

    HidReport dest{};
    std::uint8_t length = 0;
    bool ok = true;
    EXPECT_LT(TimeOf([&] { ok = link_->ReadReport(dest, length); }), milliseconds(20));
    EXPECT_FALSE(ok);
    EXPECT_FALSE(link_->WriteReport16(Numbered(1)));
    EXPECT_FALSE(link_->StartReader());
    EXPECT_TRUE(link_->Close()) << "closing a closed link is harmless";
}

TEST_P(HidControlLinkTest, ClosedLinkOpensAgain) {
    ASSERT_TRUE(link_->StartReader());
    link_->Close();
    ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct));
    EXPECT_FALSE(link_->ReaderRunning());
    ASSERT_TRUE(link_->WriteReport16(Numbered(9)));
    EXPECT_EQ(peer_->ReceiveOutput(milliseconds(1000)), Bytes(Numbered(9)));
    peer_->SendInput(Numbered(4));
    HidReport dest{};
    std::uint8_t length = 0;
    ASSERT_TRUE(link_->ReadReport(dest, length));
    EXPECT_EQ(dest, Numbered(4));
    EXPECT_EQ(peer_->LiveDevices(), 1);
}

TEST_P(HidControlLinkTest, OpeningAnOpenLinkClosesItFirst) {
    ASSERT_TRUE(link_->StartReader());
    ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct));
    EXPECT_FALSE(link_->ReaderRunning());
    EXPECT_EQ(peer_->LiveDevices(), 1);
}

TEST_P(HidControlLinkTest, DestroyingAnOpenLinkReleasesEverything) {
    ASSERT_TRUE(link_->StartReader());
    link_.reset();
    EXPECT_EQ(peer_->LiveDevices(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Peers, HidControlLinkTest,
    testing::Values(PeerKind{"SocketPair", [] { return std::make_unique<SocketPairPeer>(); }},
                    PeerKind{"Simulated", [] { return std::make_unique<SimulatedPeer>(); }}),
    [](const auto& info) { return std::string(info.param.name); });

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
