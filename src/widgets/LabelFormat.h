#pragma once

#include <string>

namespace quavelo {

// The numeric read-out of a label: value / divisor - offset, whole numbers without decimals and
// anything else with one decimal, between a prefix and a suffix; or the prefix and "OFF" when
// the value equals the chosen off value.
struct LabelNumber {
    double value = 0.0;
    double divisor = 1.0;
    double offset = 0.0;
    std::string prefix;
    std::string suffix;
    int offMode = 0;  // 0 never OFF; 1 OFF at offValue1; 2 OFF at offValue2
    double offValue1 = 1.0;
    double offValue2 = 10.0;
};

// The text a label in numeric mode shows, e.g. "2.5dB", "3dB", "OFF". A value that is not a
// number or lies beyond the int range is shown with one decimal rather than converted.
std::string FormatLabelNumber(const LabelNumber& number);

}  // namespace quavelo
