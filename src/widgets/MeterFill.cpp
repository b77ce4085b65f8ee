#include "widgets/MeterFill.h"

#include <algorithm>
#include <cstdint>

namespace quavelo {

MeterFill MeterFillFor(int clientWidth, int imageWidth, int lower, int upper, int pos) {
    if (upper <= lower) return {};
    const std::int64_t span = static_cast<std::int64_t>(upper) - lower;
    const std::int64_t part =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(pos) - lower, 0, span);
    return {static_cast<int>(clientWidth * part / span),
            static_cast<int>(imageWidth * part / span)};
}

}  // namespace quavelo
