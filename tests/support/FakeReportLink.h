#pragma once

#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "link/ReportLink.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// A scripted link: records every report written, fails chosen writes, and answers reads from a
// queue. A read with nothing queued fails at once, as a link whose wait ran out. Safe to use
// from several threads.
class FakeReportLink final : public ReportLink {
  public:
    explicit FakeReportLink(EventTrace* trace = nullptr) : trace_(trace) {}

    // The write attempt number `attempt` (1 = the first since construction) fails.
    void FailWrite(int attempt) {
        std::lock_guard lock(lock_);
        failing_.insert(attempt);
    }
    // Every write attempt from number `attempt` on fails, as after the device was unplugged.
    void FailWritesFrom(int attempt) {
        std::lock_guard lock(lock_);
        failFrom_ = attempt;
    }
    // The next read returns `answer` with `length` bytes.
    void QueueAnswer(const HidReport& answer, std::uint8_t length = kHidReportSize) {
        std::lock_guard lock(lock_);
        answers_.push_back(Answer{answer, length});
    }
    // The next read fails.
    void QueueReadFailure() {
        std::lock_guard lock(lock_);
        answers_.push_back(std::nullopt);
    }

    // The reports written successfully, in order.
    std::vector<HidReport> Written() const {
        std::lock_guard lock(lock_);
        return written_;
    }
    int WriteAttempts() const {
        std::lock_guard lock(lock_);
        return attempts_;
    }
    std::size_t PendingAnswers() const {
        std::lock_guard lock(lock_);
        return answers_.size();
    }

    bool WriteReport16(const HidReport& report) override {
        std::lock_guard lock(lock_);
        ++attempts_;
        const bool fails = failing_.contains(attempts_) || (failFrom_ && attempts_ >= *failFrom_);
        if (trace_ != nullptr) trace_->Add((fails ? "X " : "W ") + TraceHex(report));
        if (fails) return false;
        written_.push_back(report);
        return true;
    }

    bool ReadReport(HidReport& dest, std::uint8_t& length) override {
        std::lock_guard lock(lock_);
        std::optional<Answer> next;
        if (!answers_.empty()) {
            next = answers_.front();
            answers_.pop_front();
        }
        if (!next) {
            if (trace_ != nullptr) trace_->Add("R fail");
            return false;
        }
        dest = next->report;
        length = next->length;
        if (trace_ != nullptr) trace_->Add("R " + TraceHex(dest));
        return true;
    }

  private:
    struct Answer {
        HidReport report;
        std::uint8_t length;
    };

    EventTrace* const trace_;
    mutable std::mutex lock_;
    std::set<int> failing_;
    std::optional<int> failFrom_;
    std::deque<std::optional<Answer>> answers_;
    std::vector<HidReport> written_;
    int attempts_ = 0;
};

}  // namespace quavelo::test
