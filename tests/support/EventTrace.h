#pragma once

#include <cctype>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/HexBytes.h"

namespace quavelo::test {

// One ordered list of what the fakes saw, shared by them so a test can assert where a pause or a
// log line fell between two writes. Each event is one line of text:
//   "W <16 hex bytes>"  a report written        "X <16 hex bytes>"  a write that failed
//   "R <16 hex bytes>"  an answer read          "R fail"            a read that failed
//   "P <ms>"            a pause                 "L <message>"       a log line
//   "I <text>"          a message shown         "C <text>"          a question asked
// Safe to use from several threads.
class EventTrace {
  public:
    void Add(std::string event) {
        std::lock_guard lock(lock_);
        events_.push_back(std::move(event));
    }
    std::vector<std::string> Events() const {
        std::lock_guard lock(lock_);
        return events_;
    }
    void Clear() {
        std::lock_guard lock(lock_);
        events_.clear();
    }

  private:
    mutable std::mutex lock_;
    std::vector<std::string> events_;
};

// Bytes as the trace shows them: upper-case pairs separated by single blanks, no trailing blank.
inline std::string TraceHex(std::span<const std::uint8_t> bytes) {
    std::string text = HexBytes(bytes);
    if (!text.empty()) text.pop_back();
    return text;
}

// A report given as hex in a test ("FF 70 40 0E 01 00 93"), completed with zero bytes to 16 and
// written as the trace shows it. Blanks and apostrophes between pairs are ignored.
inline std::string PaddedHex(std::string_view hex) {
    std::string digits;
    for (char c : hex) {
        if (std::isxdigit(static_cast<unsigned char>(c))) {
            digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    digits.resize(32, '0');
    std::string text;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (i != 0) text += ' ';
        text += digits.substr(i, 2);
    }
    return text;
}

// Expected trace events.
inline std::string Wrote(std::string_view hex) { return "W " + PaddedHex(hex); }
inline std::string WriteFailed(std::string_view hex) { return "X " + PaddedHex(hex); }
inline std::string Paused(int ms) { return "P " + std::to_string(ms); }
inline std::string Logged(std::string_view message) { return "L " + std::string(message); }

}  // namespace quavelo::test
