#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "link/Sleeper.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records each pause instead of waiting it out; with a trace, also where it fell between the
// other events. Safe to use from several threads.
class RecordingSleeper final : public Sleeper {
  public:
    explicit RecordingSleeper(EventTrace* trace = nullptr) : trace_(trace) {}

    void SleepFor(std::chrono::milliseconds duration) override {
        std::lock_guard lock(lock_);
        pauses_.push_back(duration);
        if (trace_ != nullptr) trace_->Add("P " + std::to_string(duration.count()));
    }

    std::vector<std::chrono::milliseconds> Pauses() const {
        std::lock_guard lock(lock_);
        return pauses_;
    }
    std::chrono::milliseconds Total() const {
        std::lock_guard lock(lock_);
        std::chrono::milliseconds total{0};
        for (auto pause : pauses_) total += pause;
        return total;
    }

  private:
    EventTrace* const trace_;
    mutable std::mutex lock_;
    std::vector<std::chrono::milliseconds> pauses_;
};

}  // namespace quavelo::test
