#pragma once

#include <string_view>

namespace quavelo {

// The user-facing message boxes of the system, free of any toolkit: the panel implements it with
// message boxes, the command-line tool with stderr and its exit codes, tests with a recording
// fake, so no test ever blocks on a modal box. Texts are the system's own, in English
// (device/Messages.h); an implementation shows them in the user's language.
class Prompt {
  public:
    virtual ~Prompt() = default;
    // An information or error message with an OK button.
    virtual void Info(std::string_view text) = 0;
    // A question with OK and Cancel (and the exclamation icon); true when the user chose OK.
    virtual bool Confirm(std::string_view text) = 0;
};

}  // namespace quavelo
