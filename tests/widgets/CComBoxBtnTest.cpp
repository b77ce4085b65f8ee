#include "widgets/CComBoxBtn.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include "WidgetTestSupport.h"
#include "widgets/CDropList.h"
#include "widgets/CListWnd.h"

namespace quavelo {
namespace {

class DropDownTest : public testing::Test {
  protected:
    void Build(const QStringList& items) {
        combo.move(120, 360);
        combo.SetComboBitmaps();
        combo.SetDisabledBitmap(147);
        ASSERT_TRUE(combo.CreateDropDown(1020));
        for (const QString& item : items) combo.List()->AddString(item);
        combo.SetCurSel(0);
        combo.show();
    }

    void Open() {
        QTest::mousePress(&combo, Qt::LeftButton, {}, {10, 10});
        QTest::mouseRelease(&combo, Qt::LeftButton, {}, {10, 10});
        ASSERT_TRUE(combo.ListOpen());
    }

    QWidget* Viewport() { return combo.List()->viewport(); }
    QPoint ItemCentre(int index) {
        return combo.List()->visualItemRect(combo.List()->item(index)).center();
    }

    void Wheel(int delta) {
        const QPointF at(10, 10);
        QWheelEvent event(at, combo.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&combo, &event);
    }

    CComBoxBtn combo{&test::Page()};
    QSignalSpy choices{&combo, &CComBoxBtn::choiceMade};
};

TEST_F(DropDownTest, TakesTheBitmapSizeAndKeepsItsPlace) {
    Build({"LOW", "MID", "HIGH"});
    EXPECT_EQ(combo.geometry(), QRect(120, 360, 78, 28));
    EXPECT_EQ(combo.text(), QStringLiteral("LOW"));
}

struct HeightCase {
    int items;
    int height;
    bool scrollBar;
};

class ListHeightTest : public DropDownTest, public testing::WithParamInterface<HeightCase> {};

TEST_P(ListHeightTest, FirstPressOpensTheListBelowTheButton) {
    QStringList items;
    for (int i = 0; i < GetParam().items; ++i) items << QStringLiteral("Item %1").arg(i);
    Build(items);
    Open();
    const QRect list = combo.Popup()->geometry();
    const QPoint buttonBottomLeft = combo.mapToGlobal(QPoint(0, combo.height()));
    EXPECT_EQ(list.top(), buttonBottomLeft.y() - 1);
    EXPECT_EQ(list.bottom() + 1, buttonBottomLeft.y() + GetParam().height);
    EXPECT_EQ(list.left(), buttonBottomLeft.x());
    EXPECT_EQ(list.width(), 78);
    EXPECT_EQ(combo.List()->verticalScrollBar()->isVisible(), GetParam().scrollBar);
}

INSTANTIATE_TEST_SUITE_P(Items, ListHeightTest,
                         testing::Values(HeightCase{1, 40, false}, HeightCase{3, 120, false},
                                         HeightCase{5, 200, false}, HeightCase{6, 200, true},
                                         HeightCase{8, 200, true}, HeightCase{0, 200, false}));

TEST_F(DropDownTest, SecondPressClosesTheList) {
    Build({"LOW", "MID", "HIGH"});
    Open();
    QTest::mousePress(&combo, Qt::LeftButton, {}, {10, 10});
    EXPECT_FALSE(combo.ListOpen());
}

struct SelCase {
    int index;
    int shown;
};

class SetCurSelTest : public DropDownTest, public testing::WithParamInterface<SelCase> {};

TEST_P(SetCurSelTest, HoldsTheIndexToTheItemsAndReportsNothing) {
    Build({"LOW", "MID", "HIGH"});
    combo.SetCurSel(GetParam().index);
    EXPECT_EQ(combo.GetCurSel(), GetParam().shown);
    EXPECT_EQ(combo.text(), combo.List()->item(GetParam().shown)->text());
    test::DeliverPosted();
    EXPECT_EQ(choices.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Indices, SetCurSelTest,
                         testing::Values(SelCase{-1, 0}, SelCase{0, 0}, SelCase{2, 2},
                                         SelCase{3, 2}, SelCase{5, 2}));

TEST_F(DropDownTest, ClickOnAnItemChoosesIt) {
    Build({"LOW", "MID", "HIGH"});
    Open();
    test::Hover(*Viewport(), ItemCentre(2));
    EXPECT_EQ(combo.GetCurSel(), 2) << "the item under the pointer is highlighted";
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, ItemCentre(1));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, ItemCentre(1));
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(combo.text(), QStringLiteral("MID"));
    EXPECT_TRUE(combo.Hover());
    EXPECT_EQ(choices.count(), 0) << "posted, not sent";
    test::DeliverPosted();
    ASSERT_EQ(choices.count(), 1);
    EXPECT_EQ(choices.at(0), (QList<QVariant>{1020, 1}));
    EXPECT_EQ(combo.List()->SavedSelection(), 1);
}

TEST_F(DropDownTest, HeadingCannotBeChosen) {
    combo.SetComboBitmaps();
    ASSERT_TRUE(combo.CreateDropDown(1021));
    combo.List()->AddHeading(QStringLiteral("Corner"));
    combo.List()->AddString(QStringLiteral("75Hz"));
    combo.List()->AddString(QStringLiteral("150Hz"));
    combo.SetCurSel(1);
    combo.show();
    Open();
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, ItemCentre(0));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, ItemCentre(0));
    test::DeliverPosted();
    EXPECT_TRUE(combo.ListOpen());
    EXPECT_EQ(choices.count(), 0);
    EXPECT_EQ(combo.text(), QStringLiteral("75Hz"));
}

