#include "widgets/ImageSlider.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "WidgetTestSupport.h"
#include "widgets/ControlId.h"

namespace quavelo {
namespace {

using Report = QList<QVariant>;  // control id, position

// The pages' horizontal gain slider: 0..100 over 300 pixels, at 50.
class SliderTest : public testing::Test {
  protected:
    void SetUp() override {
        SetControlId(&slider, 1028);
        slider.SetChannelImages(SkinImage::GainSliderFill, SkinImage::GainSliderChannel);
        slider.SetThumbImages(SkinImage::HorizontalThumb, SkinImage::HorizontalThumb);
        slider.SetPos(50);
        slider.show();
    }
    // Grips the thumb and moves the pointer along the slider through `along`, then lets go.
    void Drag(std::initializer_list<int> along) {
        const auto at = [this](int a) { return slider.Vertical() ? QPoint(26, a) : QPoint(a, 30); };
        QTest::mousePress(&slider, Qt::LeftButton, {}, at(slider.ThumbCentre()));
        for (int a : along) QTest::mouseMove(&slider, at(a));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, at(*(along.end() - 1)));
        test::DeliverPosted();
    }

    ImageSlider slider{&test::Page()};
    QSignalSpy moving{&slider, &ImageSlider::moving};
    QSignalSpy released{&slider, &ImageSlider::released};
};

TEST_F(SliderTest, DragStopsAtTheEndsAndReleasesOnce) {
    Drag({-80, -90, 480, 490});  // past each end twice: the second step changes nothing
    EXPECT_EQ(moving, (QList<Report>{{1028, 0}, {1028, 100}}));
    EXPECT_EQ(released, (QList<Report>{{1028, 100}}));
}

TEST_F(SliderTest, KeysStepWithinTheRangeAndReportAsReleased) {
    // clang-format off
    const struct { int start; Qt::Key key; int pos; } keys[] = {
        {90, Qt::Key_PageDown, 100}, {50, Qt::Key_PageDown, 70}, {10, Qt::Key_PageUp, 0},
        {50, Qt::Key_Home, 0}, {50, Qt::Key_End, 100}, {50, Qt::Key_Left, 49},
        {0, Qt::Key_Up, 0}, {99, Qt::Key_Right, 100}, {100, Qt::Key_Down, 100}};
    // clang-format on
    for (const auto& k : keys) {
        released.clear();
        slider.SetPos(k.start);
        QTest::keyClick(&slider, k.key);
        test::DeliverPosted();
        EXPECT_EQ(released, (QList<Report>{{1028, k.pos}})) << k.start << " key " << k.key;
    }
    EXPECT_EQ(moving.count(), 0);
}

// A held key is reported as a drag: its first press as a key, each repeat that changes the value
// as a drag step, letting go as the release.
TEST_F(SliderTest, AHeldKeyIsReportedAsADrag) {
    slider.SetPos(97);
    test::HoldKey(slider, Qt::Key_Right, 4);
    EXPECT_EQ(moving, (QList<Report>{{1028, 99}, {1028, 100}}));
    EXPECT_EQ(released, (QList<Report>{{1028, 98}, {1028, 100}}));
}

// The focus mark shows while the slider has the focus and the keyboard is in use: not after a
// click, nor once the focus has gone.
TEST_F(SliderTest, TheFocusMarkShowsOnlyWhileTheKeyboardIsInUse) {
    test::Page().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&test::Page()));
    slider.clearFocus();
    const QImage plain = slider.grab().toImage();
    QTest::mouseClick(&slider, Qt::LeftButton, {}, {slider.ThumbCentre(), 30});
    ASSERT_TRUE(slider.hasFocus());
    EXPECT_EQ(slider.grab().toImage(), plain) << "clicked";
    QTest::keyClick(&slider, Qt::Key_Shift);
    EXPECT_NE(slider.grab().toImage(), plain) << "a key pressed";
    slider.clearFocus();
    EXPECT_EQ(slider.grab().toImage(), plain) << "focus gone";
}

TEST_F(SliderTest, DisabledSliderIgnoresInput) {
    slider.setEnabled(false);
    QTest::keyClick(&slider, Qt::Key_End);
    Drag({250, 280});
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_EQ(moving.count() + released.count(), 0);
}

// The band sliders stand upright with their minimum at the top.
TEST_F(SliderTest, VerticalMinIsAtTheTop) {
    slider.SetVertical(true);
    slider.SetChannelImages(SkinImage::BandSliderFill, SkinImage::BandSliderChannel);
    Drag({260, 5});
    EXPECT_EQ(moving, (QList<Report>{{1028, 100}, {1028, 0}}));
}

}  // namespace
}  // namespace quavelo
