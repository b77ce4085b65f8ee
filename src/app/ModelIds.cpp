#include "app/ModelIds.h"

#include "device/ParamRange.h"

namespace quavelo {

std::optional<ModelIdText> ModelIdTextOf(std::int32_t model) {
    switch (model) {
        case kModelTorva:
            return ModelIdText{"0f8c", "0046"};
        case kModelKd4:
            return ModelIdText{"0f8d", "0047"};
        default:
            return std::nullopt;
    }
}

std::optional<std::uint32_t> HexIdValue(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = (value << 4) | digit;
    }
    return value;
}

std::optional<ModelUsbIds> ModelUsbIdsOf(std::int32_t model) {
    const std::optional<ModelIdText> text = ModelIdTextOf(model);
    if (!text) return std::nullopt;
    const std::optional<std::uint32_t> vendor = HexIdValue(text->vendor);
    const std::optional<std::uint32_t> product = HexIdValue(text->product);
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
    return ModelUsbIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
}

}  // namespace quavelo
