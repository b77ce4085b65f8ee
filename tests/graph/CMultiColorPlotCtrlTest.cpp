#include "graph/CMultiColorPlotCtrl.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QShortcut>
#include <QSignalSpy>

#include <memory>
#include <string>
#include <vector>

#include "graph/PlotPainter.h"
#include "widgets/ControlId.h"
#include "widgets/WidgetTestSupport.h"

namespace quavelo {
namespace {

constexpr int kGraphId = 1022;
constexpr double kBandHz[] = {100, 250, 1000, 4000, 10000};

// What the page saw when a pointChanged arrived.
struct Notice {
    int band;
    int controlId;
    bool moving;
    double x;
    double y;
};

// The TORVA page's graph: 530 x 300, five bands at 0 dB, +-15 dB; handles of `kinds`.
std::unique_ptr<CMultiColorPlotCtrl> MakeGraph(const std::vector<int>& kinds = {1, 1, 1, 1, 1}) {
    auto graph = std::make_unique<CMultiColorPlotCtrl>(&test::Page());
    graph->setGeometry(10, 5, 530, 300);
    SetControlId(graph.get(), kGraphId);
    graph->SetBandCount(static_cast<int>(kinds.size()));
    graph->SetYMax(15.0);
    graph->SetYMin(-15.0);
    for (int band = 0; band < static_cast<int>(kinds.size()); ++band) {
        graph->SetHandleKind(band, kinds[static_cast<std::size_t>(band)]);
        graph->SetFrequencyX(band, kBandHz[band % 5]);
        graph->SetGainY(band, 0.0);
        graph->SetBandInput(band, {0.0, 2.0, kBandHz[band % 5], kShapePeaking, 1, 0});
    }
    graph->InitPlot();
    graph->show();
    return graph;
}

QImage Render(CMultiColorPlotCtrl& graph) { return test::Render(graph); }

QPoint Centre(const CMultiColorPlotCtrl& graph, int band) {
    const HandleBox& box = graph.Handles()[static_cast<std::size_t>(band)].box;
    return {box.CentreX(), box.CentreY()};
}

bool Near(QRgb pixel, std::uint32_t argb, int tolerance) {
    const QColor want = QColor::fromRgba(argb);
    return std::abs(qRed(pixel) - want.red()) <= tolerance &&
           std::abs(qGreen(pixel) - want.green()) <= tolerance &&
           std::abs(qBlue(pixel) - want.blue()) <= tolerance;
}

class PlotTest : public testing::Test {
  protected:
    void SetUp() override { Build(); }

    void Build(const std::vector<int>& kinds = {1, 1, 1, 1, 1}) {
        graph = MakeGraph(kinds);
        Render(*graph);  // the handles are created at the first paint
        QObject::connect(graph.get(), &CMultiColorPlotCtrl::pointChanged, [this](int band, int id) {
            notices.push_back(
                {band, id, graph->Moving(), graph->FrequencyX(band), graph->GainY(band)});
        });
    }

    // The values a step to `at` gives band `band`'s handle, gripped at its centre.
    HandleValues StepValues(int band, QPoint at) const {
        const PlotHandle& h = graph->Handles()[static_cast<std::size_t>(band)];
        return DraggedValues(h.scale, h.kind, h.area, h.limits, at.x(), at.y(), h.x);
    }

    std::unique_ptr<CMultiColorPlotCtrl> graph;
    std::vector<Notice> notices;
};

// ---- notifications ----

TEST_F(PlotTest, SelectStepsAndReleaseEachReportOnceWithTheNewValues) {
    const QPoint c = Centre(*graph, 2);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, c);
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_EQ(notices[0].band, 2);
    EXPECT_EQ(notices[0].controlId, kGraphId);
    EXPECT_FALSE(notices[0].moving);
    EXPECT_EQ(graph->SelectedBands(), std::vector<int>{2});
    EXPECT_EQ(graph->GrabOffset(), QPoint(8, 8));

