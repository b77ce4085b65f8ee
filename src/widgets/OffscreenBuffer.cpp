#include "widgets/OffscreenBuffer.h"

#include <QPaintDevice>

namespace quavelo {

namespace {

// Surfaces that are pixels already: painting them through an off-screen copy loses nothing.
bool IsRasterSurface(const QPaintDevice* device) {
    if (device == nullptr) return false;
    switch (device->devType()) {
        case QInternal::Widget:
        case QInternal::Pixmap:
        case QInternal::Image:
            return true;
        default:
            return false;
    }
}

QRect DefaultRect(const QPainter& target) {
    if (target.hasClipping()) return target.clipBoundingRect().toAlignedRect();
    const QPaintDevice* device = target.device();
    const QRect whole(0, 0, device->width(), device->height());
    return target.transform().inverted().mapRect(whole);
}

}  // namespace

OffscreenBuffer::OffscreenBuffer(QPainter& target, std::optional<QRect> rect)
    : target_(target),
      rect_(rect.value_or(DefaultRect(target))),
      isMemoryDC_(IsRasterSurface(target.device())),
      painter_(&target) {
    if (isMemoryDC_) {
        deviceRect_ = target_.transform().mapRect(rect_);
        const qreal ratio = target_.device()->devicePixelRatio();
        buffer_ = QImage(deviceRect_.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        buffer_.setDevicePixelRatio(ratio);
        buffer_.fill(Qt::transparent);
        bufferPainter_.begin(&buffer_);
        bufferPainter_.setTransform(
            target_.transform() *
            QTransform::fromTranslate(-deviceRect_.left(), -deviceRect_.top()));
        bufferPainter_.setFont(target_.font());
        bufferPainter_.setPen(target_.pen());
        bufferPainter_.setBrush(target_.brush());
        bufferPainter_.setBackground(target_.background());
        bufferPainter_.setRenderHints(target_.renderHints());
        painter_ = &bufferPainter_;
    } else {
        target_.save();
    }
    if (target_.backgroundMode() == Qt::OpaqueMode) painter_->fillRect(rect_, target_.background());
}

OffscreenBuffer::~OffscreenBuffer() {
    if (isMemoryDC_) {
        bufferPainter_.end();
        target_.save();
        target_.resetTransform();
        target_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        target_.drawImage(deviceRect_.topLeft(), buffer_);
        target_.restore();
    } else {
        target_.restore();
    }
}

}  // namespace quavelo
