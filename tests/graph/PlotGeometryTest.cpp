#include "graph/PlotGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "graph/PlotHandle.h"

namespace quavelo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The TORVA page's graph: 530 x 300 with axes, +-15 dB over 20 .. 20000 Hz.
constexpr PlotArea kPage{26, 15, 504, 270};
constexpr PlotRange kResponse{20.0, 20000.0, -15.0, 15.0};
// The equaliser page's faders at 600 x 200: positions 0 .. 7.
constexpr PlotArea kFaderArea{30, 10, 570, 180};
constexpr PlotRange kFaders{0.0, 7.0, -15.0, 15.0};

// ---- plot area ----

struct AreaCase {
    const char* name;
    int width;
    int height;
    bool axes;
    PlotArea area;
};

class PlotAreaTest : public testing::TestWithParam<AreaCase> {};

TEST_P(PlotAreaTest, LeavesTheLabelMargins) {
    EXPECT_EQ(ComputePlotArea(GetParam().width, GetParam().height, GetParam().axes),
              GetParam().area);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PlotAreaTest, testing::Values(
    AreaCase{"TorvaGraph", 530, 300, true, kPage},
    AreaCase{"EqPage", 600, 200, true, kFaderArea},
    AreaCase{"RoundsMarginsDown", 539, 319, true, {26, 15, 513, 288}},
    AreaCase{"TooSmallForMargins", 19, 9, true, {0, 0, 19, 9}},
    AreaCase{"WithoutAxes", 530, 300, false, {0, 0, 530, 300}},
    AreaCase{"Empty", 0, 0, true, {0, 0, 0, 0}},
    AreaCase{"NegativeSize", -40, -10, true, {0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PlotGeometryTest, GridLinesRunFromTheBottomToTheTop) {
    EXPECT_EQ(GridLineY(kPage, 0), 270);
    EXPECT_EQ(GridLineY(kPage, 1), 245);
    EXPECT_EQ(GridLineY(kPage, 5), 143);
    EXPECT_EQ(GridLineY(kPage, 9), 41);
    EXPECT_EQ(GridLineY(kPage, 10), 15);
    EXPECT_EQ(PlotMid(kPage), 142);
}

// ---- axes ----

struct AxisCase {
    const char* name;
    PlotRange range;
    double value;
    double pixel;
};

class LogAxisTest : public testing::TestWithParam<AxisCase> {};

TEST_P(LogAxisTest, MapsFrequencyToColumn) {
    EXPECT_NEAR(LogAxisX(kPage, GetParam().range, GetParam().value), GetParam().pixel, 1e-9);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, LogAxisTest, testing::Values(
    AxisCase{"Min", kResponse, 20.0, 26.0},
    AxisCase{"Max", kResponse, 20000.0, 504.0},
    AxisCase{"GeometricMiddle", kResponse, 20.0 * std::sqrt(1000.0), 265.0},
    AxisCase{"Decade", kResponse, 200.0, 26.0 + 478.0 / 3.0},
    AxisCase{"BelowMinLiesLeftOfThePlot", kResponse, 2.0, 26.0 - 478.0 / 3.0},
    AxisCase{"NoLogSpanZeroMin", {0.0, 20000.0, -15, 15}, 1000.0, 26.0},
    AxisCase{"NoLogSpanReversed", {20000.0, 20.0, -15, 15}, 1000.0, 26.0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class CurveYTest : public testing::TestWithParam<AxisCase> {};

TEST_P(CurveYTest, HoldsValuesOnThePlot) {
    EXPECT_DOUBLE_EQ(CurveY(kPage, GetParam().range, GetParam().value), GetParam().pixel);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CurveYTest, testing::Values(
    AxisCase{"Zero", kResponse, 0.0, 142.5},
    AxisCase{"Max", kResponse, 15.0, 15.0},
    AxisCase{"AboveMax", kResponse, 15.000001, 15.0},
    AxisCase{"Min", kResponse, -15.0, 270.0},
    AxisCase{"MinusTwentyOnTheBottomEdge", kResponse, -20.0, 270.0},
    AxisCase{"NaNOnTheBottomEdge", kResponse, kNaN, 270.0},
    AxisCase{"MinusInfinity", kResponse, -kInf, 270.0},
    AxisCase{"EmptyRange", {20.0, 20000.0, 3.0, 3.0}, 3.0, 270.0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PlotGeometryTest, TruncPixelTruncatesTowardZeroAndStaysInRange) {
    EXPECT_EQ(TruncPixel(7.9), 7);
    EXPECT_EQ(TruncPixel(-7.9), -7);
    EXPECT_EQ(TruncPixel(kNaN), 0);
    EXPECT_EQ(TruncPixel(kInf), 1000000);
    EXPECT_EQ(TruncPixel(-1e300), -1000000);
}

// ---- handle placement ----

struct PlaceCase {
    const char* name;
    int scale;
    PlotArea area;
    PlotRange range;
    double x;
    double y;
    HandleBox box;
};

class PlaceHandleTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceHandleTest, CentresTheBoxOnTheValues) {
    const PlaceCase& c = GetParam();
    EXPECT_EQ(PlaceHandle(c.scale, c.area, c.range, c.x, c.y), c.box);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PlaceHandleTest, testing::Values(
    // 1000 Hz: column 26 + 478 log10(50) / 3 = 296.69; 0 dB on the middle row 142.
    PlaceCase{"OneKilohertzAtZero", 1, kPage, kResponse, 1000.0, 0.0, {288, 134, 304, 150}},
    PlaceCase{"RightEdge", 1, kPage, kResponse, 20000.0, 0.0, {496, 134, 512, 150}},
    PlaceCase{"LeftEdge", 1, kPage, kResponse, 20.0, 0.0, {18, 134, 34, 150}},
    PlaceCase{"TopIsFifteenDb", 1, kPage, kResponse, 20.0, 15.0, {18, 6, 34, 22}},
    PlaceCase{"BottomIsMinusFifteenDb", 1, kPage, kResponse, 20.0, -15.0, {18, 261, 34, 277}},
    // The handles' dB scale stays +-15 whatever the y range.
    PlaceCase{"FixedDbScale", 1, kPage, {20.0, 20000.0, -30.0, 30.0}, 20.0, 15.0,
              {18, 6, 34, 22}},
    PlaceCase{"FaderOneAtZero", 4, kFaderArea, kFaders, 1.0, 0.0, {99, 87, 115, 103}},
    PlaceCase{"FaderSixAtMax", 4, kFaderArea, kFaders, 6.0, 15.0, {484, 2, 500, 18}},
    PlaceCase{"NaNAtTheLeftOnTheMiddleRow", 1, kPage, kResponse, kNaN, kNaN, {18, 134, 34, 150}},
    PlaceCase{"NaNFaderAtTheBottom", 4, kFaderArea, kFaders, kNaN, kNaN, {22, 172, 38, 188}},
    PlaceCase{"ZeroFrequencyIsHeldFarLeft", 1, kPage, kResponse, 0.0, 0.0,
              {-1000000, 134, -999992, 150}},
    PlaceCase{"InfiniteGainIsHeldFarDown", 1, kPage, kResponse, 20.0, -kInf,
              {18, 999992, 34, 1000000}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PlotGeometryTest, HandleOfZeroDbSitsOnTheMiddleGridLine) {
    // The middle line is drawn 2 pixels wide on rows GridLineY(5) - 1 and GridLineY(5).
    const int centre = PlaceHandle(kScaleLogarithmic, kPage, kResponse, 1000.0, 0.0).CentreY();
    EXPECT_GE(centre, GridLineY(kPage, 5) - 1);
    EXPECT_LE(centre, GridLineY(kPage, 5));
}

// ---- dragging ----

struct DragCase {
    const char* name;
    int scale;
    int kind;
    int centreX;
    int centreY;
    double x;
    double y;
};

class DraggedValuesTest : public testing::TestWithParam<DragCase> {};

TEST_P(DraggedValuesTest, ReadsAndLimitsTheValues) {
    const DragCase& c = GetParam();
    const bool log = c.scale == kScaleLogarithmic;
    const HandleValues v = DraggedValues(c.scale, c.kind, log ? kPage : kFaderArea,
                                         log ? kResponse : kFaders, c.centreX, c.centreY, 3.0);
    EXPECT_NEAR(v.x, c.x, 1e-9);
    EXPECT_NEAR(v.y, c.y, 1e-9);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, DraggedValuesTest, testing::Values(
    DragCase{"RightEdgeIsXMax", 1, 1, 504, 142, 20000.0, 0.5 * 15.0 / 127.5},
    DragCase{"BeyondRightHeldAtXMax", 1, 1, 529, 142, 20000.0, 0.5 * 15.0 / 127.5},
    DragCase{"LeftEdgeIsXMin", 1, 1, 26, 142, 20.0, 0.5 * 15.0 / 127.5},
    DragCase{"BeyondLeftHeldAtXMin", 1, 1, 0, 142, 20.0, 0.5 * 15.0 / 127.5},
    DragCase{"GeometricMiddle", 1, 1, 265, 142, 20.0 * std::sqrt(1000.0), 0.5 * 15.0 / 127.5},
    DragCase{"TopEdgeIsYMax", 1, 1, 265, 15, 20.0 * std::sqrt(1000.0), 15.0},
    DragCase{"AboveTopHeldAtYMax", 1, 1, 265, 1, 20.0 * std::sqrt(1000.0), 15.0},
    DragCase{"BelowBottomHeldAtYMin", 1, 1, 265, 299, 20.0 * std::sqrt(1000.0), -15.0},
    DragCase{"HighPassStaysAtZeroDb", 1, 2, 504, 1, 20000.0, 0.0},
    DragCase{"LowPassStaysAtZeroDb", 1, 3, 26, 299, 20.0, 0.0},
    DragCase{"FaderKeepsItsPosition", 4, 1, 500, 95, 3.0, 0.0},
    DragCase{"FaderTop", 4, 1, 0, 10, 3.0, 15.0},
    DragCase{"FaderAboveTop", 4, 1, 0, -50, 3.0, 15.0},
    DragCase{"FaderBottom", 4, 1, 0, 180, 3.0, -15.0},
    DragCase{"FaderBelowBottom", 4, 1, 0, 181, 3.0, -15.0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PlotGeometryTest, DragOnAnEmptyPlotGivesTheLowerLimits) {
    const PlotArea flat{10, 20, 10, 20};
    const HandleValues v = DraggedValues(kScaleLogarithmic, 1, flat, kResponse, 10, 20, 0.0);
    EXPECT_EQ(v.x, 20.0);
    EXPECT_EQ(v.y, -15.0);
    const HandleValues f = DraggedValues(4, 1, flat, kFaders, 10, 20, 2.0);
    EXPECT_EQ(f.x, 2.0);
    EXPECT_EQ(f.y, -15.0);
}

TEST(PlotGeometryTest, DraggedHandleLandsWhereItWasDropped) {
    for (int cx = 26; cx <= 504; cx += 13) {
        const HandleValues v = DraggedValues(kScaleLogarithmic, 1, kPage, kResponse, cx, 100, 0);
        const HandleBox box = PlaceHandle(kScaleLogarithmic, kPage, kResponse, v.x, v.y);
        EXPECT_NEAR(box.CentreX(), cx, 1) << cx;
        EXPECT_NEAR(box.CentreY(), 100, 1) << cx;
    }
}

TEST(PlotGeometryTest, LimitHoldsNaNAndReversedRangesAtTheLowerEnd) {
    EXPECT_EQ(Limit(5.0, 0.0, 10.0), 5.0);
    EXPECT_EQ(Limit(-1.0, 0.0, 10.0), 0.0);
    EXPECT_EQ(Limit(11.0, 0.0, 10.0), 10.0);
    EXPECT_EQ(Limit(kNaN, 0.0, 10.0), 0.0);
    EXPECT_EQ(Limit(5.0, 10.0, 0.0), 10.0);
}

// ---- curve polygons ----

TEST(PlotGeometryTest, CurvePolygonRunsFromMidLeftToMidRight) {
    ResponseCurve curve{};
    curve[136] = -20.0;  // 1000 Hz
    curve[200] = 40.0;
    CurvePolygon points;
    const std::size_t n =
        BuildCurvePolygon(kPage, kResponse, ResponseFrequencyTable, curve, points);
    // 19.71 Hz lies below the range; the other 240 entries are drawn between the two ends.
    ASSERT_EQ(n, 242U);
    EXPECT_EQ(points[0].x, 26.0F);
    EXPECT_EQ(points[0].y, 142.0F);
    EXPECT_FLOAT_EQ(points[1].x, static_cast<float>(LogAxisX(kPage, kResponse, 20.31)));
    EXPECT_EQ(points[1].y, 142.5F);
    EXPECT_EQ(points[136].y, 270.0F);  // below the range: the bottom edge
    EXPECT_EQ(points[200].y, 15.0F);   // above it: the top edge
    EXPECT_EQ(points[240].x, 504.0F);  // 20000 Hz
    EXPECT_EQ(points[241].x, 504.0F);
    EXPECT_EQ(points[241].y, 142.0F);
}

TEST(PlotGeometryTest, CurvePolygonSkipsFrequenciesOutsideTheRange) {
    const ResponseCurve curve{};
    CurvePolygon points;
    const PlotRange narrow{100.0, 1000.0, -15.0, 15.0};
    const std::size_t n = BuildCurvePolygon(kPage, narrow, ResponseFrequencyTable, curve, points);
    // Entries 56 (99.2 Hz) and below and 137 (1030 Hz) and above are left out.
    EXPECT_EQ(n, 136U - 57U + 1U + 2U);
    EXPECT_EQ(points[1].x, static_cast<float>(LogAxisX(kPage, narrow, 102.0)));
}

// ---- handles ----

struct HitCase {
    const char* name;
    int x;
    int y;
    int index;
};

class HitTestTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitTestTest, FindsTheFirstBoxContainingThePoint) {
    std::vector<PlotHandle> handles(2);
    handles[0].box = HandleBox::At(100, 100);
    handles[1].box = HandleBox::At(110, 100);  // overlaps the first on columns 110 .. 116
    EXPECT_EQ(HitTest(handles, GetParam().x, GetParam().y), GetParam().index);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, HitTestTest, testing::Values(
    HitCase{"TopLeftCorner", 100, 100, 0},
    HitCase{"BottomRightEdgeIncluded", 116, 116, 0},
    HitCase{"OverlapGoesToTheFirst", 112, 108, 0},
    HitCase{"SecondOnly", 117, 108, 1},
    HitCase{"SecondsRightEdge", 126, 116, 1},
    HitCase{"PastTheRightEdge", 127, 108, -1},
    HitCase{"AboveTheTop", 105, 99, -1},
    HitCase{"BelowTheBottom", 105, 117, -1}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace quavelo