    const QPoint steps[] = {c + QPoint(10, -20), c + QPoint(30, -40), c + QPoint(31, -40)};
    for (const QPoint& at : steps) {
        const HandleValues want = StepValues(2, at);
        QTest::mouseMove(graph.get(), at);
        const Notice& n = notices.back();
        EXPECT_TRUE(n.moving);
        // The page already finds the step's values in FrequencyX / GainY.
        EXPECT_DOUBLE_EQ(n.x, want.x);
        EXPECT_DOUBLE_EQ(n.y, want.y);
    }
    ASSERT_EQ(notices.size(), 4U);
    EXPECT_GT(notices[3].x, 1000.0);
    EXPECT_GT(notices[3].y, 0.0);

    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, steps[2]);
    ASSERT_EQ(notices.size(), 5U);
    EXPECT_FALSE(notices[4].moving);
    EXPECT_EQ(notices[4].band, 2);
    EXPECT_DOUBLE_EQ(notices[4].x, notices[3].x);
    EXPECT_FALSE(graph->Dragging());
    EXPECT_EQ(graph->SelectedBands(), std::vector<int>{2});
}

TEST_F(PlotTest, PressOnTheSelectedHandleSendsNoSelection) {
    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, Centre(*graph, 1));
    ASSERT_EQ(notices.size(), 2U);  // selected, then released
    notices.clear();

    const QPoint c = Centre(*graph, 1);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, c + QPoint(3, -2));
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(graph->GrabOffset(), QPoint(11, 6));
    QTest::mouseMove(graph.get(), c + QPoint(20, 0));
    QTest::mouseMove(graph.get(), c + QPoint(40, 0));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, c + QPoint(40, 0));
    ASSERT_EQ(notices.size(), 3U);
    EXPECT_TRUE(notices[0].moving);
    EXPECT_TRUE(notices[1].moving);
    EXPECT_FALSE(notices[2].moving);
    for (const Notice& n : notices) EXPECT_EQ(n.band, 1);
}

TEST_F(PlotTest, PressOnEmptySpaceClearsTheSelectionSilently) {
    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, Centre(*graph, 0));
    notices.clear();
    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, QPoint(300, 60));
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(graph->SelectedBands().empty());
    EXPECT_FALSE(graph->Handles()[0].selected);
}

TEST_F(PlotTest, DraggingToTheFarRightGivesXMaxAtTheRightEdge) {
    const QPoint c = Centre(*graph, 2);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, c);
    QTest::mouseMove(graph.get(), QPoint(525, c.y()));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, QPoint(525, c.y()));
    EXPECT_EQ(graph->FrequencyX(2), 20000.0);
    EXPECT_EQ(Centre(*graph, 2).x(), graph->Area().right);

    // Drawn there: the selected colour over the background just right of the frame.
    const QImage image = Render(*graph);
    const QRgb beside = image.pixel(graph->Area().right + 5, Centre(*graph, 2).y());
    EXPECT_TRUE(Near(beside, 0xFF10B039, 4)) << std::hex << beside;
}

TEST_F(PlotTest, DraggingAboveTheTopGivesYMax) {
    const QPoint c = Centre(*graph, 3);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, c);
    QTest::mouseMove(graph.get(), QPoint(c.x(), 1));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, QPoint(c.x(), 1));
    EXPECT_EQ(graph->GainY(3), 15.0);
    EXPECT_NEAR(graph->FrequencyX(3), 4000.0, 4000.0 * 0.02);
}

// How the pointer leaves the control during a drag.
enum class LeaveBy { MoveOutside, LeaveEvent };

class PlotLeaveTest : public PlotTest, public testing::WithParamInterface<LeaveBy> {};

