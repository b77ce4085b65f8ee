#include "widgets/CMyProgressCtrl.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "WidgetTestSupport.h"
#include "widgets/MeterFill.h"
#include "widgets/PngResource.h"

namespace quavelo {
namespace {

struct FillCase {
    const char* name;
    int clientWidth;
    int imageWidth;
    int lower;
    int upper;
    int pos;
    int fillWidth;
    int sourceWidth;
};

class MeterFillTest : public testing::TestWithParam<FillCase> {};

TEST_P(MeterFillTest, ShowsTheLeftPartInProportion) {
    const FillCase& c = GetParam();
    const MeterFill fill = MeterFillFor(c.clientWidth, c.imageWidth, c.lower, c.upper, c.pos);
    EXPECT_EQ(fill.fillWidth, c.fillWidth);
    EXPECT_EQ(fill.sourceWidth, c.sourceWidth);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, MeterFillTest, testing::Values(
    FillCase{"Zero", 330, 330, 0, 100, 0, 0, 0},
    FillCase{"ThirtySeven", 330, 330, 0, 100, 37, 122, 122},
    FillCase{"Full", 330, 330, 0, 100, 100, 330, 330},
    FillCase{"BeyondFull", 330, 330, 0, 100, 101, 330, 330},
    FillCase{"BelowZero", 330, 330, 0, 100, -1, 0, 0},
    FillCase{"StretchedImage", 200, 330, 0, 100, 37, 74, 122},
    FillCase{"OffsetRange", 100, 50, 10, 20, 15, 50, 25},
    FillCase{"EmptyRange", 330, 330, 5, 5, 5, 0, 0},
    FillCase{"ReversedRange", 330, 330, 100, 0, 50, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class MeterTest : public testing::Test {
  protected:
    void SetUp() override {
        meter.resize(330, 8);
        meter.SetRange(0, 100);
        meter.SetMeterImages(168, 167);
    }
    CMyProgressCtrl meter{&test::Page()};
    const QImage fill = LoadPngResource(168);
    const QImage background = LoadPngResource(167);
};

TEST_F(MeterTest, PositionZeroShowsOnlyTheBackground) {
    meter.SetPos(0);
    EXPECT_LE(test::MaxDifference(test::Render(meter), background), 2);
}

TEST_F(MeterTest, FullPositionShowsTheWholeFill) {
    meter.SetPos(100);
    QImage expected = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&expected);
    p.drawImage(0, 0, fill);
    p.end();
    EXPECT_LE(test::MaxDifference(test::Render(meter), expected), 2);
}

TEST_F(MeterTest, PositionThirtySevenFills122Pixels) {
    meter.SetPos(37);
    const QImage shown = test::Render(meter);
    QImage expected = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&expected);
    p.drawImage(QPoint(0, 0), fill, QRect(0, 0, 122, 8));
    p.end();
    EXPECT_LE(test::MaxDifference(shown, expected), 2);
}

TEST_F(MeterTest, PositionIsHeldInTheRange) {
    meter.SetPos(250);
    EXPECT_EQ(meter.GetPos(), 100);
    meter.SetPos(-3);
    EXPECT_EQ(meter.GetPos(), 0);
}

}  // namespace
}  // namespace quavelo
