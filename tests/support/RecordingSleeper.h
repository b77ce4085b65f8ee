#pragma once

#include "link/Sleeper.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records each pause in the trace it is given instead of waiting it out. Safe to use from
// several threads.
class RecordingSleeper final : public Sleeper {
  public:
    explicit RecordingSleeper(EventTrace* trace = nullptr) : trace_(trace) {}

    void SleepFor(std::chrono::milliseconds duration) override {
        if (trace_ != nullptr) trace_->Add("P " + std::to_string(duration.count()));
    }

  private:
    EventTrace* const trace_;
};

}  // namespace quavelo::test