TEST_P(PlotLeaveTest, EndsTheDragWithTheReleasePair) {
    const QPoint c = Centre(*graph, 2);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, c);
    QTest::mouseMove(graph.get(), c + QPoint(25, 0));
    const double stepped = graph->FrequencyX(2);
    if (GetParam() == LeaveBy::MoveOutside) {
        QTest::mouseMove(graph.get(), QPoint(-5, c.y()));
    } else {
        test::Leave(*graph);
    }
    ASSERT_EQ(notices.size(), 3U);
    EXPECT_FALSE(notices[2].moving);
    EXPECT_FALSE(graph->Dragging());
    EXPECT_EQ(graph->LastMouse(), c + QPoint(25, 0));
    EXPECT_EQ(graph->FrequencyX(2), stepped);

    // The rest of the gesture moves nothing.
    QTest::mouseMove(graph.get(), c + QPoint(60, 0));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, c + QPoint(60, 0));
    EXPECT_EQ(notices.size(), 3U);
    EXPECT_EQ(graph->FrequencyX(2), stepped);
}

INSTANTIATE_TEST_SUITE_P(Ways, PlotLeaveTest,
                         testing::Values(LeaveBy::MoveOutside, LeaveBy::LeaveEvent));

TEST_F(PlotTest, LeavingWithoutADragSendsNothing) {
    test::Leave(*graph);
    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, Centre(*graph, 0));
    notices.clear();
    test::Leave(*graph);
    EXPECT_TRUE(notices.empty());
}

struct DoubleClickCase {
    const char* name;
    bool onHandle;
    int reports;
    std::size_t notices;  // pointChanged in all, the click on band 0 beforehand included
};

class PlotDoubleClickTest : public PlotTest, public testing::WithParamInterface<DoubleClickCase> {};

TEST_P(PlotDoubleClickTest, ReportsTheSelectedBand) {
    // Band 0 is selected beforehand: a double-click on empty space clears it with its first
    // press, so nothing is left to report.
    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, Centre(*graph, 0));
    QSignalSpy spy(graph.get(), &CMultiColorPlotCtrl::pointDoubleClicked);
    test::DoubleClick(*graph, GetParam().onHandle ? Centre(*graph, 3) : QPoint(300, 60));
    ASSERT_EQ(spy.count(), GetParam().reports);
    if (GetParam().reports == 1) {
        EXPECT_EQ(spy[0][0].toInt(), 3);
        EXPECT_EQ(spy[0][1].toInt(), 1);
    }
    // The double-click takes the place of the second press: no drag, no second release.
    EXPECT_FALSE(graph->Dragging());
    EXPECT_EQ(notices.size(), GetParam().notices);
}

