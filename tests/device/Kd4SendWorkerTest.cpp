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
class PollEndingSleeper final : public Sleeper {
  public:
    explicit PollEndingSleeper(DeviceParams& params) : params_(params) {}
    void SleepFor(std::chrono::milliseconds duration) override {
        recorder.SleepFor(duration);
        if (recorder.Pauses().size() == 3) params_.pollBusy = 0;
    }
    test::RecordingSleeper recorder;

  private:
    DeviceParams& params_;
};

class Kd4SendWorkerTest : public testing::Test {
  protected:
    Kd4SendWorkerTest() { params.connected = 1; }
    void Note(std::string event) { trace.Add(std::move(event)); }

    DeviceParams params;
    PollEndingSleeper sleeper{params};
    test::EventTrace trace;
};

// Jobs started from three threads at once: each runs whole, alone, in the order its thread started
// it, and sees commandBusy set all the while; it falls only when the last job has ended.
TEST_F(Kd4SendWorkerTest, RunsJobsOneAtATimeInTheOrderStartedWithCommandBusySet) {
    Worker worker(params, sleeper);
    std::vector<std::thread> starters;
    for (int t = 0; t < 3; ++t) {
        starters.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) {
                worker.Start(
                    [&, t, i] {
                        Note(std::to_string(t) + " begin " + std::to_string(i));
                        std::this_thread::yield();
                        Note(std::to_string(t) + (params.commandBusy == 1 ? " busy " : " idle ") +
                             std::to_string(i));
                    },
                    Worker::Settle::None);
            }
        });
    }
    for (std::thread& starter : starters) starter.join();
    worker.WaitIdle();
    EXPECT_EQ(params.commandBusy, 0);
    const std::vector<std::string> events = trace.Events();
    ASSERT_EQ(events.size(), 60u);
    std::vector<int> next(3, 0);
    for (std::size_t e = 0; e < events.size(); e += 2) {
        const int t = events[e][0] - '0';
        const std::string i = std::to_string(next[t]++);
        EXPECT_EQ(events[e], std::to_string(t) + " begin " + i);
        EXPECT_EQ(events[e + 1], std::to_string(t) + " busy " + i);
    }
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
