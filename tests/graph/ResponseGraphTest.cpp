#include "graph/ResponseGraph.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <tuple>
#include <vector>

#include "widgets/WidgetTestSupport.h"

namespace quavelo {
namespace {

// What the page saw when a pointChanged arrived: band, Moving, and the band's values.
using Notice = std::tuple<int, bool, double, double>;

// The TORVA page's graph: 530 x 300, +-15 dB, five peaking bands at 0 dB, 1 kHz in band 2.
class PlotTest : public testing::Test {
  protected:
    void Build(int kind2 = kHandleOrdinary) {
        graph.setGeometry(10, 5, 530, 300);
        graph.SetBandCount(5);
        graph.SetYMax(15.0);
        graph.SetYMin(-15.0);
        for (int band = 0; band < 5; ++band) {
            const double hz[] = {100, 250, 1000, 4000, 10000};
            graph.SetHandleKind(band, band == 2 ? kind2 : kHandleOrdinary);
            graph.SetFrequencyX(band, hz[band]);
            graph.SetBandInput(band, {0.0, 2.0, hz[band], kShapePeaking, kKindEqBand, 0});
        }
        graph.show();
        graph.grab().toImage();  // the handles are created at the first paint
        QObject::connect(&graph, &ResponseGraph::pointChanged, [this](int band, int) {
            notices.emplace_back(band, graph.Moving(), graph.FrequencyX(band), graph.GainY(band));
        });
    }
    QPoint Centre(int band) const {
        const HandleBox& box = graph.Handles()[static_cast<std::size_t>(band)].box;
        return {box.CentreX(), box.CentreY()};
    }

    ResponseGraph graph{&test::Page()};
    std::vector<Notice> notices;
};

enum class End { Release, MoveOutside, Leave, Disabled };

struct DragCase {
    int kind;
    std::vector<Notice> notices;
};

class PlotDragTest : public PlotTest,
                     public testing::WithParamInterface<std::tuple<DragCase, End>> {};

// A drag past the plot's corners stops at the range's ends; however the drag ends, the page
// hears one release and nothing after it. A disabled graph hears nothing.
TEST_P(PlotDragTest, StopsAtTheEndsAndReleasesOnce) {
    const auto& [c, end] = GetParam();
    Build(c.kind);
    graph.setEnabled(end != End::Disabled);
    QTest::mousePress(&graph, Qt::LeftButton, {}, Centre(2));
    QTest::mouseMove(&graph, {528, 1});
    QTest::mouseMove(&graph, {1, 298});
    if (end == End::Release) QTest::mouseRelease(&graph, Qt::LeftButton, {}, {1, 298});
    if (end == End::MoveOutside) QTest::mouseMove(&graph, {-5, 150});
    if (end == End::Leave) test::Leave(graph);
    QTest::mouseMove(&graph, {300, 150});
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, {300, 150});
    EXPECT_EQ(notices, end == End::Disabled ? std::vector<Notice>{} : c.notices);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(KindsAndEnds, PlotDragTest, testing::Combine(testing::Values(
    DragCase{kHandleOrdinary, {{2, false, 1000, 0}, {2, true, 20000, 15}, {2, true, 20, -15},
                               {2, false, 20, -15}}},
    DragCase{kHandleHighPass, {{2, false, 1000, 0}, {2, true, 20000, 0}, {2, true, 20, 0},
                               {2, false, 20, 0}}},   // keeps 0 dB
    DragCase{kHandleLowPass, {{2, false, 1000, 0}, {2, false, 1000, 0}}}),  // does not move
    testing::Values(End::Release, End::MoveOutside, End::Leave, End::Disabled)));
// clang-format on

TEST_F(PlotTest, DoubleClickReportsTheSelectedBand) {
    Build();
    QSignalSpy doubleClicks(&graph, &ResponseGraph::pointDoubleClicked);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, Centre(3));
    test::DoubleClick(graph, Centre(3));
    EXPECT_EQ(doubleClicks, (QList<QList<QVariant>>{{3, 1}}));
    EXPECT_EQ(graph.FrequencyX(3), 4000.0) << "a double-click drags nothing";
}

// Keys choose a band as a press on its handle does, and move the handle as a drag by as many
// pixels would: a key press as a release, a held key's repeats as drag steps.
TEST_F(PlotTest, KeysSelectABandAndMoveItsHandle) {
    Build();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_3, Qt::Key_PageDown, Qt::Key_PageUp}) {
        QTest::keyClick(&graph, key);
    }
    EXPECT_EQ(
        notices,
        (std::vector<Notice>{
            {0, false, 100, 0}, {2, false, 1000, 0}, {3, false, 4000, 0}, {2, false, 1000, 0}}));
    notices.clear();
    test::HoldKey(graph, Qt::Key_Up, 1, Qt::ShiftModifier);
    QTest::keyClick(&graph, Qt::Key_Right);
    const PlotArea& a = graph.Area();
    const double dbPerPixel = 15.0 / ((a.bottom - a.top) * 0.5);
    ASSERT_EQ(notices.size(), 4u);
    const auto& [band, moving, hz, db] = notices[1];
    EXPECT_TRUE(band == 2 && moving && hz == 1000);
    EXPECT_NEAR(db, 20 * dbPerPixel, 1e-9) << "two presses of ten pixels";
    EXPECT_EQ(std::get<1>(notices[2]), false) << "letting go";
    EXPECT_GT(std::get<2>(notices[3]), 1000);
    EXPECT_EQ(std::get<3>(notices[3]), db) << "Right keeps the gain";
}

// The graph draws its current band inputs: a change of any input a curve depends on shows, and
// changing it back gives back the first picture exactly.
TEST_F(PlotTest, RepaintShowsTheCurveOfTheCurrentInputs) {
    Build();
    // clang-format off
    const PlotBandInput inputs[] = {{6, 2, 1000, kShapePeaking, kKindEqBand, 0},
        {-6, 2, 1000, kShapePeaking, kKindEqBand, 0}, {6, 0.5, 1000, kShapePeaking, kKindEqBand, 0},
        {6, 2, 4000, kShapePeaking, kKindEqBand, 0}, {6, 2, 1000, kShapeLowShelf, kKindEqBand, 0},
        {6, 2, 1000, kShapePeaking, kKindHighPass, 1}};
    // clang-format on
    graph.SetBandInput(2, inputs[0]);
    const QImage first = graph.grab().toImage();
    for (std::size_t i = 1; i < std::size(inputs); ++i) {
        graph.SetBandInput(2, inputs[i]);
        EXPECT_NE(graph.grab().toImage(), first) << "input change " << i;
        graph.SetBandInput(2, inputs[0]);
        EXPECT_EQ(graph.grab().toImage(), first) << "input change " << i;
    }
}

}  // namespace
}  // namespace quavelo
