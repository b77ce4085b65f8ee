#include "graph/BandResponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quavelo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

bool IsFlat(const ResponseCurve& curve) {
    return std::all_of(curve.begin(), curve.end(), [](double v) { return v == 0.0; });
}

// A curve filled with a value no routine writes, to see that a call overwrites every entry.
ResponseCurve Stale() {
    ResponseCurve curve;
    curve.fill(123.0);
    return curve;
}

TEST(ResponseFrequencyTableTest, AscendsFromTwentyHertzToTwentyKilohertz) {
    EXPECT_TRUE(std::is_sorted(ResponseFrequencyTable.begin(), ResponseFrequencyTable.end(),
                               std::less_equal<>()));
    EXPECT_EQ(ResponseFrequencyTable[0], 19.71);
    EXPECT_EQ(ResponseFrequencyTable[120], 630.0);
    EXPECT_EQ(ResponseFrequencyTable[136], 1000.0);
    EXPECT_EQ(ResponseFrequencyTable[160], 2000.0);
    EXPECT_EQ(ResponseFrequencyTable[240], 20000.0);
}

struct SnapCase {
    double frequency;
    std::size_t index;
};

class PeakingGridIndexTest : public testing::TestWithParam<SnapCase> {};

TEST_P(PeakingGridIndexTest, SnapsToTheNearestEntry) {
    EXPECT_EQ(PeakingGridIndex(GetParam().frequency), GetParam().index)
        << GetParam().frequency << " Hz";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, PeakingGridIndexTest, testing::Values(
    SnapCase{1000, 136},
    SnapCase{1010, 136},      // nearer 1000 than 1030
    SnapCase{1015, 137},      // halfway: the upper entry
    SnapCase{1014.99, 136},
    SnapCase{19792.5, 240},   // halfway between the last two entries
    SnapCase{19792.4, 239},
    SnapCase{19.71, 0},
    SnapCase{15, 0},          // below the table: the first entry
    SnapCase{-1000, 0},
    SnapCase{20000, 240},
    SnapCase{25000, 240},     // above the table: the last entry
    SnapCase{kInf, 240},
    SnapCase{kNaN, 240}));
// clang-format on

TEST(PeakingResponseTest, ZeroGainIsExactlyFlat) {
    for (double frequency : {19.71, 100.0, 1000.0, 20000.0}) {
        for (double bandwidth : {1 / 0.1, 1 / 1.0, 1 / 25.5}) {
            ResponseCurve curve = Stale();
            PeakingResponse(curve, frequency, 0.0, bandwidth);
            EXPECT_TRUE(IsFlat(curve)) << frequency << " Hz, bandwidth " << bandwidth;
        }
    }
}

TEST(PeakingResponseTest, PeaksAtItsGainOnItsGridEntry) {
    ResponseCurve curve;
    PeakingResponse(curve, 1000, 6.0, 1.0);
    EXPECT_NEAR(curve[136], 6.0, 1e-6);
    EXPECT_EQ(std::max_element(curve.begin(), curve.end()) - curve.begin(), 136);
    EXPECT_LT(curve[135], curve[136]);
    EXPECT_LT(curve[137], curve[136]);

    PeakingResponse(curve, 1000, -6.0, 1.0);
    EXPECT_NEAR(curve[136], -6.0, 1e-6);
    EXPECT_EQ(std::min_element(curve.begin(), curve.end()) - curve.begin(), 136);
}

TEST(PeakingResponseTest, IsDesignedAtTheSnappedFrequency) {
    const struct {
        double frequency;
        double entry;
    } cases[] = {{1010, 1000}, {1015, 1030}, {15, 19.71}, {25000, 20000}};
    for (const auto& c : cases) {
        ResponseCurve snapped;
        ResponseCurve exact;
        PeakingResponse(snapped, c.frequency, 4.5, 1 / 2.0);
        PeakingResponse(exact, c.entry, 4.5, 1 / 2.0);
        EXPECT_EQ(snapped, exact) << c.frequency << " Hz";
    }
}

