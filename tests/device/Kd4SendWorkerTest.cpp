#include "device/Kd4SendWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quavelo {
namespace {

using namespace std::chrono_literals;

// Records each pause and waits a millisecond instead, so a test can change the model meanwhile.
class ShortSleeper final : public Sleeper {
  public:
    void SleepFor(std::chrono::milliseconds duration) override {
        {
            std::lock_guard lock(lock_);
            pauses_.push_back(duration.count());
        }
        std::this_thread::sleep_for(1ms);
    }
    std::vector<long> Pauses() {
        std::lock_guard lock(lock_);
        return pauses_;
    }

  private:
    std::mutex lock_;
    std::vector<long> pauses_;
};

class Kd4SendWorkerTest : public testing::Test {
  protected:
    Kd4SendWorkerTest() { params.connected = 1; }

    void Log(const std::string& event) {
        std::lock_guard lock(logLock);
        log.push_back(event);
    }
    std::vector<std::string> Events() {
        std::lock_guard lock(logLock);
        return log;
    }

    DeviceParams params;
    ShortSleeper sleeper;
    std::mutex logLock;
    std::vector<std::string> log;
};

TEST_F(Kd4SendWorkerTest, JobsRunOneAtATimeInTheOrderStarted) {
    Kd4SendWorker worker(params, sleeper);
    for (int i = 0; i < 5; ++i) {
        worker.Start([this, i] {
            Log("begin " + std::to_string(i));
            std::this_thread::sleep_for(2ms);
            Log("end " + std::to_string(i));
        });
    }
    worker.WaitIdle();
    std::vector<std::string> expected;
    for (int i = 0; i < 5; ++i) {
        expected.push_back("begin " + std::to_string(i));
        expected.push_back("end " + std::to_string(i));
    }
    EXPECT_EQ(Events(), expected);
}

TEST_F(Kd4SendWorkerTest, CommandBusyHoldsWhileAnyJobIsQueuedOrRunning) {
    Kd4SendWorker worker(params, sleeper);
    std::atomic<bool> release{false};
    std::vector<int> busyInside;
    worker.Start([&] {
        while (!release) std::this_thread::sleep_for(1ms);
        busyInside.push_back(params.commandBusy);
    });
    worker.Start([&] { busyInside.push_back(params.commandBusy); });
    EXPECT_EQ(params.commandBusy, 1) << "set as soon as a job is started";
    release = true;
    worker.WaitIdle();
    EXPECT_EQ(busyInside, (std::vector<int>{1, 1})) << "the first job's end does not clear it";
    EXPECT_EQ(params.commandBusy, 0);
}

TEST_F(Kd4SendWorkerTest, AJobThatNeedsTheConnectionIsDroppedWhileDisconnected) {
    params.connected = 0;
    Kd4SendWorker worker(params, sleeper);
    worker.Start([this] { Log("page job"); });
    worker.Start([this] { Log("connect request"); }, Kd4SendWorker::Settle::Pause20ms,
                 Kd4SendWorker::Needs::Nothing);
    worker.WaitIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"connect request"}));
    EXPECT_EQ(params.commandBusy, 0);
}

TEST_F(Kd4SendWorkerTest, WaitsForThePollersExchangeThenSettles) {
    params.pollBusy = 1;
    Kd4SendWorker worker(params, sleeper);
    worker.Start([this] { Log(params.pollBusy ? "sent during a poll" : "sent"); });
    while (sleeper.Pauses().size() < 3) std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(Events().empty()) << "nothing is sent while the poller exchanges";
    params.pollBusy = 0;
    worker.WaitIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"sent"}));
    for (long pause : sleeper.Pauses()) EXPECT_EQ(pause, 20);
    EXPECT_GE(sleeper.Pauses().size(), 4u) << "the hand-shake steps and the settle pause";
}

TEST_F(Kd4SendWorkerTest, SettlePauseCanBeSkipped) {
    Kd4SendWorker worker(params, sleeper);
    worker.Start([] {}, Kd4SendWorker::Settle::None);
    worker.WaitIdle();
    EXPECT_TRUE(sleeper.Pauses().empty());
    worker.Start([] {});
    worker.WaitIdle();
    EXPECT_EQ(sleeper.Pauses(), (std::vector<long>{20}));
}

TEST_F(Kd4SendWorkerTest, DropPendingKeepsTheRunningJob) {
    Kd4SendWorker worker(params, sleeper);
    std::atomic<bool> started{false};
    std::atomic<bool> release{false};
    worker.Start([&] {
        started = true;
        while (!release) std::this_thread::sleep_for(1ms);
        Log("running");
    });
    worker.Start([this] { Log("queued"); });
    while (!started) std::this_thread::sleep_for(1ms);
    worker.DropPending();
    EXPECT_EQ(params.commandBusy, 1) << "a job still runs";
    release = true;
    worker.WaitIdle();
    EXPECT_EQ(Events(), (std::vector<std::string>{"running"}));
    EXPECT_EQ(params.commandBusy, 0);
}

TEST_F(Kd4SendWorkerTest, DestructionWaitsForTheRunningJobAndDropsTheRest) {
    std::atomic<bool> started{false};
    {
        Kd4SendWorker worker(params, sleeper);
        worker.Start([&] {
            started = true;
            std::this_thread::sleep_for(5ms);
            Log("finished");
        });
        worker.Start([this] { Log("never"); });
        while (!started) std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(Events(), (std::vector<std::string>{"finished"}));
}

TEST_F(Kd4SendWorkerTest, JobsFromSeveralThreadsNeverOverlap) {
    Kd4SendWorker worker(params, sleeper);
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> ran{0};
    std::vector<std::thread> starters;
    for (int t = 0; t < 3; ++t) {
        starters.emplace_back([&] {
            for (int i = 0; i < 20; ++i) {
                worker.Start(
                    [&] {
                        if (inside.fetch_add(1) != 0) ++overlaps;
                        std::this_thread::yield();
                        inside.fetch_sub(1);
                        ++ran;
                    },
                    Kd4SendWorker::Settle::None);
            }
        });
    }
    for (auto& s : starters) s.join();
    worker.WaitIdle();
    EXPECT_EQ(ran, 60);
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(params.commandBusy, 0);
}

}  // namespace
}  // namespace quavelo
