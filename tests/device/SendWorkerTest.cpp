#include "device/SendWorker.h"

#include <gtest/gtest.h>

#include <future>

#include "support/EventTrace.h"

namespace quavelo {
namespace {

using Worker = SendWorker;

// Records each pause; the third one ends the level poller's exchange. Read after WaitIdle.
struct PollEndingSleeper final : Sleeper {
    explicit PollEndingSleeper(DeviceParams* p) : params(p) {}
    void SleepFor(std::chrono::milliseconds duration) override {
        pauses.push_back(duration.count());
        if (pauses.size() == 3) params->pollBusy = 0;
    }
    DeviceParams* params;
    std::vector<long> pauses;
};

class Kd4SendWorkerTest : public testing::Test {
  protected:
    Kd4SendWorkerTest() { params.connected = 1; }

    DeviceParams params;
    PollEndingSleeper sleeper{&params};
    test::EventTrace trace;
    Worker worker{params, sleeper};
};

// Jobs queued behind a running one each run whole, alone and in the order started, with
// commandBusy set all the while; it falls only when the last job has ended.
TEST_F(Kd4SendWorkerTest, RunsJobsOneAtATimeInTheOrderStartedWithCommandBusySet) {
    std::promise<void> gate;
    worker.Start([&] { gate.get_future().wait(); }, Worker::Settle::None);
    std::vector<std::string> expected;
    for (const std::string job : {"a", "b", "c"}) {
        worker.Start([this, job] {
            trace.Add(job);
            trace.Add(job + (params.commandBusy == 1 ? " busy" : " idle"));
        });
        expected.insert(expected.end(), {job, job + " busy"});
    }
    gate.set_value();
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), expected);
    EXPECT_EQ(params.commandBusy, 0);
}

TEST_F(Kd4SendWorkerTest, WaitsForThePollersExchangeThenSettlesUnlessDisconnected) {
    params.pollBusy = 1;
    worker.Start([this] { trace.Add(params.pollBusy == 0 ? "sent" : "sent during a poll"); });
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), std::vector<std::string>{"sent"});
    EXPECT_EQ(sleeper.pauses, std::vector<long>(4, 20)) << "three hand-shake steps and the settle";

    params.connected = 0;
    worker.Start([this] { trace.Add("page job"); });
    worker.Start([this] { trace.Add("connect request"); }, Worker::Settle::None,
                 Worker::Needs::Nothing);
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), (std::vector<std::string>{"sent", "connect request"}))
        << "a job that needs the connection is dropped while disconnected";
    EXPECT_EQ(sleeper.pauses.size(), 4u) << "no settle pause for the request";
}

// DropPending drops the queued job and keeps the running one, with commandBusy set till it ends.
TEST_F(Kd4SendWorkerTest, DroppingKeepsTheRunningJob) {
    std::promise<void> started;
    std::promise<void> release;
    worker.Start([&] {
        started.set_value();
        release.get_future().wait();
        trace.Add(params.commandBusy == 1 ? "running" : "running without commandBusy");
    });
    started.get_future().wait();
    worker.Start([this] { trace.Add("queued"); });
    worker.DropPending();
    release.set_value();
    worker.WaitIdle();
    EXPECT_EQ(trace.Events(), std::vector<std::string>{"running"});
    EXPECT_EQ(params.commandBusy, 0);
}

}  // namespace
}  // namespace quavelo
