#include "device/LevelPoller.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "device/DeviceMap.h"
#include "device/SendWorker.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;

// A poller over a recording link, and a send worker beside it.
struct PollerRig {
    test::FakeReportLink link;
    test::RecordingSleeper sleeper;
    test::RecordingLogSink log;
    test::RecordingPrompt prompt;
    DeviceParams params;
    DeviceCommands commands{link, params, sleeper, log, prompt};
    SendWorker worker{params, sleeper};
};

// Each model's poller over a recording link, while a send job holds the hand-shake: either
// `commandBusy` alone or a job actually running on the send worker, blocked until released.
class PollerHandshakeTest : public testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(PollerHandshakeTest, ExchangesNothingWhileAJobHoldsTheLinkAndStopsInBoundedTime) {
    const auto [torva, realJob] = GetParam();
    PollerRig rig;
    auto& [link, sleeper, log, prompt, params, commands, worker] = rig;
    std::promise<void> release;
    if (realJob) {
        worker.Start([done = release.get_future().share()] { done.wait(); },
                     SendWorker::Settle::None, SendWorker::Needs::Nothing);
    } else {
        params.commandBusy = 1;
    }
    params.deviceModel = torva ? Model::Torva : Model::Kd4;
    auto poller = LevelPoller::Start(commands, params, {});
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
    params.deviceModel = Model::Kd4;
    auto poller = LevelPoller::Start(commands, params, {});
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (link.WriteAttempts() < 2 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_GE(link.WriteAttempts(), 2);
    poller->Stop();
    EXPECT_EQ(params.pollBusy, 0);
    EXPECT_EQ(link.Written().front(), DspRead(dsp::kLevel1, 4));
}

}  // namespace
}  // namespace quavelo
