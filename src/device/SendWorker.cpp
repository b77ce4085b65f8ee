#include "device/SendWorker.h"

#include <chrono>
#include <utility>

namespace quavelo {

namespace {
constexpr std::chrono::milliseconds kHandshakeStep{20};
}  // namespace

SendWorker::SendWorker(DeviceParams& params, Sleeper& sleeper)
    : params_(params), sleeper_(sleeper), thread_([this] { Run(); }) {}

SendWorker::~SendWorker() {
    {
        std::lock_guard lock(lock_);
        stopping_ = true;
        pending_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void SendWorker::Start(Job job, Settle settle, Needs needs) {
    {
        std::lock_guard lock(lock_);
        if (stopping_) return;
        pending_.push_back({std::move(job), settle, needs});
        params_.commandBusy = 1;
    }
    changed_.notify_all();
}

void SendWorker::DropPending() {
    std::lock_guard lock(lock_);
    pending_.clear();
    if (!running_) params_.commandBusy = 0;
    changed_.notify_all();
}

void SendWorker::WaitIdle() {
    std::unique_lock lock(lock_);
    changed_.wait(lock, [this] { return pending_.empty() && !running_; });
}

void SendWorker::Run() {
    std::unique_lock lock(lock_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (pending_.empty()) return;  // stopping, nothing left to run
        Entry entry = std::move(pending_.front());
        pending_.pop_front();
        running_ = true;
        lock.unlock();
        RunOne(entry);
        lock.lock();
        running_ = false;
        // Cleared under the lock that Start takes to set it, so a job started meanwhile keeps it.
        if (pending_.empty()) params_.commandBusy = 0;
        changed_.notify_all();
    }
}

void SendWorker::RunOne(const Entry& entry) {
    if (entry.needs == Needs::Connection && params_.connected == 0) return;
    // commandBusy is 1 from Start on; raised again here, on this thread and sequentially
    // consistent, before pollBusy is read (the level poller does the mirror image).
    params_.commandBusy.RaiseSeqCst();
    while (params_.pollBusy.LoadSeqCst() != 0) sleeper_.SleepFor(kHandshakeStep);
    if (entry.settle == Settle::Pause20ms) sleeper_.SleepFor(kHandshakeStep);
    entry.job();
}

}  // namespace quavelo