INSTANTIATE_TEST_SUITE_P(Table, PlotDoubleClickTest,
                         testing::Values(DoubleClickCase{"OnHandle", true, 1, 4},
                                         DoubleClickCase{"OnEmptySpace", false, 0, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the control's own handling ----

struct NotifyCase {
    const char* name;
    int band;
    int phase;
    bool copies;
};

class PlotNotifyTest : public PlotTest, public testing::WithParamInterface<NotifyCase> {};

TEST_P(PlotNotifyTest, CopiesOnlyFromAMatchingSelectedHandle) {
    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, Centre(*graph, 1));
    // Values the handles do not hold yet: a copy from a handle puts its own back.
    for (int band = 0; band < 5; ++band) {
        graph->SetFrequencyX(band, 555.0);
        graph->SetGainY(band, -5.0);
    }
    std::vector<HandleBox> boxes;
    for (const PlotHandle& h : graph->Handles()) boxes.push_back(h.box);

    graph->OnPlotNotify(GetParam().band, GetParam().phase);
    EXPECT_EQ(graph->Moving(), GetParam().phase == 1);
    for (int band = 0; band < 5; ++band) {
        const bool copied = GetParam().copies && band == GetParam().band;
        EXPECT_EQ(graph->FrequencyX(band), copied ? kBandHz[band] : 555.0) << band;
        EXPECT_EQ(graph->GainY(band), copied ? 0.0 : -5.0) << band;
    }
    // A copy refreshes every handle from the values, which moves the others.
    if (GetParam().copies) return;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(graph->Handles()[i].box, boxes[i]) << i;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PlotNotifyTest, testing::Values(
    NotifyCase{"SelectedBand", 1, 1, true},
    NotifyCase{"SelectedBandRelease", 1, 0, true},
    NotifyCase{"UnselectedBand", 0, 1, false},
    NotifyCase{"BeyondTheBandCount", 7, 1, false},
    NotifyCase{"BeyondTheArrays", 40, 0, false},
    NotifyCase{"Negative", -1, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- handle kinds ----

TEST_F(PlotTest, PassBandHandlesAreLabelledAndLimited) {
    Build({kHandleHighPass, 1, 1, 1, kHandleLowPass});
    EXPECT_EQ(graph->Handles()[0].label, "H");
    EXPECT_EQ(graph->Handles()[1].label, "2");
    EXPECT_EQ(graph->Handles()[4].label, "L");

    // "L" does not move: its press and release report, its moves do not.
    const QPoint low = Centre(*graph, 4);
    const HandleBox lowBox = graph->Handles()[4].box;
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, low);
    QTest::mouseMove(graph.get(), low + QPoint(-60, -50));
    QTest::mouseMove(graph.get(), low + QPoint(-90, -70));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, low + QPoint(-90, -70));
    ASSERT_EQ(notices.size(), 2U);
    EXPECT_FALSE(notices[0].moving);
    EXPECT_FALSE(notices[1].moving);
    EXPECT_EQ(graph->FrequencyX(4), 10000.0);
    EXPECT_EQ(graph->GainY(4), 0.0);
    EXPECT_EQ(graph->Handles()[4].box, lowBox);

    // "H" moves along the frequency axis only.
    const QPoint high = Centre(*graph, 0);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, high);
    QTest::mouseMove(graph.get(), high + QPoint(40, -60));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, high + QPoint(40, -60));
    EXPECT_GT(graph->FrequencyX(0), 100.0);
    EXPECT_EQ(graph->GainY(0), 0.0);
    EXPECT_EQ(Centre(*graph, 0).y(), high.y());
}

TEST(PlotBandCountTest, HandlesReachAtMostTheirArrays) {
    struct Case {
        int count;
        std::size_t handles;
    };
    for (const Case c : {Case{-3, 0}, Case{0, 0}, Case{32, 32}, Case{33, 32}, Case{1000, 32}}) {
        CMultiColorPlotCtrl graph;
        graph.resize(530, 300);
        graph.SetBandCount(c.count);
        graph.InitPlot();
        Render(graph);
        EXPECT_EQ(graph.Handles().size(), c.handles) << c.count;
        EXPECT_EQ(graph.CurveCache().ComputedBands(), std::min(static_cast<int>(c.handles), 20))
            << c.count;
    }
}

// ---- fader mode ----

TEST(PlotFaderTest, HandlesMoveOnlyVertically) {
    CMultiColorPlotCtrl graph(&test::Page());
    graph.setGeometry(0, 0, 600, 200);
    graph.SetBandCount(6);
    graph.SetXMin(0.0);
    graph.SetXMax(7.0);
    graph.SetMode(CMultiColorPlotCtrl::kModeFaders);
    graph.SetYMax(15.0);
    graph.SetYMin(-15.0);
    for (int band = 0; band < 6; ++band) graph.SetFrequencyX(band, band + 1.0);
    graph.InitPlot();
    graph.show();
    Render(graph);

    const HandleBox& box = graph.Handles()[1].box;
    const QPoint c(box.CentreX(), box.CentreY());
    QTest::mousePress(&graph, Qt::LeftButton, {}, c);
    QTest::mouseMove(&graph, c + QPoint(70, -34));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, c + QPoint(70, -34));
    EXPECT_EQ(graph.FrequencyX(1), 2.0);
    EXPECT_DOUBLE_EQ(graph.GainY(1), 34.0 * 30.0 / 170.0);
    EXPECT_EQ(graph.Handles()[1].box.CentreX(), c.x());

    // Among all handles: an unselected fader hands over its values too.
    graph.SetGainY(4, 9.0);
    graph.OnPlotNotify(4, 0);
    EXPECT_EQ(graph.GainY(4), 0.0);
}

