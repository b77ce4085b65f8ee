#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quavelo {

// The vendor and product id of a model as the panel keeps them: hexadecimal text, converted to
// numbers when a connection is made.
struct ModelIdText {
    std::string_view vendor;
    std::string_view product;
};

// TORVA "0f8c"/"0046", KD4 "0f8d"/"0047"; nullopt for any other model.
std::optional<ModelIdText> ModelIdTextOf(std::int32_t model);

struct ModelUsbIds {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// The ids a connection to `model` searches for; nullopt for an unknown model or text that is no
// 16-bit id.
std::optional<ModelUsbIds> ModelUsbIdsOf(std::int32_t model);

}  // namespace quavelo
