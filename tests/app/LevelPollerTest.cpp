#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/LevelPoller.h"
#include "device/DeviceMap.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;

struct MeterCase {
    std::int32_t first, second;
    TorvaMeterPositions expected;
};

class TorvaMetersTest : public testing::TestWithParam<MeterCase> {};

TEST_P(TorvaMetersTest, HeldAtFullScaleMeanOfTheHeldValues) {
    const MeterCase c = GetParam();
    EXPECT_EQ(TorvaMetersFor(c.first, c.second), c.expected);
}

constexpr std::int32_t kFull = 1 << 21;

INSTANTIATE_TEST_SUITE_P(Values, TorvaMetersTest,
                         testing::Values(MeterCase{0, 0, {0, 0, 0}},
                                         MeterCase{kFull, kFull, {100, 100, 100}},
                                         // Held first, then averaged: (2^21 + 0) / 2 is half scale.
                                         MeterCase{kFull * 4, 0, {100, 0, 50}},
                                         MeterCase{kFull / 2, kFull / 4, {50, 25, 37}},
                                         MeterCase{kFull - 1, 1, {99, 0, 50}},
                                         MeterCase{-5, kFull, {0, 100, 49}},
                                         MeterCase{INT32_MAX, INT32_MAX, {100, 100, 100}}));

// Each poller over a recording link: its exchanges and its hand-shake with the send jobs.
struct PollerRig {
    test::FakeReportLink link;
    test::RecordingSleeper sleeper;
    test::RecordingLogSink log;
    test::RecordingPrompt prompt;
    DeviceParams params;
    DeviceCommands commands{link, params, sleeper, log, prompt};
};

class PollerHandshakeTest : public testing::TestWithParam<bool> {};

std::unique_ptr<LevelPoller> StartPoller(PollerRig& rig, bool torva) {
    return torva ? LevelPoller::StartTorva(rig.commands, rig.params, {})
                 : LevelPoller::StartKd4(rig.commands, rig.params);
}

bool WaitUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

TEST_P(PollerHandshakeTest, WaitsWhileASendJobHoldsTheLink) {
    PollerRig rig;
    rig.params.commandBusy = 1;
    std::unique_ptr<LevelPoller> poller = StartPoller(rig, GetParam());
    ASSERT_NE(poller, nullptr);
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(rig.link.WriteAttempts(), 0);
    EXPECT_EQ(poller->Exchanges(), 0);
    EXPECT_EQ(rig.params.pollBusy, 0);

    rig.params.commandBusy = 0;
    EXPECT_TRUE(WaitUntil([&] { return poller->Exchanges() >= 2; }));
    poller->Stop();
    const int attempts = rig.link.WriteAttempts();
    EXPECT_GE(attempts, 2);
    EXPECT_EQ(rig.params.pollBusy, 0) << "cleared after the last exchange";
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(rig.link.WriteAttempts(), attempts) << "nothing after Stop";
}

TEST_P(PollerHandshakeTest, AsksForTheLevelOfItsModel) {
    PollerRig rig;
    std::unique_ptr<LevelPoller> poller = StartPoller(rig, GetParam());
    ASSERT_TRUE(WaitUntil([&] { return rig.link.WriteAttempts() >= 1; }));
    poller->Stop();
    const std::vector<HidReport> written = rig.link.Written();
    ASSERT_FALSE(written.empty());
    // Both models ask for the first level value first (the TORVA stops there: no answer).
    EXPECT_EQ(written.front(), DspRead(dsp::kLevel1, 4));
}

INSTANTIATE_TEST_SUITE_P(Models, PollerHandshakeTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Torva" : "Kd4"; });

TEST(TorvaPollerTest, HandsEachAnsweredPairToTheSink) {
    PollerRig rig;
    // Answers for the two level addresses: half scale and a quarter.
    HidReport first = DspRead(dsp::kLevel1, 4);
    HidReport second = DspRead(dsp::kLevel2, 4);
    first[7] = 0x10;   // 0x00100000 = 2^20
    second[7] = 0x08;  // 2^19
    rig.link.QueueAnswer(first);
    rig.link.QueueAnswer(second);
    std::mutex lock;
    std::vector<TorvaMeterPositions> seen;
    auto poller =
        LevelPoller::StartTorva(rig.commands, rig.params, [&](const TorvaMeterPositions& p) {
            std::lock_guard guard(lock);
            seen.push_back(p);
        });
    ASSERT_TRUE(WaitUntil([&] { return rig.link.PendingAnswers() == 0; }));
    std::this_thread::sleep_for(50ms);
    poller->Stop();
    std::lock_guard guard(lock);
    ASSERT_EQ(seen.size(), 1u) << "unanswered polls hand nothing";
    EXPECT_EQ(seen.front(), (TorvaMeterPositions{50, 25, 37}));
}

}  // namespace
}  // namespace quavelo
