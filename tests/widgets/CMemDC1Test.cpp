#include "widgets/CMemDC1.h"

#include <gtest/gtest.h>

#include <QPicture>

namespace quavelo {
namespace {

TEST(CMemDC1Test, RasterTargetSeesTheDrawingOnlyWhenCopied) {
    QImage target(40, 30, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    {
        CMemDC1 dc(painter);
        EXPECT_TRUE(dc.IsMemoryDC());
        EXPECT_EQ(dc.rect(), QRect(0, 0, 40, 30));
        dc->fillRect(QRect(5, 5, 10, 10), Qt::red);
        EXPECT_EQ(target.pixelColor(7, 7), QColor(Qt::white));
    }
    painter.end();
    EXPECT_EQ(target.pixelColor(7, 7), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(20, 20), QColor(Qt::white));
}

TEST(CMemDC1Test, RectangleFollowsTheTargetTransform) {
    QImage target(40, 30, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    painter.translate(10, 10);
    {
        CMemDC1 dc(painter, QRect(0, 0, 10, 10));
        dc->fillRect(QRect(-5, -5, 30, 30), Qt::blue);  // clipped to the rectangle by the copy
    }
    painter.end();
    EXPECT_EQ(target.pixelColor(10, 10), QColor(Qt::blue));
    EXPECT_EQ(target.pixelColor(19, 19), QColor(Qt::blue));
    EXPECT_EQ(target.pixelColor(9, 9), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(20, 20), QColor(Qt::white));
}

struct BackgroundCase {
    Qt::BGMode mode;
    QColor expected;
};

class CMemDC1BackgroundTest : public testing::TestWithParam<BackgroundCase> {};

TEST_P(CMemDC1BackgroundTest, FillsWithTheBackgroundOnlyInOpaqueMode) {
    QImage target(8, 8, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    painter.setBackgroundMode(GetParam().mode);
    painter.setBackground(Qt::green);
    { CMemDC1 dc(painter); }
    painter.end();
    EXPECT_EQ(target.pixelColor(4, 4), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, CMemDC1BackgroundTest,
                         testing::Values(BackgroundCase{Qt::OpaqueMode, QColor(Qt::green)},
                                         BackgroundCase{Qt::TransparentMode, QColor(Qt::white)}));

TEST(CMemDC1Test, RecordedPictureIsDrawnDirectlyAndStaysVector) {
    QPicture picture;
    QPainter painter(&picture);
    {
        CMemDC1 dc(painter, QRect(0, 0, 400, 300));
        EXPECT_FALSE(dc.IsMemoryDC());
        EXPECT_EQ(&dc.painter(), &painter);
        dc->fillRect(QRect(5, 5, 10, 10), Qt::red);
    }
    painter.end();
    // A 400 x 300 off-screen copy would take far more than a recorded rectangle.
    EXPECT_LT(picture.size(), 1000u);

    QImage replay(400, 300, QImage::Format_ARGB32_Premultiplied);
    replay.fill(Qt::white);
    QPainter player(&replay);
    player.drawPicture(0, 0, picture);
    player.end();
    EXPECT_EQ(replay.pixelColor(7, 7), QColor(Qt::red));
    EXPECT_EQ(replay.pixelColor(20, 20), QColor(Qt::white));
}

}  // namespace
}  // namespace quavelo
