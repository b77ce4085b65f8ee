#include "widgets/CBitmapSlider.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "WidgetTestSupport.h"
#include "widgets/ControlId.h"
#include "widgets/PngResource.h"
#include "widgets/WidgetMessages.h"

namespace quavelo {
namespace {

// ---- the value <-> pixel maths ----

struct PixelCase {
    const char* name;
    SliderAxis axis;
    int pos;
    int pixel;
};

class PosToPixelTest : public testing::TestWithParam<PixelCase> {};

TEST_P(PosToPixelTest, PlacesTheThumbCentre) {
    EXPECT_EQ(PosToPixel(GetParam().axis, GetParam().pos), GetParam().pixel);
}

constexpr SliderAxis kPlain{0, 100, 300, 24, 0, 0};   // travel 276
constexpr SliderAxis kMicGain{0, 47, 300, 24, 2, 2};  // the pages' gain sliders, travel 272
constexpr SliderAxis kBand{0, 300, 272, 24, 2, 2};    // vertical band sliders, travel 244

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PosToPixelTest, testing::Values(
    PixelCase{"Middle", kPlain, 50, 150},
    PixelCase{"Min", kPlain, 0, 12},
    PixelCase{"Max", kPlain, 100, 288},
    PixelCase{"GainMin", kMicGain, 0, 14},
    PixelCase{"GainOne", kMicGain, 1, 19},
    PixelCase{"GainMax", kMicGain, 47, 286},
    PixelCase{"BandCentre", kBand, 150, 136},
    PixelCase{"NoRange", SliderAxis{5, 5, 300, 24, 0, 0}, 5, 12},
    PixelCase{"NoTravel", SliderAxis{0, 100, 24, 24, 0, 0}, 50, 12},
    PixelCase{"NegativeTravel", SliderAxis{0, 100, 20, 24, 2, 2}, 100, 14}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class PixelToPosTest : public testing::TestWithParam<PixelCase> {};

TEST_P(PixelToPosTest, ReadsTheValue) {
    EXPECT_EQ(PixelToPos(GetParam().axis, GetParam().pixel), GetParam().pos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PixelToPosTest, testing::Values(
    PixelCase{"Middle", kPlain, 50, 150},
    PixelCase{"First", kPlain, 0, 12},
    PixelCase{"Last", kPlain, 100, 288},
    PixelCase{"BeyondLast", kPlain, 100, 289},
    PixelCase{"BeforeFirst", kPlain, 0, -500},
    PixelCase{"TruncatesTowardZero", kMicGain, 0, 19},
    PixelCase{"GainOne", kMicGain, 1, 20},
    PixelCase{"NoRange", SliderAxis{7, 7, 300, 24, 0, 0}, 7, 200},
    PixelCase{"NoTravel", SliderAxis{0, 100, 24, 24, 0, 0}, 0, 200}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct GripCase {
    int press;
    int offset;
};

class DragOffsetTest : public testing::TestWithParam<GripCase> {};

TEST_P(DragOffsetTest, KeepsTheGripOnlyOnTheThumb) {
    EXPECT_EQ(DragOffset(kPlain, 50, GetParam().press), GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(Table, DragOffsetTest,
                         testing::Values(GripCase{150, 0}, GripCase{152, 2}, GripCase{162, 12},
                                         GripCase{163, 0}, GripCase{138, -12}, GripCase{137, 0},
                                         GripCase{250, 0}));

TEST(DragTargetTest, HoldsTheThumbOnItsTravel) {
    EXPECT_EQ(DragTarget(kPlain, -50, 0), 12);
    EXPECT_EQ(DragTarget(kPlain, 400, 0), 288);
    EXPECT_EQ(DragTarget(kPlain, 160, 2), 158);
    EXPECT_EQ(DragTarget(SliderAxis{0, 100, 20, 24, 2, 2}, 400, 0), 14);
}

// ---- the widget ----

class SliderTest : public testing::Test {
  protected:
    void SetUp() override {
        SetControlId(&slider, 1028);
        slider.SetChannelImages(193, 173);
        slider.SetThumbImages(153, 153);
        slider.SetPos(50);
        slider.show();
    }

    void Press(int x) { QTest::mousePress(&slider, Qt::LeftButton, {}, {x, 30}); }
    void Drag(int x) { QTest::mouseMove(&slider, {x, 30}); }
    void Release(int x) { QTest::mouseRelease(&slider, Qt::LeftButton, {}, {x, 30}); }

    CBitmapSlider slider{&test::Page()};
    QSignalSpy moving{&slider, &CBitmapSlider::moving};
    QSignalSpy released{&slider, &CBitmapSlider::released};
};

TEST_F(SliderTest, TakesTheFillImageSizeAndCentresTheThumb) {
    EXPECT_EQ(slider.size(), QSize(300, 60));
    EXPECT_EQ(slider.ThumbCentre(), 150);
}

TEST_F(SliderTest, PressBesideTheCentreKeepsTheGrip) {
    Press(152);
    EXPECT_EQ(slider.DragOffsetPixels(), 2);
    EXPECT_EQ(slider.GetPos(), 50);
    Drag(162);
    EXPECT_EQ(slider.ThumbCentre(), PosToPixel(slider.Axis(), slider.GetPos()));
    EXPECT_EQ(slider.GetPos(), PixelToPos(slider.Axis(), 160));
}

TEST_F(SliderTest, PressAwayFromTheThumbJumpsToThePointer) {
    Press(250);
    EXPECT_EQ(slider.DragOffsetPixels(), 0);
    EXPECT_EQ(slider.GetPos(), 86);  // trunc(238 / 276 * 100)
    EXPECT_EQ(moving.count(), 0) << "delivered queued, not during the press";
    test::DeliverPosted();
    ASSERT_EQ(moving.count(), 1);
    EXPECT_EQ(moving.at(0), (QList<QVariant>{1028, 86}));
}

TEST_F(SliderTest, DraggingPastEitherEndStopsAtMinAndMax) {
    Press(150);
    Drag(-80);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(slider.ThumbCentre(), 12);
    Drag(480);
    EXPECT_EQ(slider.GetPos(), 100);
    EXPECT_EQ(slider.ThumbCentre(), 288);
    Release(480);
    test::DeliverPosted();
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0), (QList<QVariant>{1028, 100}));
}

TEST_F(SliderTest, DragReportsEachChangeAndOneRelease) {
    Press(150);
    Drag(151);  // same value: nothing to report
    Drag(160);
    Drag(170);
    Drag(180);
    Release(180);
    test::DeliverPosted();
    ASSERT_EQ(moving.count(), 3);
    EXPECT_EQ(moving.at(0), (QList<QVariant>{1028, 53}));
    EXPECT_EQ(moving.at(1), (QList<QVariant>{1028, 57}));
    EXPECT_EQ(moving.at(2), (QList<QVariant>{1028, 60}));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0), (QList<QVariant>{1028, 60}));
    EXPECT_FALSE(slider.Dragging());
}

TEST_F(SliderTest, ActiveThumbIsShownWhileDragging) {
    slider.SetThumbImages(153, 152);
    const QImage idle = test::Render(slider);
    Press(150);
    EXPECT_GT(test::MaxDifference(test::Render(slider), idle), 20);
    Release(150);
    EXPECT_EQ(test::MaxDifference(test::Render(slider), idle), 0);
}

struct KeyCase {
    const char* name;
    int start;
    Qt::Key key;
    int expected;
};

class SliderKeyTest : public SliderTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(SliderKeyTest, StepsAndReportsAsReleased) {
    slider.SetPos(GetParam().start);
    QTest::keyClick(&slider, GetParam().key);
    EXPECT_EQ(slider.GetPos(), GetParam().expected);
    test::DeliverPosted();
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0), (QList<QVariant>{1028, GetParam().expected}));
    EXPECT_EQ(moving.count(), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, SliderKeyTest, testing::Values(
    KeyCase{"PageDownToMax", 90, Qt::Key_PageDown, 100},
    KeyCase{"PageDown", 50, Qt::Key_PageDown, 70},
    KeyCase{"PageUpToMin", 10, Qt::Key_PageUp, 0},
    KeyCase{"Home", 50, Qt::Key_Home, 0},
    KeyCase{"End", 50, Qt::Key_End, 100},
    KeyCase{"Left", 50, Qt::Key_Left, 49},
    KeyCase{"Up", 0, Qt::Key_Up, 0},
    KeyCase{"Right", 99, Qt::Key_Right, 100},
    KeyCase{"DownAtMax", 100, Qt::Key_Down, 100}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(SliderTest, DisabledSliderIgnoresInputAndDrawsThePlainChannel) {
    slider.setEnabled(false);
    Press(250);
    Release(250);
    QTest::keyClick(&slider, Qt::Key_End);
    test::DeliverPosted();
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_EQ(moving.count(), 0);
    EXPECT_EQ(released.count(), 0);
    EXPECT_LE(test::MaxDifference(test::Render(slider), LoadPngResource(173)), 2);
}

TEST_F(SliderTest, EnabledSliderDrawsFillBeforeAndChannelAfterTheThumb) {
    slider.SetThumbImages(0, 0);  // no thumb images: only the channel shows
    const QImage shown = test::Render(slider);
    const QImage fill = LoadPngResource(193);
    const QImage channel = LoadPngResource(173);
    EXPECT_LE(test::MaxDifference(shown.copy(0, 0, 150, 60), fill.copy(0, 0, 150, 60)), 2);
    EXPECT_LE(test::MaxDifference(shown.copy(150, 0, 150, 60), channel.copy(150, 0, 150, 60)), 2);
}

TEST(SliderRangeTest, SetPosHoldsTheValueInRange) {
    CBitmapSlider slider;
    slider.SetRange(0, 47);
    slider.SetPos(48);
    EXPECT_EQ(slider.GetPos(), 47);
    slider.SetPos(-1);
    EXPECT_EQ(slider.GetPos(), 0);
    slider.SetRange(3, 3);
    slider.SetPos(10);
    EXPECT_EQ(slider.GetPos(), 3);
}

TEST(SliderVerticalTest, MinIsAtTheTop) {
    CBitmapSlider slider(&test::Page());
    slider.SetVertical(true);
    slider.SetRange(0, 300);
    slider.SetMargins(4, 0, 2, 2);
    slider.SetChannelImages(188, 186);
    slider.SetThumbImages(152, 152);
    slider.show();
    EXPECT_EQ(slider.size(), QSize(52, 272));
    slider.SetPos(150);
    EXPECT_EQ(slider.ThumbCentre(), 136);
    QTest::mousePress(&slider, Qt::LeftButton, {}, {26, 10});
    EXPECT_EQ(slider.GetPos(), 0);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, {26, 10});
}

}  // namespace
}  // namespace quavelo
