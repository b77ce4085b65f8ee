#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "app/PollStopEvent.h"
#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"

namespace quavelo {

// The TORVA meters' three positions, 0..100, for one pair of level values: each value held at
// 2^21 and shown as LevelPercent shows it, and the mean (first + second) / 2 of the held values.
struct TorvaMeterPositions {
    int first = 0;
    int second = 0;
    int mean = 0;

    bool operator==(const TorvaMeterPositions&) const = default;
};
TorvaMeterPositions TorvaMetersFor(std::int32_t first, std::int32_t second);

// The level poller of one connection, a worker thread of its own that runs until its
// pollStopEvent is signalled. It exchanges reports only while `commandBusy` is 0 and raises
// `pollBusy` around each exchange, so a KD4 send job never shares the link with it.
//
//  - TORVA: PollLevels, and on success hands the three meter positions to the sink; then 20 ms.
//  - KD4: RequestLevelKd4, 30 ms, then 100 ms; the answer reaches the meter through the link's
//    reader thread, the parameter model and the main window's timer.
//
// The sink runs on the poller's thread: it must not touch widgets (the main window posts a
// queued call). Every pause waits on the stop event, so Stop returns as soon as the exchange in
// progress ends; closing the link ends that exchange at once.
class LevelPoller {
  public:
    using MeterSink = std::function<void(const TorvaMeterPositions& positions)>;

    static constexpr std::chrono::milliseconds kTorvaInterval{20};
    static constexpr std::chrono::milliseconds kKd4AnswerWait{30};
    static constexpr std::chrono::milliseconds kKd4Interval{100};
    // While a send job holds the link the poller looks again this often (instead of spinning).
    static constexpr std::chrono::milliseconds kBusyRecheck{2};

    // `commands`, `params` and what the sink uses must outlive the poller. nullptr when the
    // thread cannot be started.
    static std::unique_ptr<LevelPoller> StartTorva(DeviceCommands& commands, DeviceParams& params,
                                                   MeterSink sink);
    static std::unique_ptr<LevelPoller> StartKd4(DeviceCommands& commands, DeviceParams& params);

    LevelPoller(const LevelPoller&) = delete;
    LevelPoller& operator=(const LevelPoller&) = delete;
    // Stops the thread.
    ~LevelPoller();

    // Signals pollStopEvent and returns at once.
    void RequestStop();
    // Signals pollStopEvent and waits for the thread to end.
    void Stop();

    // Exchanges started so far (level requests written, answered or not).
    int Exchanges() const { return exchanges_.load(std::memory_order_relaxed); }

  private:
    LevelPoller(DeviceCommands& commands, DeviceParams& params, MeterSink sink);
    bool Launch(bool torva);
    void RunTorva();
    void RunKd4();
    // Waits while a send job holds the link; false when the stop came meanwhile.
    bool WaitForLink();

    DeviceCommands& commands_;
    DeviceParams& params_;
    const MeterSink sink_;
    PollStopEvent pollStopEvent_;
    std::atomic<int> exchanges_{0};
    std::thread thread_;
};

}  // namespace quavelo
