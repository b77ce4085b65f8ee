#include "language/Catalogue.h"

namespace quavelo {

std::string_view Translate(std::string_view language, std::string_view context,
                           std::string_view source) {
    if (language.empty()) return source;
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        if (entry.language == language && entry.context == context && entry.source == source) {
            return entry.translation;
        }
    }
    return source;
}

}  // namespace quavelo
