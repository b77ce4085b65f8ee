#pragma once

#include <chrono>

#include "link/Sleeper.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records each pause instead of waiting it out; with a trace, also where it fell between the
// other events. Safe to use from several threads.
class RecordingSleeper final : public Sleeper {
  public:
    explicit RecordingSleeper(EventTrace* trace = nullptr) : seen_(trace) {}

    void SleepFor(std::chrono::milliseconds duration) override {
        seen_.Add("P " + std::to_string(duration.count()));
    }
    std::vector<std::chrono::milliseconds> Pauses() const {
        std::vector<std::chrono::milliseconds> pauses;
        for (const std::string& ms : seen_.Texts('P')) pauses.emplace_back(std::stoi(ms));
        return pauses;
    }

  private:
    EventTrace seen_;
};

}  // namespace quavelo::test
