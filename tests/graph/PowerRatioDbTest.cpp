#include "graph/PowerRatioDb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace quavelo {
namespace {

using Limits = std::numeric_limits<double>;

void ExpectMatchesLog10(double ratio) {
    const double expected = 10.0 * std::log10(ratio);
    EXPECT_NEAR(PowerRatioDb(ratio), expected, 4e-15 * std::fabs(expected)) << "ratio " << ratio;
}

TEST(PowerRatioDbTest, OneIsExactlyZero) { EXPECT_EQ(PowerRatioDb(1.0), 0.0); }

TEST(PowerRatioDbTest, MatchesLog10AtTheEdgesOfEachReduction) {
    // sqrt(1/2) and sqrt(2) are where the exponent steps; DBL_MIN and DBL_MAX end the range.
    const double edges[] = {std::sqrt(0.5), std::sqrt(2.0), 0.5,           2.0,
                            1.0 + 1e-15,    1.0 - 1e-15,    Limits::min(), Limits::max()};
    for (double edge : edges) {
        ExpectMatchesLog10(edge);
        ExpectMatchesLog10(std::nextafter(edge, 0.0));
        if (edge != Limits::max()) ExpectMatchesLog10(std::nextafter(edge, Limits::infinity()));
    }
}

TEST(PowerRatioDbTest, MatchesLog10AcrossTheNormalRange) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> decade(-307.0, 308.0);
    std::uniform_real_distribution<double> nearOne(-0.5, 0.5);
    for (int i = 0; i < 200000; ++i) {
        ExpectMatchesLog10(std::pow(10.0, decade(rng)));
        ExpectMatchesLog10(1.0 + nearOne(rng));
        ExpectMatchesLog10(1.0 + nearOne(rng) * 1e-9);
        if (HasFailure()) return;
    }
}

struct OutsideCase {
    double ratio;
    bool outside;
};

class PowerRatioOutsideNormalTest : public testing::TestWithParam<OutsideCase> {};

TEST_P(PowerRatioOutsideNormalTest, FlagsEverythingButPositiveNormals) {
    EXPECT_EQ(PowerRatioOutsideNormal(GetParam().ratio) >> 63, GetParam().outside ? 1u : 0u)
        << "ratio " << GetParam().ratio;
}

INSTANTIATE_TEST_SUITE_P(
    Values, PowerRatioOutsideNormalTest,
    testing::Values(OutsideCase{Limits::min(), false}, OutsideCase{1.0, false},
                    OutsideCase{Limits::max(), false},
                    OutsideCase{std::nextafter(Limits::min(), 0.0), true},
                    OutsideCase{Limits::denorm_min(), true}, OutsideCase{0.0, true},
                    OutsideCase{-0.0, true}, OutsideCase{Limits::infinity(), true},
                    OutsideCase{Limits::quiet_NaN(), true}, OutsideCase{-Limits::quiet_NaN(), true},
                    OutsideCase{-Limits::denorm_min(), true}, OutsideCase{-1.0, true},
                    OutsideCase{-Limits::max(), true}, OutsideCase{-Limits::infinity(), true}));

}  // namespace
}  // namespace quavelo
