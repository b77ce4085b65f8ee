#pragma once

#include <atomic>
#include <climits>
#include <deque>
#include <set>
#include <tuple>

#include "link/ReportLink.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// A scripted link: records every report written, fails chosen writes, and answers reads from a
// queue. A read with nothing queued fails at once, as a link whose wait ran out. Safe to use
// from several threads.
class FakeReportLink final : public ReportLink {
  public:
    explicit FakeReportLink(EventTrace* trace = nullptr) : seen_(trace) {}

    // Write attempt number `attempt` (1 = the first since construction) fails; with
    // FailWritesFrom every attempt from that one on fails, as after the device was unplugged.
    void FailWrite(int attempt) {
        std::lock_guard lock(lock_);
        failing_.insert(attempt);
    }
    void FailWritesFrom(int attempt) { failFrom_ = attempt; }
    // The next read returns `answer` with `length` bytes.
    void QueueAnswer(const HidReport& answer, std::uint8_t length = kHidReportSize) {
        std::lock_guard lock(lock_);
        answers_.push_back(std::pair{answer, length});
    }

    // The reports written successfully, in order.
    std::vector<HidReport> Written() const {
        std::vector<HidReport> written;
        for (const std::string& hex : seen_.Texts('W')) written.push_back(*ParseHexReport(hex));
        return written;
    }
    int WriteAttempts() const { return attempts_; }

    bool WriteReport16(const HidReport& report) override {
        std::lock_guard lock(lock_);
        const int attempt = ++attempts_;
        const bool fails = failing_.contains(attempt) || attempt >= failFrom_;
        seen_.Add((fails ? "X " : "W ") + TraceHex(report));
        return !fails;
    }
    bool ReadReport(HidReport& dest, std::uint8_t& length) override {
        std::lock_guard lock(lock_);
        if (answers_.empty()) {
            seen_.Add("R fail");
            return false;
        }
        std::tie(dest, length) = answers_.front();
        answers_.pop_front();
        seen_.Add("R " + TraceHex(dest));
        return true;
    }

  private:
    EventTrace seen_;
    mutable std::mutex lock_;
    std::set<int> failing_;
    std::atomic<int> failFrom_ = INT_MAX;
    std::atomic<int> attempts_ = 0;
    std::deque<std::pair<HidReport, std::uint8_t>> answers_;
};

}  // namespace quavelo::test
