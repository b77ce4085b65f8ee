#pragma once

#include <span>
#include <string_view>

namespace quavelo {

// The translations of the user-visible texts, for the programs without Qt. The texts are written
// in English (the source language); res/translations holds one Qt Linguist catalogue per further
// language, and the build turns them into this table (cmake/CatalogueTable.cmake) as it turns
// them into the panel's compiled catalogues, so both programs say the same.
struct CatalogueEntry {
    std::string_view language;  // the catalogue's language, "zh_CN"
    std::string_view context;   // where the text belongs ("Messages", a class name)
    std::string_view source;    // the English text
    std::string_view translation;
};

// The entries whose translation differs from the source text; generated.
std::span<const CatalogueEntry> CatalogueEntries();
// The languages with a catalogue ("zh_CN"); generated.
std::span<const std::string_view> CatalogueLanguages();

// `source` of `context` in `language` (one of CatalogueLanguages(), or "" for English): the
// catalogue's translation, or `source` itself when it has none (a text in English in every
// language, or one made at run time, such as a file name).
std::string_view Translate(std::string_view language, std::string_view context,
                           std::string_view source);

}  // namespace quavelo
