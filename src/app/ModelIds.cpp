#include "app/ModelIds.h"

#include "device/ParamRange.h"
#include "link/HexBytes.h"

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

std::optional<ModelUsbIds> ModelUsbIdsOf(std::int32_t model) {
    const std::optional<ModelIdText> text = ModelIdTextOf(model);
    if (!text) return std::nullopt;
    const std::optional<std::uint32_t> vendor = HexValue(text->vendor);
    const std::optional<std::uint32_t> product = HexValue(text->product);
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
    return ModelUsbIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
}

}  // namespace quavelo
