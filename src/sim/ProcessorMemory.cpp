#include "sim/ProcessorMemory.h"

#include <cmath>
#include <numbers>

#include "device/DeviceMap.h"

namespace quavelo {

namespace {

constexpr std::uint32_t kStagedWords = 5;
constexpr std::uint32_t kLevelPeriod = 200;

}  // namespace

bool ProcessorMemory::Write(std::uint16_t address, std::span<const std::uint8_t> data) {
    if (data.empty() || data.size() > 4) return false;
    std::uint32_t value = 0;
    for (std::uint8_t byte : data) value = value << 8 | byte;
    values_[address] = value;
    if (address == dsp::kSafeloadCount) RunStagedLoad(value);
    return true;
}

std::optional<std::uint32_t> ProcessorMemory::Value(std::uint16_t address) const {
    const auto found = values_.find(address);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::optional<Coefficients> ProcessorMemory::Words(std::uint16_t target) const {
    Coefficients words{};
    for (std::uint32_t i = 0; i < kStagedWords; ++i) {
        const auto value = Value(static_cast<std::uint16_t>(target + i));
        if (!value) return std::nullopt;
        words[i] = static_cast<std::int32_t>(*value);
    }
    return words;
}

void ProcessorMemory::RunStagedLoad(std::uint32_t count) {
    const auto target = Value(dsp::kSafeloadTarget);
    if (!target || count < 1 || count > kStagedWords) return;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto word = Value(static_cast<std::uint16_t>(dsp::kSafeloadData + i));
        if (word) values_[static_cast<std::uint16_t>(*target + i)] = *word;
    }
}

std::int32_t SimulatedLevel(int channel, std::uint32_t step) noexcept {
    const double turns = static_cast<double>(step % kLevelPeriod) / kLevelPeriod + 0.25 * channel;
    const double wave = 0.5 + 0.45 * std::sin(2 * std::numbers::pi * turns);
    return static_cast<std::int32_t>(std::lround(wave * kLevelFullScale));
}

}  // namespace quavelo
