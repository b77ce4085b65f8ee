#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include <optional>

namespace quavelo {

// Flicker-free painting: drawing goes to an off-screen image that is copied to the target once,
// when the OffscreenBuffer is destroyed. When the target is not a raster surface (a printer, a PDF
// writer, a QPicture being recorded) the drawing goes straight to the target instead, so it keeps
// its vector form.
//
// Usage, inside a paint handler:
//     QPainter target(this);
//     OffscreenBuffer dc(target);          // or OffscreenBuffer dc(target, rect)
//     dc->drawImage(...);          // draw through dc like through a QPainter
//
// The target painter must outlive the OffscreenBuffer and must not be used while the
// OffscreenBuffer exists. The rectangle is in the target's logical coordinates; it defaults to the
// target's clip bounds, or the whole device when there is no clip. When the target's background
// mode is Qt::OpaqueMode the rectangle is first filled with its background brush; otherwise it
// starts transparent and the copy is composed over what the target already shows (a child widget
// over its parent's painting).
class OffscreenBuffer {
  public:
    explicit OffscreenBuffer(QPainter& target, std::optional<QRect> rect = std::nullopt);
    ~OffscreenBuffer();
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    QPainter& painter() { return *painter_; }
    QPainter* operator->() { return painter_; }

  private:
    QPainter& target_;
    QRect rect_;
    bool isMemoryDC_;   // false: drawing goes straight to the target
    QRect deviceRect_;  // rect_ in the target's device coordinates
    QImage buffer_;
    QPainter bufferPainter_;
    QPainter* painter_;
};

}  // namespace quavelo
