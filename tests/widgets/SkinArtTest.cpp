#include "widgets/SkinArt.h"

#include <gtest/gtest.h>

#include "widgets/PngResource.h"

namespace quavelo {
namespace {

QImage Opaque(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// A skin image keeps its size in device-independent pixels at every density; a paint on a device
// of more than one device pixel per pixel takes the 2x picture, pixel for pixel where the art is
// drawn at its own size, also for a part of it.
TEST(SkinArtTest, DrawsFromThePictureOfTheDevicesDensity) {
    const SkinArt tile = SkinArt::Png(SkinImage::ConverterTile);  // opaque, 180 x 180
    ASSERT_EQ(tile.size(), QSize(180, 180));
    const QImage base = LoadPngResource(SkinImage::ConverterTile);
    const QImage dense = LoadPngFromResource(PngResourcePath(SkinImage::ConverterTile, 2));
    ASSERT_EQ(dense.size(), QSize(360, 360));

    const QRect part(30, 40, 100, 60);
    const QRect whole(QPoint(0, 0), tile.size());
    const struct {
        qreal ratio;
        QRect source;
        bool atPoint;  // the whole art at its own size, placed by its corner
        const QImage& picture;
    } cases[] = {{1, part, false, base}, {2, part, false, dense}, {2, whole, true, dense}};
    for (const auto& c : cases) {
        QImage canvas(c.source.size() * c.ratio, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(c.ratio);
        QPainter p(&canvas);
        if (c.atPoint) {
            DrawSkinArt(p, QPointF(0, 0), tile);
        } else {
            DrawSkinArt(p, QRectF(QPointF(0, 0), c.source.size()), tile, c.source);
        }
        p.end();
        const QRect pixels(c.source.topLeft() * c.ratio, c.source.size() * c.ratio);
        EXPECT_EQ(Opaque(canvas), Opaque(c.picture.copy(pixels))) << "ratio " << c.ratio;
    }

    // Which picture serves which density: the 2x one above 1 (150 % reduces it), the 1x one
    // where the skin has no 2x picture (the application icon), bitmaps alike.
    EXPECT_EQ(tile.PictureFor(1.5).size(), QSize(360, 360));
    EXPECT_EQ(SkinArt::Png(SkinImage::AppIcon).PictureFor(2).size(), QSize(256, 256));
    const SkinArt face = SkinArt::Bitmap(SkinImage::DropDownFace);
    EXPECT_EQ(face.PictureFor(1).size(), QSize(78, 28));
    EXPECT_EQ(face.PictureFor(2).size(), QSize(156, 56));
}

}  // namespace
}  // namespace quavelo