// ---- placement after changes ----

TEST_F(PlotTest, RefreshHandlesMovesHandlesToTheirValues) {
    graph->SetFrequencyX(1, 20000.0);
    graph->SetGainY(1, -15.0);
    EXPECT_EQ(Centre(*graph, 1).x(), TruncPixel(LogAxisX(graph->Area(), graph->Range(), 250)));
    graph->RefreshHandles();
    EXPECT_EQ(Centre(*graph, 1), QPoint(graph->Area().right, 269));
    EXPECT_EQ(graph->Handles()[1].x, 20000.0);
}

TEST_F(PlotTest, HandlesFollowTheControlsSize) {
    graph->resize(265, 150);
    EXPECT_EQ(graph->Area(), ComputePlotArea(265, 150, true));
    for (int band = 0; band < 5; ++band) {
        EXPECT_EQ(graph->Handles()[static_cast<std::size_t>(band)].box,
                  PlaceHandle(kScaleLogarithmic, graph->Area(), graph->Range(), kBandHz[band], 0))
            << band;
    }
}

// ---- painting ----

TEST(PlotPaintTest, CurveBelowTheRangeIsDrawnOnTheBottomEdge) {
    auto graph = MakeGraph();
    graph->SetBandInput(2, {-20.0, 1.4, 2000.0, kShapePeaking, 1, 0});
    const QImage image = Render(*graph);
    const PlotArea& a = graph->Area();
    const int x = TruncPixel(LogAxisX(a, graph->Range(), 2000.0));
    EXPECT_TRUE(Near(image.pixel(x, a.bottom), kPlotTotal, 12)) << std::hex << image.pixel(x, 270);
    for (int y = a.bottom + 3; y < image.height(); ++y) {
        EXPECT_EQ(image.pixel(x, y), kPlotBackground) << y;
    }
}

TEST(PlotPaintTest, MiddleGridLineCoversTheRowsOfAZeroDbHandle) {
    CMultiColorPlotCtrl graph;
    graph.resize(530, 300);
    graph.SetMode(CMultiColorPlotCtrl::kModeFaders);
    graph.SetBandCount(0);
    graph.SetYMax(15.0);
    graph.SetYMin(-15.0);
    graph.InitPlot();
    const QImage image = Render(graph);
    const PlotArea& a = graph.Area();
    const int x = a.left + 150;
    const int line = GridLineY(a, 5);
    EXPECT_EQ(image.pixel(x, line - 2), kPlotBackground);
    EXPECT_EQ(image.pixel(x, line - 1), kPlotGrid);
    EXPECT_EQ(image.pixel(x, line), kPlotGrid);
    EXPECT_EQ(image.pixel(x, line + 1), kPlotBackground);
    const int centre = PlaceHandle(kScaleLogarithmic, a, graph.Range(), 1000.0, 0.0).CentreY();
    EXPECT_TRUE(centre == line - 1 || centre == line) << centre;
}

TEST(PlotPaintTest, EveryPixelIsPaintedOpaque) {
    auto graph = MakeGraph();
    const QImage image = Render(*graph);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(qAlpha(image.pixel(x, y)), 255);
    }
}

// ---- the cache ----

