#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/HexBytes.h"
#include "link/ReportLink.h"

namespace quavelo {

// Every output report is exactly 16 bytes:
//   0 0xFF | 1 access kind | 2, 3 address, high byte first | 4 data count N |
//   5 0x00 write, 0x01 read request | 6 .. 6+N-1 data | rest 0x00
// Answers to read requests have the same shape with byte 5 = 0x01.
inline constexpr std::size_t kReportSize = kHidReportSize;
inline constexpr std::size_t kReportDataOffset = 6;
inline constexpr std::size_t kReportMaxData = kReportSize - kReportDataOffset;
using Report = HidReport;

inline constexpr std::uint8_t kReportHead = 0xFF;
inline constexpr std::uint8_t kWriteFlag = 0x00;
inline constexpr std::uint8_t kReadFlag = 0x01;

enum class Access : std::uint8_t {
    Dsp = 0x70,    // processor memory: codec registers and processing parameters
    Store = 0xA0,  // the settings store the device keeps for itself
};

// A write of `data` (at most 10 bytes; more is cut off) to `address`.
Report MakeWrite(Access access, std::uint16_t address, std::span<const std::uint8_t> data) noexcept;
// A read request for `count` bytes at `address`; it carries no data.
Report MakeReadRequest(Access access, std::uint16_t address, std::uint8_t count) noexcept;

Report DspWriteByte(std::uint16_t address, std::uint8_t value) noexcept;
// A processing parameter: 32-bit two's complement, high byte first, N = 4.
Report DspWriteParam(std::uint16_t address, std::int32_t word) noexcept;
Report DspRead(std::uint16_t address, std::uint8_t count) noexcept;
Report StoreWrite(std::uint16_t address, std::span<const std::uint8_t> data) noexcept;
Report StoreRead(std::uint16_t address, std::uint8_t count) noexcept;

// The four bytes at `offset` read as a big-endian 32-bit value.
std::int32_t ReadBigEndian32(const Report& report, std::size_t offset) noexcept;

// Hex digits, blanks and apostrophes between byte pairs are allowed ("FF 70'00"); nullopt for
// anything else or an odd digit count.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text);
// A report written as hex; shorter text leaves the tail 0, longer text is refused.
std::optional<Report> ParseHexReport(std::string_view text);

}  // namespace quavelo