// Where the curve crosses `level` going along the table, interpolated in log frequency.
double Crossing(const ResponseCurve& curve, double level) {
    for (std::size_t j = 1; j < kResponsePoints; ++j) {
        const double a = curve[j - 1] - level;
        const double b = curve[j] - level;
        if ((a <= 0) != (b <= 0)) {
            const double la = std::log(ResponseFrequencyTable[j - 1]);
            const double lb = std::log(ResponseFrequencyTable[j]);
            return std::exp(la + (lb - la) * a / (a - b));
        }
    }
    return kNaN;
}

struct ShelfCase {
    std::uint32_t shape;
    double frequency;
    double gain;
    double halfGainAt;  // Hz: where the curve reads gain / 2
};

class ShelfResponseTest : public testing::TestWithParam<ShelfCase> {};

TEST_P(ShelfResponseTest, ReachesHalfItsGainAtTheScaledFrequency) {
    const ShelfCase& c = GetParam();
    ResponseCurve curve;
    ShelfResponse(c.shape, curve, c.frequency, c.gain);
    EXPECT_NEAR(Crossing(curve, c.gain / 2) / c.halfGainAt, 1.0, 0.005);
    // The shelf side holds the full gain, the other side none.
    const double lowEnd = curve.front();
    const double highEnd = curve.back();
    EXPECT_NEAR(c.shape == kShapeLowShelf ? lowEnd : highEnd, c.gain, 0.05 * std::fabs(c.gain));
    EXPECT_NEAR(c.shape == kShapeLowShelf ? highEnd : lowEnd, 0.0, 0.05 * std::fabs(c.gain));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, ShelfResponseTest, testing::Values(
    ShelfCase{kShapeLowShelf, 1000, 12.0, 1000 * 1.2727272727},
    ShelfCase{kShapeLowShelf, 300, -12.0, 300 * 1.2727272727},
    ShelfCase{kShapeHighShelf, 1000, 12.0, 1000 * 0.76923076923},
    ShelfCase{kShapeHighShelf, 5000, -9.0, 5000 * 0.76923076923}));
// clang-format on

TEST(ShelfResponseTest, ExactlyZeroGainIsFlatButATinyGainIsNot) {
    for (std::uint32_t shape : {kShapeLowShelf, kShapeHighShelf}) {
        ResponseCurve curve = Stale();
        ShelfResponse(shape, curve, 1000, 0.0);
        EXPECT_TRUE(IsFlat(curve));
        curve = Stale();
        ShelfResponse(shape, curve, 1000, -0.0);
        EXPECT_TRUE(IsFlat(curve));

        ShelfResponse(shape, curve, 1000, 0.05);
        const double shelfSide = shape == kShapeLowShelf ? curve.front() : curve.back();
        EXPECT_NEAR(shelfSide, 0.05, 0.005) << "shape " << shape;
    }
}

struct PassCase {
    bool lowPass;
    int slope;
    double cutoff;
    std::size_t index;
    double db;
};

class PassResponseTest : public testing::TestWithParam<PassCase> {};

TEST_P(PassResponseTest, ReadsTheButterworthAttenuation) {
    const PassCase& c = GetParam();
    ResponseCurve curve;
    if (c.lowPass) {
        LowPassResponse(c.slope, curve, c.cutoff);
    } else {
        HighPassResponse(c.slope, curve, c.cutoff);
    }
    EXPECT_NEAR(curve[c.index], c.db, 0.05)
        << (c.lowPass ? "low" : "high") << "-pass, slope " << c.slope << " at "
        << ResponseFrequencyTable[c.index] << " Hz";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, PassResponseTest, testing::Values(
    PassCase{true, 0, 1000, 136, -3.0},
    PassCase{true, 0, 1000, 160, -12.3},   // 2000 Hz
    PassCase{false, 6, 1000, 136, -3.0},
    PassCase{false, 6, 1000, 112, -48.2},  // 500 Hz
    PassCase{false, 0, 1000, 240, 0.0},    // far in the pass band
    PassCase{true, 6, 1000, 0, 0.0}));
// clang-format on

class PassSlopeTest : public testing::TestWithParam<int> {};

// Each order is close to Butterworth: about -3 dB at the cut-off.
TEST_P(PassSlopeTest, ReadsAboutMinusThreeDecibelsAtTheCutoff) {
    ResponseCurve curve;
    LowPassResponse(GetParam(), curve, 1000);
    EXPECT_NEAR(curve[136], -3.0, 0.15) << "low-pass";
    HighPassResponse(GetParam(), curve, 1000);
    EXPECT_NEAR(curve[136], -3.0, 0.15) << "high-pass";
}

