#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "device/Prompt.h"

namespace quavelo {

// The message boxes of an unattended run (screenshots, the start-up measurement): each message
// goes to stderr as "quavelo: <text>" and every question is answered Cancel, so nothing waits for
// a user. Any thread.
class ConsolePrompt final : public Prompt {
  public:
    void Info(std::string_view text) override {
        std::lock_guard lock(lock_);
        std::fprintf(stderr, "quavelo: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    bool Confirm(std::string_view text) override {
        Info(text);
        return false;
    }

  private:
    std::mutex lock_;
};

}  // namespace quavelo
