#include "widgets/SkinArt.h"

#include <QPaintDevice>

#include "widgets/PngResource.h"

namespace quavelo {

namespace {

constexpr int kDenseScale = 2;

qreal DeviceRatio(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device != nullptr ? device->devicePixelRatio() : 1.0;
}

}  // namespace

SkinArt SkinArt::Png(SkinImage image) {
    SkinArt art;
    art.base_ = LoadPngResource(image);
    art.densePath_ = PngResourcePath(image, kDenseScale);
    return art;
}

SkinArt SkinArt::Bitmap(SkinImage image) {
    SkinArt art;
    art.base_ = LoadBitmapResource(image);
    art.densePath_ = BitmapResourcePath(image, kDenseScale);
    art.bitmap_ = true;
    return art;
}

const QImage& SkinArt::PictureFor(qreal ratio) const {
    if (ratio <= 1.0 || base_.isNull()) return base_;
    if (!denseTried_) {
        denseTried_ = true;
        QImage dense =
            bitmap_ ? LoadBitmapFromResource(densePath_) : LoadPngFromResource(densePath_);
        // A picture that is not exactly twice the 1x one would put the art's parts out of place.
        if (dense.size() == base_.size() * kDenseScale) dense_ = std::move(dense);
    }
    return dense_.isNull() ? base_ : dense_;
}

void DrawSkinArt(QPainter& painter, const QRectF& target, const SkinArt& art,
                 const QRectF& source) {
    const QImage& picture = art.PictureFor(DeviceRatio(painter));
    if (picture.isNull()) return;
    if (picture.width() == art.width()) {
        painter.drawImage(target, picture, source);
        return;
    }
    const qreal scale = static_cast<qreal>(picture.width()) / art.width();
    const QRectF pixels(source.x() * scale, source.y() * scale, source.width() * scale,
                        source.height() * scale);
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture, pixels);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void DrawSkinArt(QPainter& painter, const QRectF& target, const SkinArt& art) {
    DrawSkinArt(painter, target, art, QRectF(QPointF(0, 0), art.size()));
}

void DrawSkinArt(QPainter& painter, const QPointF& at, const SkinArt& art) {
    const QImage& picture = art.PictureFor(DeviceRatio(painter));
    if (picture.isNull()) return;
    if (picture.width() == art.width()) {
        painter.drawImage(at, picture);
        return;
    }
    DrawSkinArt(painter, QRectF(at, art.size()), art);
}

}  // namespace quavelo