// Far beyond the cut-off each octave further adds 6 dB per order.
TEST_P(PassSlopeTest, FallsSixDecibelsPerOctavePerOrder) {
    const double perOctave = 6.02 * (GetParam() + 2);
    ResponseCurve curve;
    LowPassResponse(GetParam(), curve, 100);
    EXPECT_NEAR(curve[136] - curve[160], perOctave, 0.15) << "low-pass, 1000 to 2000 Hz";
    HighPassResponse(GetParam(), curve, 8000);
    EXPECT_NEAR(curve[136] - curve[112], perOctave, 0.15) << "high-pass, 1000 to 500 Hz";
}

INSTANTIATE_TEST_SUITE_P(AllSlopes, PassSlopeTest,
                         testing::Range(kMinSlopeIndex, kMaxSlopeIndex + 1));

TEST(BandResponseTest, InputsOutsideTheDomainGiveAFlatCurve) {
    const auto flat = [](auto&& design) {
        ResponseCurve curve = Stale();
        design(curve);
        return IsFlat(curve);
    };
    for (int slope : {kMinSlopeIndex - 1, kMaxSlopeIndex + 1, std::numeric_limits<int>::min(),
                      std::numeric_limits<int>::max()}) {
        EXPECT_TRUE(flat([&](ResponseCurve& c) { LowPassResponse(slope, c, 1000); })) << slope;
        EXPECT_TRUE(flat([&](ResponseCurve& c) { HighPassResponse(slope, c, 1000); })) << slope;
    }
    for (std::uint32_t shape : {kShapePeaking, kShapeHighShelf + 1, 0xFFFFFFFFu}) {
        EXPECT_TRUE(flat([&](ResponseCurve& c) { ShelfResponse(shape, c, 1000, 6.0); })) << shape;
    }
    for (double bad : {kNaN, kInf, -kInf}) {
        EXPECT_TRUE(flat([&](ResponseCurve& c) { PeakingResponse(c, bad, 6.0, 1.0); }));
        EXPECT_TRUE(flat([&](ResponseCurve& c) { PeakingResponse(c, 1000, bad, 1.0); }));
        EXPECT_TRUE(flat([&](ResponseCurve& c) { PeakingResponse(c, 1000, 6.0, bad); }));
        EXPECT_TRUE(flat([&](ResponseCurve& c) { ShelfResponse(kShapeLowShelf, c, bad, 6.0); }));
        EXPECT_TRUE(flat([&](ResponseCurve& c) { ShelfResponse(kShapeHighShelf, c, 1e3, bad); }));
        EXPECT_TRUE(flat([&](ResponseCurve& c) { LowPassResponse(2, c, bad); }));
        EXPECT_TRUE(flat([&](ResponseCurve& c) { HighPassResponse(2, c, bad); }));
    }
}

TEST(BandResponseTest, DesignsWithoutAFiniteResponseGiveAFlatCurve) {
    const auto flat = [](auto&& design) {
        ResponseCurve curve = Stale();
        design(curve);
        return IsFlat(curve);
    };
    // Beyond about 65 dB the shelf's square root has a negative argument.
    EXPECT_TRUE(flat([](ResponseCurve& c) { ShelfResponse(kShapeLowShelf, c, 1000, 80.0); }));
    EXPECT_TRUE(flat([](ResponseCurve& c) { ShelfResponse(kShapeHighShelf, c, 1000, -80.0); }));
    // A bandwidth too large for sinh.
    EXPECT_TRUE(flat([](ResponseCurve& c) { PeakingResponse(c, 1000, 6.0, 1e6); }));
    // A low-pass at 0 Hz passes nothing: no finite level.
    EXPECT_TRUE(flat([](ResponseCurve& c) { LowPassResponse(0, c, 0.0); }));
    // Within reach of the formulas a large gain is still computed.
    EXPECT_FALSE(flat([](ResponseCurve& c) { ShelfResponse(kShapeLowShelf, c, 1000, 60.0); }));
}

}  // namespace
}  // namespace quavelo
