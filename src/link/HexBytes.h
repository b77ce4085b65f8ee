#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quavelo {

// Each byte as two upper-case hex digits followed by `separator` ("FF 70 00 ..." with " "). The
// traffic log writes reports this way, so a hex message ends with the separator.
std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator = " ");

// The value of up to eight hexadecimal digits of either case ("0F8c" is 0x0F8C), as device ids
// are written; nullopt for empty text, more than eight digits or any other character.
std::optional<std::uint32_t> HexValue(std::string_view text);

}  // namespace quavelo
