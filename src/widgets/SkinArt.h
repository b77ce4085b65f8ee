#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include "widgets/SkinImage.h"

namespace quavelo {

// A skin image as the widgets draw it, at every pixel density the skin provides: the 1x picture,
// which gives the image its size in device-independent pixels, and the 2x picture
// (":/skin/<number>@2x.png" or ".bmp"), decoded the first time a paint on a device of more than
// one device pixel per pixel needs it. Without a 2x picture the 1x one serves every density.
//
// All sizes and rectangles of the drawing calls are in device-independent pixels, so a widget's
// geometry does not depend on the picture drawn. Use on the user-interface thread.
class SkinArt {
  public:
    SkinArt() = default;
    // The PNG image; null when the skin has no such PNG (a drop-down face included).
    static SkinArt Png(SkinImage image);
    // The bitmap image (the drop-down faces); null when missing.
    static SkinArt Bitmap(SkinImage image);

    bool isNull() const { return base_.isNull(); }
    // Size in device-independent pixels: the 1x picture's.
    QSize size() const { return base_.size(); }
    int width() const { return base_.width(); }
    int height() const { return base_.height(); }

    // The picture to draw on a device of `ratio` device pixels per pixel: the 1x one up to 1,
    // the 2x one above it when the skin has one.
    const QImage& PictureFor(qreal ratio) const;

  private:
    QImage base_;
    QString densePath_;
    bool bitmap_ = false;
    mutable bool denseTried_ = false;
    mutable QImage dense_;
};

// Draw the part `source` of the art (device-independent pixels) into `target`, from the picture
// that suits the painter's device. A 1x picture is drawn exactly as QPainter::drawImage draws
// it with the painter's own hints; a denser one is drawn with smooth scaling, so a screen
// between the densities (150 %) gets it smoothly reduced rather than coarsely sampled.
void DrawSkinArt(QPainter& painter, const QRectF& target, const SkinArt& art, const QRectF& source);
// The whole art stretched over `target`.
void DrawSkinArt(QPainter& painter, const QRectF& target, const SkinArt& art);
// The whole art at its own size with its top-left corner at `at`.
void DrawSkinArt(QPainter& painter, const QPointF& at, const SkinArt& art);

}  // namespace quavelo
