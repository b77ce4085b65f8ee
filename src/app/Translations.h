#pragma once

#include <QTranslator>

#include <memory>
#include <string_view>

#include "device/Prompt.h"

namespace quavelo {

// The panel in the user's language. Its texts are written in English; a compiled catalogue per
// further language is embedded as :/i18n/quavelo_<language>.qm.
//
// Installs the catalogue of `language` (UserLanguage: "zh_CN", or "" for English, which needs
// none) as a translator of the application, so every tr() from then on looks it up; call it
// before the windows are made. Returns the translator, which stays installed while it lives;
// nullptr for English or a language without a catalogue.
std::unique_ptr<QTranslator> InstallTranslations(std::string_view language);

// The message boxes in the user's language: each text the system hands over (the texts of
// device/Messages.h, in English) is looked up in their context of the installed catalogue and
// passed on to `shown`; a text without a translation (a file name, an error the system reported)
// passes unchanged. Any thread, as `shown` allows.
class TranslatedPrompt final : public Prompt {
  public:
    explicit TranslatedPrompt(Prompt& shown) : shown_(shown) {}

    void Info(std::string_view text) override;
    bool Confirm(std::string_view text) override;

  private:
    Prompt& shown_;
};

}  // namespace quavelo
