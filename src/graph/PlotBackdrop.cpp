#include "graph/PlotBackdrop.h"

#include <QPainter>

namespace quavelo {

const QImage& PlotBackdrop::Image(const Key& key, const std::function<void(QPainter&)>& draw) {
    if (valid_ && key == key_) return image_;
    const QSize pixels = key.size * key.pixelRatio;
    if (image_.size() != pixels) image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(key.pixelRatio);
    if (!image_.isNull()) {
        QPainter painter(&image_);
        draw(painter);
    }
    key_ = key;
    valid_ = true;
    return image_;
}

}  // namespace quavelo
