#pragma once

#include <atomic>

#include "device/Prompt.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records the messages shown and the questions asked, and answers every question with OK or,
// unless told otherwise, Cancel. Safe to use from several threads.
class RecordingPrompt final : public Prompt {
  public:
    explicit RecordingPrompt(EventTrace* trace = nullptr) : seen_(trace) {}

    void SetDefaultConfirmAnswer(bool ok) { answer_ = ok; }
    void Info(std::string_view text) override { seen_.Add("I " + std::string(text)); }
    bool Confirm(std::string_view text) override {
        seen_.Add("C " + std::string(text));
        return answer_;
    }
    std::vector<std::string> Infos() const { return seen_.Texts('I'); }
    std::vector<std::string> Confirms() const { return seen_.Texts('C'); }

  private:
    EventTrace seen_;
    std::atomic<bool> answer_ = false;
};

}  // namespace quavelo::test
