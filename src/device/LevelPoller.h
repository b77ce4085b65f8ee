#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"
#include "device/PollStopEvent.h"
#include "device/ValueDisplay.h"

namespace quavelo {

// The level poller of one connection, a worker thread of its own that runs until its stop event
// is signalled. It exchanges reports only while `commandBusy` is 0 and raises `pollBusy` around
// each exchange, so a send job never shares the link with it: it raises `pollBusy` first and then
// reads `commandBusy`, both sequentially consistent (the mirror image of the send worker), and
// steps back while a job holds the link.
//
//  - Exchange models (TORVA): PollLevels, and on success hands the reading to the sink; then
//    20 ms.
//  - RequestOnly models (KD4): RequestLevel, 30 ms, then 100 ms; the answer comes to the link's
//    reader thread, whose owner hands it on.
//
// The sink runs on the poller's thread. Every pause waits on the stop event, so Stop returns as
// soon as the exchange in progress ends; closing the link ends that exchange at once.
class LevelPoller {
  public:
    using ReadingSink = std::function<void(const LevelReading& reading)>;

    static constexpr std::chrono::milliseconds kExchangeInterval{20};
    static constexpr std::chrono::milliseconds kAnswerWait{30};
    static constexpr std::chrono::milliseconds kRequestInterval{100};
    // While a send job holds the link the poller looks again this often (instead of spinning).
    static constexpr std::chrono::milliseconds kBusyRecheck{2};

    // Polls as the profile of the model in use says, until stopped or, with `exchanges` above 0,
    // after that many exchanges. `commands`, `params` and what the sink uses must outlive the
    // poller. nullptr when the thread cannot be started.
    static std::unique_ptr<LevelPoller> Start(DeviceCommands& commands, DeviceParams& params,
                                              ReadingSink sink, int exchanges = 0);

    LevelPoller(const LevelPoller&) = delete;
    LevelPoller& operator=(const LevelPoller&) = delete;
    // Stops the thread.
    ~LevelPoller();

    // Signals the stop event and returns at once.
    void RequestStop();
    // Signals the stop event and waits for the thread to end.
    void Stop();

  private:
    LevelPoller(DeviceCommands& commands, DeviceParams& params, ReadingSink sink);
    void Run(LevelPollKind kind, int exchanges);
    // Takes the link for one exchange (pollBusy raised); false when the stop came meanwhile.
    bool TakeLink();

    DeviceCommands& commands_;
    DeviceParams& params_;
    const ReadingSink sink_;
    PollStopEvent stop_;
    std::thread thread_;
};

}  // namespace quavelo
