#pragma once

#include "link/LogSink.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records every log line's message in the trace it is given. Safe to use from several threads.
class RecordingLogSink final : public LogSink {
  public:
    explicit RecordingLogSink(EventTrace* trace = nullptr) : trace_(trace) {}

    void WriteLogLine(std::string_view message) override {
        if (trace_ != nullptr) trace_->Add("L " + std::string(message));
    }

  private:
    EventTrace* const trace_;
};

}  // namespace quavelo::test
