#include "device/Report.h"

#include <algorithm>

namespace quavelo {

namespace {

Report Header(Access access, std::uint16_t address, std::uint8_t count, std::uint8_t flag) {
    Report report{};
    report[0] = kReportHead;
    report[1] = static_cast<std::uint8_t>(access);
    report[2] = static_cast<std::uint8_t>(address >> 8);
    report[3] = static_cast<std::uint8_t>(address & 0xFF);
    report[4] = count;
    report[5] = flag;
    return report;
}

int HexDigit(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Report MakeWrite(Access access, std::uint16_t address,
                 std::span<const std::uint8_t> data) noexcept {
    const std::size_t n = std::min(data.size(), kReportMaxData);
    Report report = Header(access, address, static_cast<std::uint8_t>(n), kWriteFlag);
    std::copy_n(data.begin(), n, report.begin() + kReportDataOffset);
    return report;
}

Report MakeReadRequest(Access access, std::uint16_t address, std::uint8_t count) noexcept {
    return Header(access, address, count, kReadFlag);
}

Report DspWriteByte(std::uint16_t address, std::uint8_t value) noexcept {
    const std::uint8_t data[] = {value};
    return MakeWrite(Access::Dsp, address, data);
}

Report DspWriteParam(std::uint16_t address, std::int32_t word) noexcept {
    const auto u = static_cast<std::uint32_t>(word);
    const std::uint8_t data[] = {static_cast<std::uint8_t>(u >> 24),
                                 static_cast<std::uint8_t>(u >> 16),
                                 static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
    return MakeWrite(Access::Dsp, address, data);
}

Report DspRead(std::uint16_t address, std::uint8_t count) noexcept {
    return MakeReadRequest(Access::Dsp, address, count);
}

Report StoreWrite(std::uint16_t address, std::span<const std::uint8_t> data) noexcept {
    return MakeWrite(Access::Store, address, data);
}

Report StoreRead(std::uint16_t address, std::uint8_t count) noexcept {
    return MakeReadRequest(Access::Store, address, count);
}

std::int32_t ReadBigEndian32(const Report& report, std::size_t offset) noexcept {
    if (offset + 4 > report.size()) return 0;
    const std::uint32_t u = (std::uint32_t{report[offset]} << 24) |
                            (std::uint32_t{report[offset + 1]} << 16) |
                            (std::uint32_t{report[offset + 2]} << 8) | report[offset + 3];
    return static_cast<std::int32_t>(u);
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\'' || c == '\t' || c == '\n') {
            if (high >= 0) return std::nullopt;  // a separator inside a byte pair
            continue;
        }
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0) return std::nullopt;
    return bytes;
}

std::optional<Report> ParseHexReport(std::string_view text) {
    const auto bytes = ParseHexBytes(text);
    if (!bytes || bytes->size() > kReportSize) return std::nullopt;
    Report report{};
    std::copy(bytes->begin(), bytes->end(), report.begin());
    return report;
}

}  // namespace quavelo
