#include "language/UserLanguage.h"

#include <algorithm>
#include <cstdlib>

#include "language/Catalogue.h"

namespace quavelo {

namespace {

// "zh_CN.UTF-8@variant" -> "zh_CN".
std::string_view WithoutCodeset(std::string_view locale) {
    return locale.substr(0, locale.find_first_of(".@"));
}

bool IsEnglish(std::string_view preference) {
    return preference == "C" || preference == "POSIX" || preference == "en" ||
           preference.starts_with("en_");
}

// The catalogue a preference takes: a language, "" for English, or nullopt to pass it over.
std::optional<std::string_view> CatalogueFor(std::string_view preference) {
    preference = WithoutCodeset(preference);
    if (IsEnglish(preference)) return std::string_view{};
    const bool languageOnly = preference.find('_') == std::string_view::npos;
    for (std::string_view language : CatalogueLanguages()) {
        if (language == preference) return language;
        if (languageOnly && language.starts_with(preference) &&
            language.substr(preference.size()).starts_with('_')) {
            return language;
        }
    }
    return std::nullopt;
}

// The variable's value; empty when it is not set.
std::string ValueOf(const EnvironmentVariable& variable, const char* name) {
    std::optional<std::string> value = variable(name);
    return value ? *value : std::string();
}

}  // namespace

std::string_view UserLanguage(const EnvironmentVariable& variable) {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = ValueOf(variable, name);
        if (!locale.empty()) break;
    }
    const std::string_view localeName = WithoutCodeset(locale);
    if (localeName.empty() || localeName == "C" || localeName == "POSIX") return {};

    const std::string preferences = ValueOf(variable, "LANGUAGE");
    for (std::size_t start = 0; start < preferences.size();) {
        const std::size_t end = std::min(preferences.find(':', start), preferences.size());
        const std::string_view preference =
            std::string_view(preferences).substr(start, end - start);
        if (!preference.empty()) {
            if (const auto language = CatalogueFor(preference)) return *language;
        }
        start = end + 1;
    }
    return CatalogueFor(locale).value_or(std::string_view{});
}

std::string_view ProcessUserLanguage() {
    return UserLanguage([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    });
}

}  // namespace quavelo
