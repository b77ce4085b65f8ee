#pragma once

#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/Report.h"

namespace quavelo::test {

// An ordered list of events, one line of text each, that several threads may add to:
//   "W <16 hex bytes>"  a report written        "X <16 hex bytes>"  a write that failed
//   "R <16 hex bytes>"  an answer read          "R fail"            a read that failed
//   "P <ms>"            a pause                 "L <message>"       a log line
//   "I <text>"          a message shown         "C <text>"          a question asked
// Each fake keeps its own; a test may hand the fakes one more to share, which then shows where a
// pause or a log line fell between two writes.
class EventTrace {
  public:
    // Every event added is added to `shared` as well, when there is one.
    explicit EventTrace(EventTrace* shared = nullptr) : shared_(shared) {}

    void Add(std::string event) {
        if (shared_ != nullptr) shared_->Add(event);
        std::lock_guard lock(lock_);
        events_.push_back(std::move(event));
    }
    std::vector<std::string> Events() const {
        std::lock_guard lock(lock_);
        return events_;
    }
    // The texts of the events of one kind ('L', 'P', ...), in order.
    std::vector<std::string> Texts(char kind) const {
        std::vector<std::string> texts;
        for (const std::string& event : Events()) {
            if (event[0] == kind) texts.push_back(event.substr(2));
        }
        return texts;
    }
    void Clear() {
        std::lock_guard lock(lock_);
        events_.clear();
    }

  private:
    EventTrace* const shared_;
    mutable std::mutex lock_;
    std::vector<std::string> events_;
};

// Bytes as the trace shows them: upper-case pairs separated by single blanks, no trailing blank.
inline std::string TraceHex(std::span<const std::uint8_t> bytes) {
    std::string text = HexBytes(bytes);
    if (!text.empty()) text.pop_back();
    return text;
}

// A report given as hex in a test ("FF 70 40 0E 01 00 93", blanks and apostrophes between pairs
// allowed), completed with zero bytes to 16 and written as the trace shows it.
inline std::string PaddedHex(std::string_view hex) { return TraceHex(ParseHexReport(hex).value()); }

// Expected trace events.
inline std::string Wrote(std::string_view hex) { return "W " + PaddedHex(hex); }
inline std::string Paused(int ms) { return "P " + std::to_string(ms); }
inline std::string Logged(std::string_view message) { return "L " + std::string(message); }

}  // namespace quavelo::test
