#pragma once

#include <span>

#include "graph/ResponseFrequencyTable.h"

namespace quavelo {

// One filter section H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2), already divided
// through by its leading coefficient a0. A first-order section has b2 = a2 = 0.
struct Section {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

// Which build of the evaluation loop runs. Both round every operation alike and give identical
// curves; kAvx2 handles four doubles per instruction and falls back to kBaseline on processors
// without AVX2. kAuto takes the fastest the processor has.
enum class CascadeKernel { kAuto, kBaseline, kAvx2 };

bool HasAvx2Kernel() noexcept;

// Writes the magnitude of the cascade of `sections` in dB at every entry of
// ResponseFrequencyTable (evaluated at 2 pi f / 96000): 10 log10 of the product of the
// sections' power ratios. An empty cascade, a section with a coefficient that is not finite, or
// a power ratio that is not a positive normal double at some entry (zero, infinite, NaN, beyond
// about +-3000 dB) gives a flat curve, exactly 0 dB. Allocates nothing.
void WriteCascadeDb(std::span<const Section> sections, ResponseCurve& curve,
                    CascadeKernel kernel = CascadeKernel::kAuto) noexcept;

}  // namespace quavelo
