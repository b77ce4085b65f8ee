#include "graph/SectionCascade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace quavelo {
namespace {

bool IsFlat(const ResponseCurve& curve) {
    return std::all_of(curve.begin(), curve.end(), [](double v) { return v == 0.0; });
}

TEST(SectionCascadeTest, AGainSectionReadsItsGainEverywhere) {
    const Section gains[] = {{2.0}, {0.5}, {-1.0}};  // +6.02 dB, -6.02 dB, a sign flip
    for (const Section& s : gains) {
        ResponseCurve curve;
        WriteCascadeDb(std::span(&s, 1), curve);
        for (double v : curve) EXPECT_NEAR(v, 20 * std::log10(std::fabs(s.b0)), 1e-14);
    }
    const Section identity[4];
    ResponseCurve curve;
    curve.fill(1.0);
    WriteCascadeDb(identity, curve);
    EXPECT_TRUE(IsFlat(curve));
}

TEST(SectionCascadeTest, CascadesWithoutAFiniteLevelAreFlat) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<Section>> cascades = {
        {},                    // nothing to evaluate
        {{kNaN, 0, 0, 0, 0}},  // coefficients that are not finite
        {{1, 0, 0, kInf, 0}},
        {{1, 0, 0, 0, 0}, {1, 0, 0, 0, -kInf}},
        {{0, 0, 0, 0, 0}},                           // no output at all: minus infinity dB
        {{1e200, 0, 0, 0, 0}, {1e200, 0, 0, 0, 0}},  // the power product overflows
        {{1e-160, 0, 0, 0, 0}},                      // a level below the normal range
    };
    for (std::size_t i = 0; i < cascades.size(); ++i) {
        ResponseCurve curve;
        curve.fill(5.0);
        WriteCascadeDb(cascades[i], curve);
        EXPECT_TRUE(IsFlat(curve)) << "cascade " << i;
    }
}

// The AVX2 build must round exactly as the baseline build: the curves are compared bit for bit.
TEST(SectionCascadeTest, EveryKernelGivesTheSameCurve) {
    if (!HasAvx2Kernel()) GTEST_SKIP() << "this processor runs the baseline kernel only";
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> b(-2.0, 2.0);
    std::uniform_real_distribution<double> a2(-0.99, 0.99);
    std::uniform_int_distribution<std::size_t> count(1, 4);
    for (int run = 0; run < 2000; ++run) {
        std::vector<Section> sections(count(rng));
        for (Section& s : sections) s = {b(rng), b(rng), b(rng), b(rng), a2(rng)};
        ResponseCurve baseline;
        ResponseCurve avx2;
        ResponseCurve automatic;
        WriteCascadeDb(sections, baseline, CascadeKernel::kBaseline);
        WriteCascadeDb(sections, avx2, CascadeKernel::kAvx2);
        WriteCascadeDb(sections, automatic);
        ASSERT_EQ(avx2, baseline) << "run " << run;
        ASSERT_EQ(automatic, baseline) << "run " << run;
    }
}

}  // namespace
}  // namespace quavelo
