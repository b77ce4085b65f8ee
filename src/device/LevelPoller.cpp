#include "device/LevelPoller.h"

#include <system_error>
#include <utility>

namespace quavelo {

LevelPoller::LevelPoller(DeviceCommands& commands, DeviceParams& params, ReadingSink sink)
    : commands_(commands), params_(params), sink_(std::move(sink)) {}

std::unique_ptr<LevelPoller> LevelPoller::Start(DeviceCommands& commands, DeviceParams& params,
                                                ReadingSink sink, int exchanges) {
    std::unique_ptr<LevelPoller> poller(new LevelPoller(commands, params, std::move(sink)));
    const LevelPollKind kind = ProfileOf(params).levelPoll;
    try {
        poller->thread_ =
            std::thread([p = poller.get(), kind, exchanges] { p->Run(kind, exchanges); });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return poller;
}

LevelPoller::~LevelPoller() { Stop(); }

void LevelPoller::RequestStop() { stop_.Signal(); }

void LevelPoller::Stop() {
    stop_.Signal();
    if (thread_.joinable()) thread_.join();
}

bool LevelPoller::TakeLink() {
    for (;;) {
        while (params_.commandBusy != 0) {
            if (stop_.WaitFor(kBusyRecheck)) return false;
        }
        if (stop_.IsSignalled()) return false;
        params_.pollBusy.RaiseSeqCst();
        if (params_.commandBusy.LoadSeqCst() == 0) return true;
        // A job was started in between: it waits for pollBusy, so step back at once.
        params_.pollBusy = 0;
    }
}

void LevelPoller::Run(LevelPollKind kind, int exchanges) {
    for (int done = 0; (exchanges <= 0 || done < exchanges) && TakeLink(); ++done) {
        switch (kind) {
            case LevelPollKind::Exchange: {
                LevelReading reading;
                const bool ok = commands_.PollLevels(reading.first, reading.second);
                if (ok && sink_) sink_(reading);
                params_.pollBusy = 0;
                stop_.WaitFor(kExchangeInterval);
                break;
            }
            case LevelPollKind::RequestOnly:
                commands_.RequestLevel();
                stop_.WaitFor(kAnswerWait);
                params_.pollBusy = 0;
                stop_.WaitFor(kRequestInterval);
                break;
        }
    }
}

}  // namespace quavelo
