#include "widgets/PngButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "WidgetTestSupport.h"
#include "widgets/PngResource.h"

namespace quavelo {
namespace {

using test::Page;
using test::Render;

std::unique_ptr<PngButton> MakeSwitch(int checked) {
    auto button = std::make_unique<PngButton>(&Page());
    button->SetSizeMode(1);
    button->SetImages2(144, 145);
    button->SetChecked(checked);
    button->show();
    return button;
}

enum class Pointer { Away, Over, Down };

class SwitchPointerTest : public testing::TestWithParam<Pointer> {};

TEST_P(SwitchPointerTest, ShowsTheImageOfItsCheckedStateOnly) {
    for (int checked : {0, 1}) {
        auto button = MakeSwitch(checked);
        if (GetParam() != Pointer::Away) test::Enter(*button);
        if (GetParam() == Pointer::Down)
            QTest::mousePress(button.get(), Qt::LeftButton, {}, {5, 5});
        ASSERT_EQ(button->isDown(), GetParam() == Pointer::Down);

        const QImage expected = LoadPngResource(checked ? 145 : 144);
        EXPECT_LE(test::MaxDifference(Render(*button), expected), 2) << "checked " << checked;
        if (GetParam() == Pointer::Down)
            QTest::mouseRelease(button.get(), Qt::LeftButton, {}, {5, 5});
    }
}

INSTANTIATE_TEST_SUITE_P(States, SwitchPointerTest,
                         testing::Values(Pointer::Away, Pointer::Over, Pointer::Down));

TEST(PngButtonTest, SwitchDoesNotFlipItself) {
    auto button = MakeSwitch(0);
    QSignalSpy clicks(button.get(), &QAbstractButton::clicked);
    QTest::mouseClick(button.get(), Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->Checked(), 0);
}

struct SizeCase {
    int mode;
    QSize expected;
};

class SizeModeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeModeTest, SizesTheControlFromTheFirstImage) {
    PngButton button(&Page());
    button.setGeometry(420, 500, 65, 30);
    button.SetSizeMode(GetParam().mode);
    button.SetImages3(190, 190, 190);  // 102 x 50
    EXPECT_EQ(button.size(), GetParam().expected);
    EXPECT_EQ(button.ImageSize(), GetParam().expected);
    EXPECT_EQ(button.pos(), QPoint(420, 500));
}

INSTANTIATE_TEST_SUITE_P(Modes, SizeModeTest,
                         testing::Values(SizeCase{0, {65, 30}}, SizeCase{1, {102, 50}},
                                         SizeCase{2, {51, 25}}));

TEST(PngButtonTest, DoubleClickGivesTwoClicks) {
    PngButton button(&Page());
    button.SetButtonKind(PngButton::kPushButton);
    button.resize(62, 28);
    button.SetImages3(191, 192, 192);
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    test::DoubleClick(button, {10, 10});
    EXPECT_EQ(clicks.count(), 2);
}

TEST(PngButtonTest, PushButtonWithOneImageStillHoversAndClicks) {
    PngButton button(&Page());
    button.SetButtonKind(PngButton::kPushButton);
    button.resize(40, 30);
    button.SetImages3(171, 171, 171);
    button.show();
    const QImage idle = Render(button);

    test::Enter(button);
    EXPECT_TRUE(button.Hovering());
    EXPECT_EQ(test::MaxDifference(Render(button), idle), 0);

    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, {10, 10});
    EXPECT_EQ(test::MaxDifference(Render(button), idle), 0);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {10, 10});
    EXPECT_EQ(clicks.count(), 1);

    test::Leave(button);
    EXPECT_FALSE(button.Hovering());
}

TEST(PngButtonTest, PushButtonShowsPressedAndHoverImages) {
    PngButton button(&Page());
    button.SetButtonKind(PngButton::kPushButton);
    button.SetDrawCaption(false);
    button.SetSizeMode(1);
    button.SetImages3(191, 192, 180);
    button.show();
    const QImage normal = Render(button);
    EXPECT_LE(test::MaxDifference(normal, LoadPngResource(191)), 2);
    test::Enter(button);
    const QImage hover = Render(button);
    EXPECT_GT(test::MaxDifference(hover, normal), 20);
    button.setDown(true);
    const QImage pressed = Render(button);
    EXPECT_LE(test::MaxDifference(pressed, LoadPngResource(192)), 2);
    EXPECT_GT(test::MaxDifference(pressed, hover), 20);
}

TEST(PngButtonTest, SizeModeZeroFollowsTheControl) {
    PngButton button(&Page());
    button.resize(65, 30);
    button.SetImages2(191, 192);
    button.resize(80, 25);
    EXPECT_EQ(button.ImageSize(), QSize(80, 25));
}

TEST(PngButtonTest, CaptionFollowsTheStateWhenAsked) {
    QWidget parent(&Page());
    QFont big = parent.font();
    big.setPixelSize(24);
    big.setBold(true);
    parent.setFont(big);
    PngButton button(&parent);
    button.SetButtonKind(PngButton::kPushButton);
    button.SetChangeCaptionColor(true);
    button.SetNormalCaptionColor(0xFF00FF00);
    button.SetActiveCaptionColor(0xFFFF0000);
    button.setText(QStringLiteral("MMMM"));
    button.resize(65, 30);
    button.SetImages3(191, 192, 192);
    button.show();

    auto countColour = [&](QColor colour) {
        const QImage image = Render(button);
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
        }
        return n;
    };
    EXPECT_GT(countColour(Qt::green), 0);
    EXPECT_EQ(countColour(Qt::red), 0);
    test::Enter(button);
    EXPECT_GT(countColour(Qt::red), 0);
    EXPECT_EQ(countColour(Qt::green), 0);
}

}  // namespace
}  // namespace quavelo
