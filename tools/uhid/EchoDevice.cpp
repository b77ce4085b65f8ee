#include "uhid/EchoDevice.h"

#include <algorithm>

namespace quavelo {

bool EchoDevice::Write(std::span<const std::uint8_t> report) {
    std::lock_guard lock(lock_);
    if (stopped_) {
        return false;
    }
    if (queue_.size() < kQueueLimit) {
        queue_.emplace_back(report.begin(), report.end());
        changed_.notify_all();
    }
    return true;
}

ReadResult EchoDevice::Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) {
    std::unique_lock lock(lock_);
    const auto ready = [&] { return stopped_ || !queue_.empty(); };
    if (timeout < std::chrono::milliseconds::zero()) {
        changed_.wait(lock, ready);
    } else if (!changed_.wait_for(lock, timeout, ready)) {
        return {ReadStatus::kTimedOut, 0};
    }
    if (stopped_) {
        return {ReadStatus::kStopped, 0};
    }
    const std::vector<std::uint8_t> report = std::move(queue_.front());
    queue_.pop_front();
    const std::size_t length = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), length, buffer.begin());
    return {ReadStatus::kReport, length};
}

void EchoDevice::RequestStop() {
    std::lock_guard lock(lock_);
    stopped_ = true;
    changed_.notify_all();
}

}  // namespace quavelo
