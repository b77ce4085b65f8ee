#include "widgets/LabelFormat.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace quavelo {

std::string FormatLabelNumber(const LabelNumber& n) {
    if ((n.offMode == 1 && n.value == n.offValue1) || (n.offMode == 2 && n.value == n.offValue2)) {
        return n.prefix + "OFF";
    }
    const double v = n.value / n.divisor;
    const double shown = v - n.offset;
    // Whole when v has no fractional part, on either side of zero.
    const bool whole = std::isfinite(v) && v == std::trunc(v);
    char number[64];
    if (whole && std::fabs(shown) < static_cast<double>(INT_MAX)) {
        std::snprintf(number, sizeof number, "%d", static_cast<int>(std::trunc(shown)));
    } else {
        std::snprintf(number, sizeof number, "%0.1f", shown);
    }
    return n.prefix + number + n.suffix;
}

}  // namespace quavelo
