#include "device/Kd4SendWorker.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>
#include <thread>

#include "support/RecordingSleeper.h"

namespace quavelo {
namespace {

using Worker = Kd4SendWorker;

// Records each pause; the third one ends the level poller's exchange.
struct PollEndingSleeper final : Sleeper {
    void SleepFor(std::chrono::milliseconds duration) override {
        recorder.SleepFor(duration);
        if (recorder.Pauses().size() == 3) params->pollBusy = 0;
    }
    DeviceParams* params = nullptr;
    test::RecordingSleeper recorder;
};

class Kd4SendWorkerTest : public testing::Test {
  protected:
    Kd4SendWorkerTest() {
        params.connected = 1;
        sleeper.params = &params;
    }
    void Note(std::string event) { trace.Add(std::move(event)); }

    DeviceParams params;
    PollEndingSleeper sleeper;
    test::EventTrace trace;
};

// Each job runs whole, alone and in the order started, with commandBusy set all the while; it
// falls only when the last job has ended.
TEST_F(Kd4SendWorkerTest, RunsJobsOneAtATimeInTheOrderStartedWithCommandBusySet) {
    Worker worker(params, sleeper);
    std::vector<std::string> expected;
    for (const std::string job : {"a", "b", "c", "d"}) {
        worker.Start(
            [this, job] {
                Note(job);
                std::this_thread::yield();
                Note(job + (params.commandBusy == 1 ? " busy" : " idle"));
            },
            Worker::Settle::None);
        expected.insert(expected.end(), {job, job + " busy"});
    }
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), expected);
    EXPECT_EQ(params.commandBusy, 0);
}

TEST_F(Kd4SendWorkerTest, WaitsForThePollersExchangeThenSettles) {
    params.pollBusy = 1;
    Worker worker(params, sleeper);
    worker.Start([this] { Note(params.pollBusy == 0 ? "sent" : "sent during a poll"); });
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), std::vector<std::string>{"sent"});
    EXPECT_EQ(sleeper.recorder.Total(), std::chrono::milliseconds(4 * 20))
        << "three hand-shake steps and the settle pause";
    worker.Start([] {}, Worker::Settle::None);
    worker.WaitIdle();
    EXPECT_EQ(sleeper.recorder.Pauses().size(), 4u) << "no settle pause";
}

TEST_F(Kd4SendWorkerTest, DropsAJobThatNeedsTheConnectionWhileDisconnected) {
    params.connected = 0;
    Worker worker(params, sleeper);
    worker.Start([this] { Note("page job"); });
    worker.Start([this] { Note("connect request"); }, Worker::Settle::None, Worker::Needs::Nothing);
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), std::vector<std::string>{"connect request"});
    EXPECT_EQ(params.commandBusy, 0);
}

// DropPending and the worker's end keep the running job and drop the queued one. The running job
// goes on only when the queued job's closure has been destroyed, that is dropped (or run).
TEST_F(Kd4SendWorkerTest, DroppingKeepsTheRunningJob) {
    for (const bool destroy : {false, true}) {
        trace.Clear();
        std::promise<void> started;
        std::promise<void> release;
        {
            Worker worker(params, sleeper);
            worker.Start([&] {
                started.set_value();
                release.get_future().wait();
                Note(params.commandBusy == 1 ? "running" : "running without commandBusy");
            });
            started.get_future().wait();
            std::shared_ptr<void> closure(nullptr, [&](void*) { release.set_value(); });
            worker.Start([this, closure = std::move(closure)] { Note("queued"); });
            if (!destroy) {
                worker.DropPending();
                worker.WaitIdle();
            }
        }
        EXPECT_EQ(trace.Events(), std::vector<std::string>{"running"}) << destroy;
        EXPECT_EQ(params.commandBusy, 0);
    }
}

}  // namespace
}  // namespace quavelo