TEST_F(PlotTest, RepaintsRecomputeOnlyWhatChanged) {
    const PlotCurveCache& cache = graph->CurveCache();
    ASSERT_EQ(cache.Computations(), 1);
    ASSERT_EQ(cache.Layouts(), 1);

    Render(*graph);
    EXPECT_EQ(cache.Computations(), 1);

    // Selecting and dragging a handle changes handle values, not band inputs.
    const QPoint c = Centre(*graph, 2);
    QTest::mousePress(graph.get(), Qt::LeftButton, {}, c);
    QTest::mouseMove(graph.get(), c + QPoint(20, -20));
    QTest::mouseRelease(graph.get(), Qt::LeftButton, {}, c + QPoint(20, -20));
    Render(*graph);
    EXPECT_EQ(cache.Computations(), 1);
    EXPECT_EQ(cache.Layouts(), 1);
    EXPECT_EQ(graph->Backdrop().Redraws(), 1);

    graph->SetBandInput(2, {6.0, 2.0, 1000.0, kShapePeaking, 1, 0});
    Render(*graph);
    EXPECT_EQ(cache.Computations(), 2);
    EXPECT_EQ(cache.Layouts(), 2);
    EXPECT_EQ(graph->Backdrop().Redraws(), 2);

    graph->SetBandInput(2, {6.0, 2.0, 1000.0, kShapePeaking, 1, 0});
    Render(*graph);
    EXPECT_EQ(cache.Computations(), 2);

    graph->resize(500, 280);
    Render(*graph);
    EXPECT_EQ(cache.Computations(), 2);
    EXPECT_EQ(cache.Layouts(), 3);

    graph->SetYMin(-20.0);
    Render(*graph);
    EXPECT_EQ(cache.Computations(), 2);
    EXPECT_EQ(cache.Layouts(), 4);

    graph->SetBandCount(4);
    Render(*graph);
    EXPECT_EQ(cache.Computations(), 3);

    graph->SetShowText(false);
    const int redraws = graph->Backdrop().Redraws();
    Render(*graph);
    EXPECT_EQ(graph->Backdrop().Redraws(), redraws + 1);
    EXPECT_EQ(cache.Computations(), 3);
}

TEST_F(PlotTest, RepaintShowsChangedInputsAndHandles) {
    const QImage before = Render(*graph);
    graph->SetBandInput(2, {9.0, 2.0, 1000.0, kShapePeaking, 1, 0});
    const QImage boosted = Render(*graph);
    // The boost fills the column beside 1000 Hz (its grid line) above the middle row.
    const int x = Centre(*graph, 2).x() + 4;
    EXPECT_EQ(before.pixel(x, 80), kPlotBackground);
    EXPECT_TRUE(Near(boosted.pixel(x, 80), kPlotTotal, 0));

    QTest::mouseClick(graph.get(), Qt::LeftButton, {}, Centre(*graph, 4));
    const QImage selected = Render(*graph);
    // Beside the label, over the total curve's outline on the middle row: the handle's colour
    // before, the translucent selected colour over the outline after.
    const QPoint c = Centre(*graph, 4) + QPoint(-5, 0);
    EXPECT_TRUE(Near(boosted.pixel(c), kHandleNormal, 0)) << std::hex << boosted.pixel(c);
    EXPECT_TRUE(Near(selected.pixel(c), 0xFF10C251, 6)) << std::hex << selected.pixel(c);
}

// ---- keyboard ----

class KeyCountingPage : public QWidget {
  public:
    int keys = 0;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++keys;
        event->accept();
    }
};

TEST(PlotKeyTest, KeysGoNoFurtherThanTheGraph) {
    KeyCountingPage page;
    page.resize(600, 400);
    auto* graph = new CMultiColorPlotCtrl(&page);
    graph->setGeometry(10, 10, 530, 300);
    auto* other = new QWidget(&page);
    other->setFocusPolicy(Qt::StrongFocus);
    int shortcuts = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_S), &page);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++shortcuts; });
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));

    Render(*graph);
    QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(300, 60));
    EXPECT_TRUE(graph->hasFocus());

    for (const Qt::Key key : {Qt::Key_A, Qt::Key_S, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Return}) {
        QTest::keyClick(graph, key);
    }
    EXPECT_EQ(page.keys, 0);
    EXPECT_EQ(shortcuts, 0);
    EXPECT_TRUE(graph->hasFocus());

    // The shortcut works where the graph has no focus.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_S);
    EXPECT_EQ(shortcuts, 1);
}

}  // namespace
}  // namespace quavelo
