#include "link/ReportWriter.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace quavelo {

struct ReportWriter::State {
    explicit State(std::shared_ptr<HidDevice> d) : device(std::move(d)) {}

    const std::shared_ptr<HidDevice> device;
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::uint8_t> job;
    std::uint64_t lastJob = 0;  // number of the last job handed in
    std::uint64_t doneJob = 0;  // number of the last job finished
    bool pending = false;       // a job waits for the thread
    bool busy = false;          // the thread is inside HidDevice::Write
    bool doneResult = false;    // result of job doneJob
    bool shutDown = false;
    bool ended = false;  // the thread has left its loop
};

std::unique_ptr<ReportWriter> ReportWriter::Start(std::shared_ptr<HidDevice> device) {
    auto state = std::make_shared<State>(std::move(device));
    std::unique_ptr<ReportWriter> writer(new ReportWriter(state));
    try {
        writer->thread_ = std::thread([state] { Run(state); });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return writer;
}

ReportWriter::ReportWriter(std::shared_ptr<State> state) : state_(std::move(state)) {}

ReportWriter::~ReportWriter() { Shutdown(std::chrono::milliseconds(0)); }

bool ReportWriter::Write(std::span<const std::uint8_t> bytes, std::chrono::milliseconds limit) {
    State& s = *state_;
    std::unique_lock lock(s.lock);
    if (s.shutDown || s.busy || s.pending) {
        return false;
    }
    s.job.assign(bytes.begin(), bytes.end());
    s.pending = true;
    const std::uint64_t job = ++s.lastJob;
    s.changed.notify_all();
    const bool finished =
        s.changed.wait_for(lock, limit, [&] { return s.doneJob == job || s.shutDown; });
    if (finished && s.doneJob == job) {
        return s.doneResult;
    }
    if (s.pending && s.lastJob == job) {
        s.pending = false;
    }
    return false;
}

void ReportWriter::Shutdown(std::chrono::milliseconds wait) {
    if (!thread_.joinable()) {
        return;
    }
    State& s = *state_;
    bool ended = false;
    {
        std::unique_lock lock(s.lock);
        s.shutDown = true;
        s.pending = false;
        s.changed.notify_all();
        ended = s.changed.wait_for(lock, wait, [&] { return s.ended; });
    }
    if (ended) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void ReportWriter::Run(const std::shared_ptr<State>& state) {
    State& s = *state;
    std::unique_lock lock(s.lock);
    for (;;) {
        s.changed.wait(lock, [&] { return s.pending || s.shutDown; });
        if (s.shutDown) {
            break;
        }
        const std::vector<std::uint8_t> bytes = std::move(s.job);
        const std::uint64_t job = s.lastJob;
        s.pending = false;
        s.busy = true;
        lock.unlock();
        const bool ok = s.device->Write(bytes);
        lock.lock();
        s.busy = false;
        s.doneJob = job;
        s.doneResult = ok;
        s.changed.notify_all();
    }
    s.ended = true;
    s.changed.notify_all();
}

}  // namespace quavelo
