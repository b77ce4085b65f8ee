#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>

#include "device/Encoding.h"

namespace quavelo {

// The processor memory of a simulated device: one value per 16-bit address (a codec register
// byte or a 32-bit processing parameter), as the last write left it. Addresses never written
// hold nothing, so a test can tell "not loaded" from "loaded with 0".
//
// The staged coefficient load works as on the device: words written to 0x0001..0x0005 wait
// there; a count c (1..5) written to 0x0007 copies the first c of them to the target address
// held at 0x0006 and the c addresses after it.
//
// Not thread-safe: its owner guards it.
class ProcessorMemory {
  public:
    // Stores `data` (1..4 bytes, high byte first) at `address`, then runs the staged load when
    // the address is the count. False, and nothing stored, for an empty or longer write.
    bool Write(std::uint16_t address, std::span<const std::uint8_t> data);

    std::optional<std::uint32_t> Value(std::uint16_t address) const;

    // The five words at `target`..`target` + 4, as a staged load puts them there; nullopt while
    // any of them was never written.
    std::optional<Coefficients> Words(std::uint16_t target) const;

    // Forgets everything, as at power-up.
    void Clear() { values_.clear(); }

  private:
    void RunStagedLoad(std::uint32_t count);

    std::unordered_map<std::uint16_t, std::uint32_t> values_;
};

// The level the simulated device reports for meter `channel` (0 or 1) at its `step`-th level
// request: a slow sine between 5 % and 95 % of full scale (2^21) with a period of 200 requests,
// the second channel a quarter period ahead of the first. The same steps give the same values.
std::int32_t SimulatedLevel(int channel, std::uint32_t step) noexcept;

}  // namespace quavelo
