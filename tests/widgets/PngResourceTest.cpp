#include "widgets/PngResource.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>

#include "widgets/CGDIpInitializer.h"

namespace quavelo {
namespace {

struct SkinEntry {
    int id;
    int width;
    int height;
    bool alpha;
};

// clang-format off
const SkinEntry kSkin[] = {
    {132, 252, 39, true},  {133, 214, 24, true},  {141, 44, 26, false},  {142, 44, 26, false},
    {143, 500, 300, true}, {144, 50, 28, true},   {145, 50, 28, true},   {146, 24, 272, true},
    {152, 44, 24, true},   {153, 24, 44, true},   {167, 330, 8, true},   {168, 330, 8, true},
    {169, 26, 270, true},  {171, 38, 28, false},  {172, 24, 34, false},  {173, 300, 60, true},
    {180, 94, 28, true},   {181, 94, 28, true},   {182, 180, 180, false}, {183, 180, 180, false},
    {186, 52, 272, true},  {187, 300, 60, true},  {188, 52, 272, true},  {189, 300, 60, true},
    {190, 102, 50, true},  {191, 62, 28, true},   {192, 62, 28, true},   {193, 300, 60, true},
    {194, 180, 180, false}, {195, 180, 180, false}, {197, 24, 24, false}, {198, 24, 24, false},
    {199, 24, 24, false},  {200, 24, 24, false},  {201, 1000, 600, true},
};
// clang-format on

class SkinImageTest : public testing::TestWithParam<SkinEntry> {};

TEST_P(SkinImageTest, LoadsAtItsExactSizeAndFormat) {
    const SkinEntry& e = GetParam();
    const QImage image = LoadPngResource(e.id);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(e.width, e.height));
    EXPECT_EQ(image.hasAlphaChannel(), e.alpha);
}

TEST_P(SkinImageTest, IsNotBlank) {
    const QImage image = LoadPngResource(GetParam().id);
    const QRgb first = image.pixel(0, 0);
    bool varies = false;
    for (int y = 0; y < image.height() && !varies; ++y) {
        for (int x = 0; x < image.width() && !varies; ++x) varies = image.pixel(x, y) != first;
    }
    EXPECT_TRUE(varies);
}

INSTANTIATE_TEST_SUITE_P(Skin, SkinImageTest, testing::ValuesIn(kSkin),
                         [](const auto& info) { return std::to_string(info.param.id); });

TEST(PngResourceTest, IdsWithoutAPngAreNull) {
    for (int id : {147, 148, 0, -1, 131, 134, 150, 202, 65535}) {
        EXPECT_TRUE(LoadPngResource(id).isNull()) << id;
    }
}

TEST(PngResourceTest, FromResourceRefusesDataThatIsNotPng) {
    EXPECT_TRUE(LoadPngFromResource(BitmapResourcePath(147)).isNull());
    EXPECT_TRUE(LoadPngFromResource(QStringLiteral(":/skin/none.png")).isNull());
    EXPECT_EQ(LoadPngFromResource(PngResourcePath(167)).size(), QSize(330, 8));
}

TEST(PngResourceTest, DropDownBitmapsAre78By28With24Bits) {
    for (int id : {147, 148}) {
        EXPECT_EQ(LoadBitmapResource(id).size(), QSize(78, 28)) << id;
        QFile file(BitmapResourcePath(id));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        ASSERT_EQ(header.left(2), "BM");
        EXPECT_EQ(static_cast<unsigned char>(header.at(28)), 24) << id;
    }
    EXPECT_TRUE(LoadBitmapResource(149).isNull());
}

TEST(CGDIpInitializerTest, StartsOnceAndCountsEveryCall) {
    const int before = CGDIpInitializer::InitializeCount();
    CGDIpInitializer first;
    CGDIpInitializer second;
    first.Initialize();
    second.Initialize();
    EXPECT_EQ(CGDIpInitializer::StartCount(), 1);
    EXPECT_EQ(CGDIpInitializer::InitializeCount(), before + 2);
    EXPECT_TRUE(CGDIpInitializer::Started());
    EXPECT_TRUE(CGDIpInitializer::SkinPresent());
}

TEST(FontSubstitutionTest, NamedFacesRenderChineseText) {
    for (const char* name : {"宋体", "Microsoft MHei", "Arial Unicode MS"}) {
        const QFont font(QString::fromUtf8(name));
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x8BDD))) << name;  // 话
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x56DE))) << name;  // 回
    }
}

}  // namespace
}  // namespace quavelo
