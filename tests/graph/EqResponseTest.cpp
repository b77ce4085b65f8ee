#include "graph/EqResponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "graph/ReferenceEqResponse.h"

namespace quavelo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kSentinel = 77.0;

// Outputs as a graph holds them after earlier paints: every entry a value nothing computes.
EqResponseCurves StaleCurves() {
    EqResponseCurves curves;
    for (ResponseCurve& band : curves.band) band.fill(kSentinel);
    curves.total.fill(kSentinel);
    curves.grid.fill(kSentinel);
    return curves;
}

bool AllEqual(const ResponseCurve& curve, double value) {
    return std::all_of(curve.begin(), curve.end(), [&](double v) { return v == value; });
}

bool AllFinite(const ResponseCurve& curve) {
    return std::all_of(curve.begin(), curve.end(), [](double v) { return std::isfinite(v); });
}

void SetPeaking(EqBandInputs& in, std::size_t i, double frequency, double gain, double q) {
    in.kind[i] = kKindEqBand;
    in.shape[i] = kShapePeaking;
    in.frequency[i] = frequency;
    in.gain[i] = gain;
    in.q[i] = q;
}

void SetPass(EqBandInputs& in, std::size_t i, std::uint32_t kind, double frequency, double q) {
    in.kind[i] = kind;
    in.frequency[i] = frequency;
    in.q[i] = q;
    in.filterEnabled[i] = 1;
}

double MaxDeviation(const ResponseCurve& a, const ResponseCurve& b) {
    double worst = 0;
    for (std::size_t j = 0; j < kResponsePoints; ++j) {
        worst = std::max(worst, std::fabs(a[j] - b[j]));
    }
    return worst;
}

// Random bands of every kind, shape and slope over the values the pages produce and beyond:
// gains of +-30 dB, q from 0.1 to 25.5, frequencies from 10 Hz to 40 kHz.
EqBandInputs RandomBands(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> gain(-30.0, 30.0);
    std::uniform_real_distribution<double> q(0.1, 25.5);
    std::uniform_real_distribution<double> logFrequency(std::log(10.0), std::log(40000.0));
    std::uniform_int_distribution<int> kind(1, 3);
    std::uniform_int_distribution<int> shape(0, 2);
    std::uniform_int_distribution<int> slope(kMinSlopeIndex, kMaxSlopeIndex);
    std::uniform_real_distribution<double> fraction(0.0, 0.999);
    std::uniform_int_distribution<int> count(1, kMaxEqBands);

    EqBandInputs in;
    in.bandCount = count(rng);
    for (std::size_t i = 0; i < kMaxEqBands; ++i) {
        in.kind[i] = static_cast<std::uint32_t>(kind(rng));
        in.shape[i] = static_cast<std::uint32_t>(shape(rng));
        in.frequency[i] = std::exp(logFrequency(rng));
        in.gain[i] = gain(rng);
        in.q[i] = in.kind[i] == kKindEqBand ? q(rng) : slope(rng) + fraction(rng);
        in.filterEnabled[i] = 1;
    }
    return in;
}

TEST(EqResponseTest, AgreesWithTheReferenceWithinOneNanodecibel) {
    std::mt19937_64 rng(0x5EED);
    double worst = 0;
    for (int run = 0; run < 300; ++run) {
        const EqBandInputs in = RandomBands(rng);
        EqResponseCurves fast;
        EqResponseCurves reference;
        ComputeEqResponse(in, fast);
        reference::ComputeEqResponse(in, reference);
        for (std::size_t i = 0; i < static_cast<std::size_t>(in.bandCount); ++i) {
            const double deviation = MaxDeviation(fast.band[i], reference.band[i]);
            ASSERT_LE(deviation, 1e-9) << "run " << run << ", band " << i << ": kind " << in.kind[i]
                                       << ", shape " << in.shape[i] << ", " << in.frequency[i]
                                       << " Hz, " << in.gain[i] << " dB, q " << in.q[i];
            worst = std::max(worst, deviation);
        }
        ASSERT_LE(MaxDeviation(fast.total, reference.total), 1e-9) << "run " << run;
        ASSERT_EQ(fast.grid, ResponseFrequencyTable);
    }
    std::ostringstream text;
    text << std::scientific << worst;
    RecordProperty("worst_deviation_db", text.str());
}

struct CountCase {
    std::int32_t bandCount;
    int computed;  // bands whose curves are written
};

class BandCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(BandCountTest, OnlyBandsBelowTheCountAreWritten) {
    EqBandInputs in;
    for (std::size_t i = 0; i < kMaxEqBands; ++i) {
        SetPeaking(in, i, ResponseFrequencyTable[i * 12], 3.0, 1.4);
    }
    in.bandCount = GetParam().bandCount;
    EqResponseCurves curves = StaleCurves();
    ComputeEqResponse(in, curves);

    ResponseCurve total{};
    for (int b = 0; b < kMaxBandCurves; ++b) {
        const ResponseCurve& band = curves.band[static_cast<std::size_t>(b)];
        if (b < GetParam().computed) {
            const auto i = static_cast<std::size_t>(b);
            ResponseCurve expected;
            PeakingResponse(expected, in.frequency[i], in.gain[i], 1.0 / in.q[i]);
            EXPECT_EQ(band, expected) << "band " << b;
            for (std::size_t j = 0; j < kResponsePoints; ++j) total[j] += band[j];
        } else {
            EXPECT_TRUE(AllEqual(band, kSentinel)) << "band " << b;
        }
    }
    for (std::size_t j = 0; j < kResponsePoints; ++j) EXPECT_DOUBLE_EQ(curves.total[j], total[j]);
    if (GetParam().computed == 0) {
        EXPECT_TRUE(AllEqual(curves.total, 0.0));
    }
    EXPECT_EQ(curves.grid, ResponseFrequencyTable);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, BandCountTest, testing::Values(
    CountCase{std::numeric_limits<std::int32_t>::min(), 0},
    CountCase{-1, 0},
    CountCase{0, 0},
    CountCase{1, 1},
    CountCase{5, 5},
    CountCase{kMaxEqBands, kMaxEqBands},
    CountCase{kMaxEqBands + 1, kMaxEqBands},   // the inputs hold no more
    CountCase{kMaxBandCurves, kMaxEqBands},
    CountCase{std::numeric_limits<std::int32_t>::max(), kMaxEqBands}));
