#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quavelo {

// Each byte as two upper-case hex digits followed by `separator` ("FF 70 00 ..." with " "). The
// traffic log writes reports this way, so a hex message ends with the separator.
std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator = " ");

}  // namespace quavelo
