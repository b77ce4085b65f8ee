#pragma once

#include <cstddef>

#include "graph/ResponseFrequencyTable.h"

namespace quavelo {

// Runs step(j) for every curve entry j. The first loop covers a multiple of every SIMD width,
// so the compiler vectorises it without a remainder; the second takes the entry left over.
// Always inlined, also into functions compiled for a wider instruction set.
template <class Step>
[[gnu::always_inline]] inline void ForEachPoint(Step&& step) noexcept {
    constexpr std::size_t kWhole = kResponsePoints / 8 * 8;
    for (std::size_t j = 0; j < kWhole; ++j) step(j);
    for (std::size_t j = kWhole; j < kResponsePoints; ++j) step(j);
}

}  // namespace quavelo