// clang-format on

struct SlopeCase {
    double q;
    int slope;
};

class SlopeIndexOfTest : public testing::TestWithParam<SlopeCase> {};

TEST_P(SlopeIndexOfTest, TruncatesTowardZero) {
    EXPECT_EQ(SlopeIndexOf(GetParam().q), GetParam().slope) << "q " << GetParam().q;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, SlopeIndexOfTest, testing::Values(
    SlopeCase{0.0, 0},
    SlopeCase{2.9, 2},        // truncated, not rounded
    SlopeCase{-0.9, 0},       // toward zero
    SlopeCase{6.0, 6},
    SlopeCase{6.999, 6},
    SlopeCase{7.0, -1},
    SlopeCase{-1.0, -1},
    SlopeCase{1e300, -1},
    SlopeCase{-kInf, -1},
    SlopeCase{kNaN, -1}));
// clang-format on

TEST(EqResponseTest, HighAndLowPassUseTheTruncatedSlope) {
    EqBandInputs in;
    SetPass(in, 0, kKindHighPass, 1000, 2.9);
    SetPass(in, 1, kKindLowPass, 1000, 2.9);
    in.bandCount = 2;
    EqResponseCurves curves;
    ComputeEqResponse(in, curves);
    ResponseCurve expected;
    HighPassResponse(2, expected, 1000);
    EXPECT_EQ(curves.band[0], expected);
    LowPassResponse(2, expected, 1000);
    EXPECT_EQ(curves.band[1], expected);
}

// Disabled pass bands, and bands the pages never produce, are flat and add nothing to the total.
TEST(EqResponseTest, FlatBands) {
    struct Odd {
        std::uint32_t kind;
        std::uint32_t shape;
        double frequency;
        double gain;
        double q;
        std::uint32_t filterEnabled = 1;
    };
    const Odd odd[] = {
        {kKindHighPass, 0, 1000, 0, 6, 0},
        {kKindLowPass, 0, 1000, 0, 6, 0},
        {0, kShapePeaking, 1000, 6, 1},
        {4, kShapePeaking, 1000, 6, 1},
        {0xFFFFFFFF, kShapePeaking, 1000, 6, 1},
        {kKindEqBand, 3, 1000, 6, 1},
        {kKindEqBand, 0xFFFFFFFF, 1000, 6, 1},
        {kKindEqBand, kShapePeaking, 1000, 6, 0},
        {kKindEqBand, kShapePeaking, 1000, 6, -0.0},
        {kKindEqBand, kShapePeaking, kNaN, 6, 1},
        {kKindEqBand, kShapePeaking, 1000, kInf, 1},
        {kKindEqBand, kShapeLowShelf, 1000, kNaN, 1},
        {kKindEqBand, kShapeHighShelf, kInf, 6, 1},
        {kKindHighPass, 0, 1000, 0, 7},
        {kKindLowPass, 0, 1000, 0, -1},
        {kKindLowPass, 0, 1000, 0, kNaN},
        {kKindHighPass, 0, -kInf, 0, 2},
    };
    for (const Odd& o : odd) {
        EqBandInputs in;
        SetPeaking(in, 0, 250, 5.0, 1.0);
        in.kind[1] = o.kind;
        in.shape[1] = o.shape;
        in.frequency[1] = o.frequency;
        in.gain[1] = o.gain;
        in.q[1] = o.q;
        in.filterEnabled[1] = o.filterEnabled;
        in.bandCount = 2;
        EqResponseCurves curves = StaleCurves();
        ComputeEqResponse(in, curves);
        EXPECT_TRUE(AllEqual(curves.band[1], 0.0))
            << "kind " << o.kind << ", shape " << o.shape << ", " << o.frequency << " Hz, "
            << o.gain << " dB, q " << o.q;
        EXPECT_EQ(curves.total, curves.band[0]);
    }
}

// Whatever lands in the inputs, the outputs stay finite (and, under the sanitizers, in bounds).
TEST(EqResponseTest, ArbitraryInputsGiveAFiniteTotal) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<std::uint32_t> small(0, 4);
    std::uniform_int_distribution<std::int32_t> count(-3, 40);
    const auto anyDouble = [&] { return std::bit_cast<double>(bits(rng)); };
    for (int run = 0; run < 2000; ++run) {
        EqBandInputs in;
        for (std::size_t i = 0; i < kMaxEqBands; ++i) {
            in.kind[i] = small(rng);
            in.shape[i] = small(rng);
            in.filterEnabled[i] = small(rng);
            in.gain[i] = run % 2 ? anyDouble() : std::ldexp(anyDouble(), -1000);
            in.q[i] = anyDouble();
            in.frequency[i] = anyDouble();
        }
        in.bandCount = count(rng);
        EqResponseCurves curves;
        ComputeEqResponse(in, curves);
        ASSERT_TRUE(AllFinite(curves.total)) << "run " << run;
    }
}

}  // namespace
}  // namespace quavelo
