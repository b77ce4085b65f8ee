#include "app/LevelPoller.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "device/ValueDisplay.h"

namespace quavelo {

namespace {
constexpr std::int32_t kLevelFullScale = 1 << 21;
}  // namespace

TorvaMeterPositions TorvaMetersFor(std::int32_t first, std::int32_t second) {
    const std::int32_t a = std::min(first, kLevelFullScale);
    const std::int32_t b = std::min(second, kLevelFullScale);
    const std::int32_t mean = static_cast<std::int32_t>(
        (static_cast<std::int64_t>(a) + static_cast<std::int64_t>(b)) / 2);
    return {LevelPercent(a), LevelPercent(b), LevelPercent(mean)};
}

LevelPoller::LevelPoller(DeviceCommands& commands, DeviceParams& params, MeterSink sink)
    : commands_(commands), params_(params), sink_(std::move(sink)) {}

std::unique_ptr<LevelPoller> LevelPoller::StartTorva(DeviceCommands& commands, DeviceParams& params,
                                                     MeterSink sink) {
    std::unique_ptr<LevelPoller> poller(new LevelPoller(commands, params, std::move(sink)));
    return poller->Launch(true) ? std::move(poller) : nullptr;
}

std::unique_ptr<LevelPoller> LevelPoller::StartKd4(DeviceCommands& commands, DeviceParams& params) {
    std::unique_ptr<LevelPoller> poller(new LevelPoller(commands, params, {}));
    return poller->Launch(false) ? std::move(poller) : nullptr;
}

bool LevelPoller::Launch(bool torva) {
    try {
        thread_ = std::thread([this, torva] { torva ? RunTorva() : RunKd4(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

LevelPoller::~LevelPoller() { Stop(); }

void LevelPoller::RequestStop() { pollStopEvent_.Signal(); }

void LevelPoller::Stop() {
    pollStopEvent_.Signal();
    if (thread_.joinable()) thread_.join();
}

bool LevelPoller::WaitForLink() {
    while (params_.commandBusy != 0) {
        if (pollStopEvent_.WaitFor(kBusyRecheck)) return false;
    }
    return !pollStopEvent_.IsSignalled();
}

void LevelPoller::RunTorva() {
    while (WaitForLink()) {
        params_.pollBusy = 1;
        exchanges_.fetch_add(1, std::memory_order_relaxed);
        std::int32_t first = 0;
        std::int32_t second = 0;
        const bool ok = commands_.PollLevels(first, second);
        if (ok && sink_) sink_(TorvaMetersFor(first, second));
        params_.pollBusy = 0;
        pollStopEvent_.WaitFor(kTorvaInterval);
    }
}

void LevelPoller::RunKd4() {
    while (WaitForLink()) {
        params_.pollBusy = 1;
        exchanges_.fetch_add(1, std::memory_order_relaxed);
        commands_.RequestLevelKd4();
        pollStopEvent_.WaitFor(kKd4AnswerWait);
        params_.pollBusy = 0;
        pollStopEvent_.WaitFor(kKd4Interval);
    }
}

}  // namespace quavelo
