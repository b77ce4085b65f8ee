#include "pages/CEqDlg.h"

#include <gtest/gtest.h>

#include <QTest>

#include "graph/CMultiColorPlotCtrl.h"
#include "widgets/ControlId.h"

namespace quavelo {
namespace {

TEST(CEqDlgTest, SetsUpSixFadersAtZeroDb) {
    CEqDlg page;
    EXPECT_FALSE(page.Ready());
    EXPECT_TRUE(page.OnInitDialog());
    EXPECT_TRUE(page.Ready());

    const auto* graph = FindControl<CMultiColorPlotCtrl>(&page, CEqDlg::kIdGraph);
    ASSERT_EQ(graph, page.Graph());
    EXPECT_EQ(graph->Mode(), CMultiColorPlotCtrl::kModeFaders);
    EXPECT_EQ(graph->BandCount(), 6);
    EXPECT_EQ(graph->Range(), (PlotRange{0.0, 7.0, -15.0, 15.0}));
    EXPECT_TRUE(graph->ShowAxes());
    for (int band = 0; band < 6; ++band) {
        EXPECT_EQ(graph->HandleKind(band), kHandleOrdinary);
        EXPECT_EQ(graph->FrequencyX(band), band + 1.0);
        EXPECT_EQ(graph->GainY(band), 0.0);
    }
}

struct SizeCase {
    const char* name;
    QSize client;
    QRect graph;
};

class CEqDlgSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(CEqDlgSizeTest, PlacesTheGraphOnceReady) {
    CEqDlg page;
    page.show();
    page.OnInitDialog();
    page.resize(GetParam().client);
    EXPECT_EQ(page.Graph()->geometry(), GetParam().graph);
    EXPECT_EQ(page.Graph()->Area(),
              ComputePlotArea(GetParam().graph.width(), GetParam().graph.height(), true));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CEqDlgSizeTest, testing::Values(
    SizeCase{"Page600x300", {600, 300}, {0, 50, 600, 200}},
    SizeCase{"TruncatesSixths", {601, 305}, {0, 50, 601, 203}},
    SizeCase{"Tiny", {5, 5}, {0, 0, 5, 3}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CEqDlgTest, ResizeBeforeInitialisationMovesNothing) {
    CEqDlg page;
    page.show();
    const QRect before = page.Graph()->geometry();
    page.resize(600, 300);
    EXPECT_EQ(page.size(), QSize(600, 300));
    EXPECT_EQ(page.Graph()->geometry(), before);

    page.OnInitDialog();
    page.resize(600, 301);
    EXPECT_EQ(page.Graph()->geometry(), QRect(0, 50, 600, 200));
}

TEST(CEqDlgTest, DraggingAFaderChangesOnlyItsGain) {
    CEqDlg page;
    page.show();
    page.OnInitDialog();
    page.resize(600, 300);
    CMultiColorPlotCtrl* graph = page.Graph();
    graph->grab();  // the handles are created at the first paint
    const HandleBox box = graph->Handles()[5].box;
    const QPoint c(box.CentreX(), box.CentreY());
    QTest::mousePress(graph, Qt::LeftButton, {}, c);
    QTest::mouseMove(graph, QPoint(c.x(), 1));
    QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(c.x(), 1));
    EXPECT_EQ(graph->GainY(5), 15.0);
    EXPECT_EQ(graph->FrequencyX(5), 6.0);
    EXPECT_EQ(graph->GainY(4), 0.0);
}

}  // namespace
}  // namespace quavelo
