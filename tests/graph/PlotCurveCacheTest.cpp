#include "graph/PlotCurveCache.h"

#include <gtest/gtest.h>

namespace quavelo {
namespace {

constexpr PlotArea kArea{26, 15, 504, 270};
constexpr PlotRange kRange{20.0, 20000.0, -15.0, 15.0};

EqBandInputs TwoBands() {
    EqBandInputs in;
    in.bandCount = 2;
    for (std::size_t i = 0; i < 2; ++i) {
        in.kind[i] = kKindEqBand;
        in.shape[i] = kShapePeaking;
        in.q[i] = 2.0;
    }
    in.frequency = {200.0, 3000.0};
    in.gain = {6.0, -20.0};
    return in;
}

QPolygonF Expected(const ResponseCurve& curve, const PlotArea& area, const PlotRange& range) {
    CurvePolygon points;
    const std::size_t n = BuildCurvePolygon(area, range, ResponseFrequencyTable, curve, points);
    QPolygonF polygon;
    for (std::size_t i = 0; i < n; ++i) polygon << QPointF(points[i].x, points[i].y);
    return polygon;
}

TEST(PlotCurveCacheTest, ComputesOnlyForNewInputs) {
    PlotCurveCache cache;
    EqBandInputs in = TwoBands();
    EXPECT_TRUE(cache.Compute(in));
    EXPECT_FALSE(cache.Compute(in));
    EXPECT_EQ(cache.Computations(), 1);
    EXPECT_EQ(cache.ComputedBands(), 2);

    in.gain[1] = -19.5;
    EXPECT_TRUE(cache.Compute(in));
    in.bandCount = 1;
    EXPECT_TRUE(cache.Compute(in));
    EXPECT_EQ(cache.ComputedBands(), 1);
    EXPECT_EQ(cache.Computations(), 3);

    EqResponseCurves direct;
    ComputeEqResponse(in, direct);
    EXPECT_EQ(cache.Curves().total, direct.total);
}

TEST(PlotCurveCacheTest, LaysOutForNewCurvesAreasAndRanges) {
    PlotCurveCache cache;
    cache.Compute(TwoBands());
    EXPECT_TRUE(cache.Layout(kArea, kRange));
    EXPECT_FALSE(cache.Layout(kArea, kRange));
    EXPECT_EQ(cache.TotalPolygon(), Expected(cache.Curves().total, kArea, kRange));
    EXPECT_EQ(cache.BandPolygon(1), Expected(cache.Curves().band[1], kArea, kRange));

    const PlotArea smaller{13, 7, 252, 135};
    EXPECT_TRUE(cache.Layout(smaller, kRange));
    EXPECT_EQ(cache.TotalPolygon(), Expected(cache.Curves().total, smaller, kRange));

    const PlotRange wider{20.0, 20000.0, -30.0, 30.0};
    EXPECT_TRUE(cache.Layout(smaller, wider));
    EXPECT_EQ(cache.BandPolygon(0), Expected(cache.Curves().band[0], smaller, wider));

    EqBandInputs in = TwoBands();
    in.frequency[0] = 210.0;
    cache.Compute(in);
    EXPECT_TRUE(cache.Layout(smaller, wider));
    EXPECT_EQ(cache.BandPolygon(0), Expected(cache.Curves().band[0], smaller, wider));
    EXPECT_EQ(cache.Layouts(), 4);
}

TEST(PlotCurveCacheTest, BandsBeyondTheComputedCountHaveNoPolygon) {
    PlotCurveCache cache;
    cache.Compute(TwoBands());
    cache.Layout(kArea, kRange);
    EXPECT_TRUE(cache.BandPolygon(2).isEmpty());
    EXPECT_TRUE(cache.BandPolygon(-1).isEmpty());
    EXPECT_TRUE(cache.BandPolygon(kMaxEqBands).isEmpty());
}

}  // namespace
}  // namespace quavelo
