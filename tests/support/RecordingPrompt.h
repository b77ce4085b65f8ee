#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "device/Prompt.h"
#include "support/EventTrace.h"

namespace quavelo::test {

// Records the messages shown and the questions asked; questions take the queued answers in
// order, then the default answer (Cancel unless changed). Safe to use from several threads.
class RecordingPrompt final : public Prompt {
  public:
    explicit RecordingPrompt(EventTrace* trace = nullptr) : trace_(trace) {}

    void QueueConfirmAnswer(bool ok) {
        std::lock_guard lock(lock_);
        answers_.push_back(ok);
    }
    void SetDefaultConfirmAnswer(bool ok) {
        std::lock_guard lock(lock_);
        defaultAnswer_ = ok;
    }

    void Info(std::string_view text) override {
        std::lock_guard lock(lock_);
        infos_.emplace_back(text);
        if (trace_ != nullptr) trace_->Add("I " + std::string(text));
    }
    bool Confirm(std::string_view text) override {
        std::lock_guard lock(lock_);
        confirms_.emplace_back(text);
        if (trace_ != nullptr) trace_->Add("C " + std::string(text));
        if (answers_.empty()) return defaultAnswer_;
        const bool answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<std::string> Infos() const {
        std::lock_guard lock(lock_);
        return infos_;
    }
    std::vector<std::string> Confirms() const {
        std::lock_guard lock(lock_);
        return confirms_;
    }

  private:
    EventTrace* const trace_;
    mutable std::mutex lock_;
    std::deque<bool> answers_;
    bool defaultAnswer_ = false;
    std::vector<std::string> infos_;
    std::vector<std::string> confirms_;
};

}  // namespace quavelo::test
