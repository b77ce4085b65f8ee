#include "widgets/CStaticST.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "WidgetTestSupport.h"
#include "widgets/PngResource.h"

namespace quavelo {
namespace {

struct FormatCase {
    const char* name;
    LabelNumber number;
    const char* expected;
};

class LabelFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(LabelFormatTest, FormatsTheReadOut) {
    EXPECT_EQ(FormatLabelNumber(GetParam().number), GetParam().expected);
}

LabelNumber Number(double value, double divisor, double offset, const char* suffix, int offMode = 0,
                   double off1 = 1.0, double off2 = 10.0, const char* prefix = "") {
    return {value, divisor, offset, prefix, suffix, offMode, off1, off2};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, LabelFormatTest, testing::Values(
    FormatCase{"OneDecimal", Number(25, 10, 0, "dB"), "2.5dB"},
    FormatCase{"WholeHasNoDecimal", Number(30, 10, 0, "dB"), "3dB"},
    FormatCase{"OffsetToZero", Number(150, 10, 15, "dB"), "0dB"},
    FormatCase{"BelowOffset", Number(100, 10, 15, "dB"), "-5dB"},
    FormatCase{"NegativeFraction", Number(-25, 10, 0, "dB"), "-2.5dB"},
    FormatCase{"Prefix", Number(7, 1, 0, "Hz", 0, 1, 10, "F:"), "F:7Hz"},
    FormatCase{"OffModeOne", Number(0, 1, 0, "dB", 1, 0, 10, "L"), "LOFF"},
    FormatCase{"OffModeOneOtherValue", Number(10, 1, 0, "dB", 1, 0, 10), "10dB"},
    FormatCase{"OffModeTwo", Number(10, 1, 0, "dB", 2, 0, 10), "OFF"},
    FormatCase{"OffModeTwoIgnoresValueOne", Number(0, 1, 0, "dB", 2, 0, 10), "0dB"},
    FormatCase{"OffModeZeroNeverOff", Number(10, 1, 0, "dB", 0, 10, 10), "10dB"},
    FormatCase{"BeyondInt", Number(1e12, 1, 0, ""), "1000000000000.0"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CStaticSTTest, NumericModeShowsTheFormattedValue) {
    CStaticST label;
    label.SetText(QStringLiteral("ignored"));
    label.SetPlainText(false);
    label.SetValue(25);
    label.SetDivisor(10);
    label.SetSuffix(QStringLiteral("dB"));
    EXPECT_EQ(label.Text(), QStringLiteral("2.5dB"));
    label.SetPlainText(true);
    EXPECT_EQ(label.Text(), QStringLiteral("ignored"));
}

TEST(CStaticSTTest, DoubleClickPostsClickDoubleClickClick) {
    CStaticST label(&test::Page());
    label.resize(80, 20);
    label.show();
    label.SetClickMessage(0x500);
    label.SetDoubleClickMessage(0x501);
    QSignalSpy posted(&label, &CStaticST::posted);
    test::DoubleClick(label, {10, 10});
    EXPECT_EQ(posted.count(), 0) << "posted, not sent";
    test::DeliverPosted();
    ASSERT_EQ(posted.count(), 3);
    EXPECT_EQ(posted.at(0).at(0).toInt(), 0x500);
    EXPECT_EQ(posted.at(1).at(0).toInt(), 0x501);
    EXPECT_EQ(posted.at(2).at(0).toInt(), 0x500);
}

TEST(CStaticSTTest, WithoutTargetsClicksPostNothing) {
    CStaticST label(&test::Page());
    label.resize(80, 20);
    label.show();
    QSignalSpy posted(&label, &CStaticST::posted);
    test::DoubleClick(label, {10, 10});
    test::DeliverPosted();
    EXPECT_EQ(posted.count(), 0);
}

TEST(CStaticSTTest, OpaqueModeFillsTheBackgroundColour) {
    CStaticST label(&test::Page());
    label.resize(40, 20);
    label.SetTransparent(false);
    label.SetBackgroundColor(0x3020A0);  // GDI: blue 0x30, green 0x20, red 0xA0
    const QImage shown = test::Render(label);
    EXPECT_EQ(shown.pixelColor(20, 10), QColor(0xA0, 0x20, 0x30));
}

TEST(CStaticSTTest, FrameDrawsBlackEdges) {
    CStaticST label(&test::Page());
    label.resize(40, 20);
    label.SetTransparent(false);
    label.SetBackgroundColor(0xFFFFFF);
    label.SetFrame(true);
    const QImage shown = test::Render(label);
    EXPECT_EQ(shown.pixelColor(0, 10), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(20, 0), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(20, 10), QColor(Qt::white));
}

TEST(CStaticSTTest, TransparentModeShowsOnlyTheOverlay) {
    CStaticST label(&test::Page());
    label.resize(24, 272);
    label.SetOverlayImage(146);
    const QImage bare = test::Render(label);
    EXPECT_EQ(qAlpha(bare.pixel(12, 100)), 0);
    label.SetOverlayOn(true);
    EXPECT_LE(test::MaxDifference(test::Render(label), LoadPngResource(146)), 2);
}

TEST(CStaticSTTest, TextIsDrawnInTheTextColour) {
    CStaticST label(&test::Page());
    label.resize(80, 20);
    label.SetTextColor(0xFFFF0000);
    const QImage empty = test::Render(label);
    label.SetText(QStringLiteral("话筒 MIC"));
    const QImage shown = test::Render(label);
    int red = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) red += shown.pixelColor(x, y) == QColor(Qt::red);
    }
    EXPECT_GT(red, 10);
    EXPECT_GT(test::MaxDifference(shown, empty), 100);
}

}  // namespace
}  // namespace quavelo
