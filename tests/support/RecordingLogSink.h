#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "link/LogSink.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records every log line's message. Safe to use from several threads.
class RecordingLogSink final : public LogSink {
  public:
    explicit RecordingLogSink(EventTrace* trace = nullptr) : trace_(trace) {}

    void WriteLogLine(std::string_view message) override {
        std::lock_guard lock(lock_);
        lines_.emplace_back(message);
        if (trace_ != nullptr) trace_->Add("L " + std::string(message));
    }

    std::vector<std::string> Lines() const {
        std::lock_guard lock(lock_);
        return lines_;
    }

  private:
    EventTrace* const trace_;
    mutable std::mutex lock_;
    std::vector<std::string> lines_;
};

}  // namespace quavelo::test
