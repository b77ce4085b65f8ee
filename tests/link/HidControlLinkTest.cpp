#include "link/HidControlLinkTest.h"

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

namespace quavelo::linktest {

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
    // A short report leaves zeros where a longer one before it had bytes. Where short reports
    // never arrive, the next read gets the report after it.
    const InputCase cases[] = {{64, 64}, {5, 5}, {16, 16}, {1, 1}, {255, 255}, {300, 255}};
    for (const InputCase& c : cases) {
        std::vector<std::uint8_t> input(c.size);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = static_cast<std::uint8_t>(0xA0 + i);
        }
        peer_->SendInput(input);
        if (c.size < peer_->ShortestInput()) {
            continue;
        }
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
    HidReport expectedLong{};
    std::copy_n(std::begin(longer), 16, expectedLong.begin());
    std::vector<HidReport> expected{expectedLong};
    std::vector<std::size_t> lengths{20};
    if (sizeof shorter >= peer_->ShortestInput()) {
        HidReport expectedShort{};
        std::copy(std::begin(shorter), std::end(shorter), expectedShort.begin());
        expected.push_back(expectedShort);
        lengths.push_back(sizeof shorter);
    }
    expected.push_back(Numbered(5));
    lengths.push_back(16);
    ASSERT_TRUE(received.WaitFor(expected.size()));
    EXPECT_EQ(received.Reports(), expected);
    EXPECT_EQ(received.Lengths(), lengths);

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
    EXPECT_TRUE(ThreadCountBecomes(threads - 2)) << "reader and writer ended";
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

}  // namespace quavelo::linktest
