#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quavelo {

// The value of an environment variable; nullopt when it is not set.
using EnvironmentVariable = std::function<std::optional<std::string>(const char* name)>;

// The catalogue the user's environment asks for: one of CatalogueLanguages() ("zh_CN"), or ""
// for the source language, English. The panel and the command-line tool both choose by it, the
// way the C library chooses message catalogues:
//  - the locale of messages is the first set of LC_ALL, LC_MESSAGES and LANG (empty counts as
//    unset); none, "C" or "POSIX" means English;
//  - otherwise LANGUAGE, a colon-separated list of preferences, is tried in its order, then the
//    locale itself;
//  - a preference "ll_CC" (any ".codeset" or "@modifier" ignored) takes the catalogue "ll_CC",
//    one of a language only ("zh") the first catalogue of that language; "en", "C" and "POSIX"
//    take English; a preference without a catalogue is passed over.
std::string_view UserLanguage(const EnvironmentVariable& variable);

// UserLanguage of this process's environment.
std::string_view ProcessUserLanguage();

}  // namespace quavelo