TEST_F(DropDownTest, ReleaseOutsideRestoresThePreviousChoice) {
    Build({"LOW", "MID", "HIGH"});
    combo.SetCurSel(2);
    Open();
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, ItemCentre(0));
    const QPoint outside = ItemCentre(0) + QPoint(300, 0);
    QTest::mouseMove(Viewport(), outside);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, outside);
    test::DeliverPosted();
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(choices.count(), 0);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.text(), QStringLiteral("HIGH"));
}

struct WheelCase {
    const char* name;
    int start;
    std::vector<int> deltas;
    int expected;
    int reports;
};

class WheelTest : public DropDownTest, public testing::WithParamInterface<WheelCase> {};

TEST_P(WheelTest, StepsOneItemPerNotch) {
    Build({"LOW", "MID", "HIGH"});
    combo.SetCurSel(GetParam().start);
    for (int delta : GetParam().deltas) Wheel(delta);
    test::DeliverPosted();
    EXPECT_EQ(combo.GetCurSel(), GetParam().expected);
    ASSERT_EQ(choices.count(), GetParam().reports);
    if (GetParam().reports > 0) {
        EXPECT_EQ(choices.last(), (QList<QVariant>{1020, GetParam().expected}));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Notches, WheelTest, testing::Values(
    WheelCase{"DownAtLastKeepsItAndReports", 2, {-120}, 2, 1},
    WheelCase{"Down", 0, {-120}, 1, 1},
    WheelCase{"Up", 2, {120}, 1, 1},
    WheelCase{"UpAtFirst", 0, {120}, 0, 1},
    WheelCase{"HalfNotchWaits", 0, {-60}, 0, 0},
    WheelCase{"TwoHalvesMakeANotch", 0, {-60, -60}, 1, 1},
    WheelCase{"LargeDeltaIsOneStep", 0, {-480}, 1, 1},
    WheelCase{"TwoNotches", 0, {-120, -120}, 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(DropDownEmptyTest, WheelOnAnEmptyListReportsNothing) {
    CComBoxBtn combo(&test::Page());
    combo.SetComboBitmaps();
    ASSERT_TRUE(combo.CreateDropDown(1020));
    QSignalSpy choices(&combo, &CComBoxBtn::choiceMade);
    const QPointF at(5, 5);
    QWheelEvent event(at, combo.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&combo, &event);
    combo.SetCurSel(3);
    test::DeliverPosted();
    EXPECT_EQ(choices.count(), 0);
    EXPECT_EQ(combo.GetCurSel(), -1);
}

TEST_F(DropDownTest, DisabledLookChoosesTheBitmap) {
    Build({"LOW", "MID", "HIGH"});
    const QImage normal = test::Render(combo);
    combo.setEnabled(false);
    combo.SetDisabledLook(true);
    EXPECT_EQ(test::MaxDifference(test::Render(combo), normal), 0);
    combo.SetDisabledLook(false);
    EXPECT_GT(test::MaxDifference(test::Render(combo), normal), 20);
}

TEST_F(DropDownTest, HoverShowsTheHoverBitmap) {
    Build({"LOW", "MID", "HIGH"});
    const QImage normal = test::Render(combo);
    test::Enter(combo);
    EXPECT_TRUE(combo.Hover());
    EXPECT_GT(test::MaxDifference(test::Render(combo), normal), 20);
    test::Leave(combo);
    EXPECT_FALSE(combo.Hover());
}

}  // namespace
}  // namespace quavelo
