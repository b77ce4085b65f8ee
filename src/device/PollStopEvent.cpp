#include "device/PollStopEvent.h"

namespace quavelo {

void PollStopEvent::Signal() {
    {
        std::lock_guard lock(lock_);
        set_ = true;
    }
    signalled_.notify_all();
}

bool PollStopEvent::IsSignalled() const {
    std::lock_guard lock(lock_);
    return set_;
}

bool PollStopEvent::WaitFor(std::chrono::milliseconds wait) {
    std::unique_lock lock(lock_);
    return signalled_.wait_for(lock, wait, [this] { return set_; });
}

}  // namespace quavelo
