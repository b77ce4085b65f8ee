#include "graph/EqResponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "graph/PowerRatioDb.h"
#include "graph/ReferenceEqResponse.h"
#include "graph/SectionCascade.h"

namespace quavelo {
namespace {

double MaxDeviation(const ResponseCurve& a, const ResponseCurve& b) {
    double worst = 0;
    for (std::size_t j = 0; j < kResponsePoints; ++j)
        worst = std::max(worst, std::fabs(a[j] - b[j]));
    return worst;
}

// Random bands of every kind, shape and slope, over the values the pages produce and beyond.
TEST(EqResponseTest, AgreesWithThePlainEvaluationOverRandomBands) {
    std::mt19937_64 rng(0x5EED);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto pick = [&](int n) { return static_cast<std::uint32_t>(unit(rng) * n); };
    for (int run = 0; run < 300; ++run) {
        EqBandInputs in;
        in.bandCount = 1 + static_cast<int>(pick(kMaxEqBands));
        for (std::size_t i = 0; i < kMaxEqBands; ++i) {
            in.kind[i] = 1 + pick(3);
            in.shape[i] = pick(3);
            in.frequency[i] = 10.0 * std::pow(4000.0, unit(rng));
            in.gain[i] = 60 * unit(rng) - 30;
            in.q[i] = in.kind[i] == kKindEqBand ? 0.1 + 25.4 * unit(rng) : pick(7) + unit(rng);
            in.filterEnabled[i] = pick(4) != 0;
        }
        EqResponseCurves fast, plain;
        ComputeEqResponse(in, fast);
        reference::ComputeEqResponse(in, plain);
        for (std::size_t i = 0; i < static_cast<std::size_t>(in.bandCount); ++i) {
            ASSERT_LE(MaxDeviation(fast.band[i], plain.band[i]), 1e-9)
                << "run " << run << ", band " << i << ", kind " << in.kind[i];
        }
        ASSERT_LE(MaxDeviation(fast.total, plain.total), 1e-9) << "run " << run;
    }
    // And what filter theory says, apart from both: every slope reads -3 dB at its cut-off.
    ResponseCurve low, high;
    for (int slope = kMinSlopeIndex; slope <= kMaxSlopeIndex; ++slope) {
        LowPassResponse(slope, low, 1000);
        HighPassResponse(slope, high, 1000);
        EXPECT_NEAR(low[136], -3.0, 0.15) << "low-pass, slope " << slope;
        EXPECT_NEAR(high[136], -3.0, 0.15) << "high-pass, slope " << slope;
    }
}

// Whatever lands in the inputs, band counts outside 0..20 included, every curve stays finite.
TEST(EqResponseTest, HostileInputsGiveFiniteCurves) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<std::uint32_t> small(0, 4);
    std::uniform_int_distribution<std::int32_t> count(-3, 40);
    for (int run = 0; run < 2000; ++run) {
        EqBandInputs in;
        for (std::size_t i = 0; i < kMaxEqBands; ++i) {
            in.kind[i] = small(rng);
            in.shape[i] = small(rng);
            in.filterEnabled[i] = small(rng);
            in.gain[i] = std::ldexp(std::bit_cast<double>(bits(rng)), run % 2 ? 0 : -1000);
            in.q[i] = run % 3 ? std::bit_cast<double>(bits(rng)) : small(rng) - 1.0;
            in.frequency[i] = run % 5 ? std::bit_cast<double>(bits(rng)) : 100.0 * small(rng);
        }
        in.bandCount = count(rng);
        EqResponseCurves curves{};
        ComputeEqResponse(in, curves);
        double sum = 0;  // NaN or infinity anywhere shows in the sum
        for (const ResponseCurve& c : curves.band) sum = std::accumulate(c.begin(), c.end(), sum);
        ASSERT_TRUE(std::isfinite(std::accumulate(curves.total.begin(), curves.total.end(), sum)));
    }
}

// Within a few ulps of 10 log10 over the normal range; exactly 0 for 1, so 0 dB is exactly flat.
TEST(PowerRatioDbTest, MatchesTenLog10AcrossTheNormalRange) {
    using Limits = std::numeric_limits<double>;
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> decade(-307.0, 308.0), nearOne(-0.5, 0.5);
    std::vector<double> ratios{1.0, Limits::min(), Limits::max(), std::sqrt(0.5), std::sqrt(2.0)};
    for (int i = 0; i < 100000; ++i) {
        ratios.push_back(std::pow(10.0, decade(rng)));
        ratios.push_back(1.0 + nearOne(rng) * (i % 2 ? 1.0 : 1e-9));
    }
    for (double ratio : ratios) {
        const double expected = 10.0 * std::log10(ratio);
        ASSERT_NEAR(PowerRatioDb(ratio), expected, 4e-15 * std::fabs(expected)) << ratio;
    }
}

// The AVX2 build must round exactly as the baseline build: the curves are compared bit for bit.
TEST(SectionCascadeTest, EveryKernelGivesTheSameCurve) {
    if (!HasAvx2Kernel()) GTEST_SKIP() << "this processor runs the baseline kernel only";
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> b(-2.0, 2.0), a2(-0.99, 0.99);
    for (int run = 0; run < 2000; ++run) {
        std::vector<Section> sections(1 + run % 4);
        for (Section& s : sections) s = {b(rng), b(rng), b(rng), b(rng), a2(rng)};
        ResponseCurve baseline, avx2;
        WriteCascadeDb(sections, baseline, CascadeKernel::kBaseline);
        WriteCascadeDb(sections, avx2, CascadeKernel::kAvx2);
        ASSERT_EQ(avx2, baseline) << "run " << run;
    }
}

}  // namespace
}  // namespace quavelo
