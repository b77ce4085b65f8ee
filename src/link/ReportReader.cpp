#include "link/ReportReader.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

namespace quavelo {

struct ReportReader::State {
    State(std::shared_ptr<HidDevice> d, InputReportHandler h)
        : device(std::move(d)), handler(std::move(h)) {}

    const std::shared_ptr<HidDevice> device;
    const InputReportHandler handler;
    mutable std::mutex lock;
    std::condition_variable changed;
    bool ended = false;
};

std::unique_ptr<ReportReader> ReportReader::Start(std::shared_ptr<HidDevice> device,
                                                  InputReportHandler handler) {
    auto state = std::make_shared<State>(std::move(device), std::move(handler));
    std::unique_ptr<ReportReader> reader(new ReportReader(state));
    try {
        reader->thread_ = std::thread([state] { Run(state); });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return reader;
}

ReportReader::ReportReader(std::shared_ptr<State> state) : state_(std::move(state)) {}

ReportReader::~ReportReader() { Stop(std::chrono::milliseconds(0)); }

bool ReportReader::Running() const {
    std::lock_guard lock(state_->lock);
    return !state_->ended;
}

bool ReportReader::Stop(std::chrono::milliseconds wait) {
    if (!thread_.joinable()) {
        return true;
    }
    bool ended = false;
    {
        std::unique_lock lock(state_->lock);
        ended = state_->changed.wait_for(lock, wait, [&] { return state_->ended; });
    }
    if (ended) {
        thread_.join();
    } else {
        thread_.detach();
    }
    return ended;
}

void ReportReader::Run(const std::shared_ptr<State>& state) {
    std::array<std::uint8_t, kReadBufferSize> buffer{};
    for (;;) {
        const ReadResult result = state->device->Read(buffer, HidDevice::kNoTimeout);
        if (result.status == ReadStatus::kStopped || result.status == ReadStatus::kFailed) {
            break;
        }
        if (result.status != ReadStatus::kReport || result.length == 0) {
            continue;
        }
        HidReport report{};
        std::copy_n(buffer.begin(), std::min(result.length, report.size()), report.begin());
        if (state->handler) {
            state->handler(report, result.length);
        }
    }
    std::lock_guard lock(state->lock);
    state->ended = true;
    state->changed.notify_all();
}

}  // namespace quavelo
