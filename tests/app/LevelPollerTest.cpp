#include "app/LevelPoller.h"

#include <gtest/gtest.h>

#include <QTest>

#include <future>
#include <thread>

#include "device/DeviceMap.h"
#include "device/Kd4SendWorker.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;

// A poller over a recording link, and a KD4 send worker beside it.
struct PollerRig {
    test::FakeReportLink link;
    test::RecordingSleeper sleeper;
    test::RecordingLogSink log;
    test::RecordingPrompt prompt;
    DeviceParams params;
    DeviceCommands commands{link, params, sleeper, log, prompt};
    Kd4SendWorker worker{params, sleeper};
};

// Each model's poller over a recording link, while a KD4 send job holds the hand-shake: either
// `commandBusy` alone or a job actually running on the send worker, blocked until released.
class PollerHandshakeTest : public testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(PollerHandshakeTest, ExchangesNothingWhileAJobHoldsTheLinkAndStopsInBoundedTime) {
    const auto [torva, realJob] = GetParam();
    PollerRig rig;
    auto& [link, sleeper, log, prompt, params, commands, worker] = rig;
    std::promise<void> release;
    if (realJob) {
        worker.Start([done = release.get_future().share()] { done.wait(); },
                     Kd4SendWorker::Settle::None, Kd4SendWorker::Needs::Nothing);
    } else {
        params.commandBusy = 1;
    }
    auto poller = torva ? LevelPoller::StartTorva(commands, params, {})
                        : LevelPoller::StartKd4(commands, params);
    ASSERT_NE(poller, nullptr);
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(link.WriteAttempts(), 0) << "an exchange while a job held the link";
    EXPECT_EQ(params.pollBusy, 0);

    // Generous bound: the poller must notice its stop while it waits for the link.
    auto stopped = std::async(std::launch::async, [&] { poller->Stop(); });
    const bool inTime = stopped.wait_for(10s) == std::future_status::ready;
    params.commandBusy = 0;  // lets a poller that missed its stop go, so the test ends
    release.set_value();
    stopped.wait();
    EXPECT_TRUE(inTime) << "Stop waited for the send job";
    worker.WaitIdle();
    EXPECT_EQ(link.WriteAttempts(), 0) << "nothing after Stop";
}

INSTANTIATE_TEST_SUITE_P(ModelsAndJobs, PollerHandshakeTest,
                         testing::Combine(testing::Bool(), testing::Bool()));

TEST(PollerTest, ExchangesOnceTheLinkIsFreeAndClearsItsFlagOnStop) {
    PollerRig rig;
    auto& [link, sleeper, log, prompt, params, commands, worker] = rig;
    auto poller = LevelPoller::StartKd4(commands, params);
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.WriteAttempts() >= 2; }, 10000));
    poller->Stop();
    EXPECT_EQ(params.pollBusy, 0);
    EXPECT_EQ(link.Written().front(), DspRead(dsp::kLevel1, 4));
}

}  // namespace
}  // namespace quavelo
