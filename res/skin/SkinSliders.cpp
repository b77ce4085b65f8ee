#include <QLinearGradient>
#include <QPainterPath>

#include "SkinPainters.h"
#include "SkinStyle.h"

// The channel images are drawn by the slider in two parts (fill before the thumb, channel after
// it) from the same pixel columns or rows, so each fill image repeats its channel's geometry
// exactly. The geometry follows how the pages configure their sliders: horizontal 300 x 60 with
// margins 2, 2, 8, 0 and a 24 x 44 thumb (thumb centres from x 14 to 286 at y 30); vertical
// 52 x 272 with margins 4, 0, 2, 2 and a 44 x 24 thumb (centres from y 14 to 258 at x 26).

namespace quavelo::skin {

namespace {

constexpr qreal kHorizontalAxisY = 30;
constexpr qreal kVerticalAxisX = 26;

void HorizontalTicks(QPainter& p, const QList<qreal>& majors, int minorCount) {
    const qreal first = 14;
    const qreal last = 286;
    p.setPen(QPen(QColor(255, 255, 255, 55), 1.0));
    for (int i = 0; i <= minorCount; ++i) {
        const qreal x = qRound(first + (last - first) * i / minorCount) + 0.5;
        p.drawLine(QPointF(x, 44), QPointF(x, 47));
    }
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
    for (qreal x : majors) {
        p.drawLine(QPointF(x + 0.5, 43), QPointF(x + 0.5, 50));
    }
}

}  // namespace

void PaintHorizontalChannel(QPainter& p, QSize size, bool filled) {
    const QRectF groove(8, kHorizontalAxisY - 3, size.width() - 16, 6);
    if (filled) {
        LitGroove(p, groove, 3, kAccentTop, kAccentBottom);
    } else {
        Groove(p, groove, 3);
    }
    HorizontalTicks(p, {14, 150, 286}, 10);
}

void PaintMixChannel(QPainter& p, QSize size, bool filled) {
    const QRectF groove(8, kHorizontalAxisY - 3, size.width() - 16, 6);
    if (filled) {
        // Microphone at the left end, playback at the right: the fill shades from one to the other.
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 22));
        p.drawRoundedRect(groove.translated(0, 1), 3, 3);
        QLinearGradient blend(groove.topLeft(), groove.topRight());
        blend.setColorAt(0.0, kAmber);
        blend.setColorAt(0.5, QColor(0xB8, 0xB4, 0x70));
        blend.setColorAt(1.0, kAccentTop);
        p.setBrush(blend);
        p.drawRoundedRect(groove, 3, 3);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawRoundedRect(QRectF(groove.left() + 1, groove.top() + 0.5, groove.width() - 2, 2), 1,
                          1);
        p.restore();
    } else {
        Groove(p, groove, 3);
    }
    // The centre detent, where neither side is cut.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    const qreal cx = 150.5;
    const QPointF top[] = {{cx - 4, 16}, {cx + 4, 16}, {cx, 21}};
    p.drawPolygon(top, 3);
    const QPointF bottom[] = {{cx - 4, 44}, {cx + 4, 44}, {cx, 39}};
    p.drawPolygon(bottom, 3);
    HorizontalTicks(p, {14, 286}, 10);
}

void PaintVerticalChannel(QPainter& p, QSize size, bool filled) {
    const QRectF groove(kVerticalAxisX - 3, 8, 6, size.height() - 16);
    if (filled) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 22));
        p.drawRoundedRect(groove.translated(1, 0), 3, 3);
        QLinearGradient lit(groove.topLeft(), groove.topRight());
        lit.setColorAt(0.0, kAccentTop);
        lit.setColorAt(1.0, kAccentBottom);
        p.setBrush(lit);
        p.drawRoundedRect(groove, 3, 3);
        p.restore();
    } else {
        Groove(p, groove, 3);
    }
    // 0 dB notches on both sides of the groove, at the centre of the thumb's travel.
    p.setPen(QPen(QColor(255, 255, 255, 130), 1.0));
    const qreal y = 136.5;
    p.drawLine(QPointF(14, y), QPointF(19, y));
    p.drawLine(QPointF(33, y), QPointF(38, y));
}

void PaintHorizontalThumb(QPainter& p, QSize size) {
    const QRectF cap(2, 1, size.width() - 4, size.height() - 3);
    MetalCap(p, cap, 4);
    p.setPen(QPen(QColor(0, 0, 0, 50), 1.0));
    for (qreal x : {7.5, 16.5}) p.drawLine(QPointF(x, cap.top() + 6), QPointF(x, cap.bottom() - 6));
    p.setPen(QPen(kAccentBottom, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, cap.top() + 5), QPointF(12, cap.bottom() - 5));
}

void PaintVerticalThumb(QPainter& p, QSize size) {
    const QRectF cap(1, 2, size.width() - 2, size.height() - 5);
    MetalCap(p, cap, 4);
    p.setPen(QPen(QColor(0, 0, 0, 50), 1.0));
    for (qreal y : {7.5, 15.5}) p.drawLine(QPointF(cap.left() + 6, y), QPointF(cap.right() - 6, y));
    p.setPen(QPen(kAccentBottom, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cap.left() + 5, 11.5), QPointF(cap.right() - 5, 11.5));
}

void PaintMeter(QPainter& p, QSize size, bool lit) {
    constexpr int kSegments = 30;
    const qreal pitch = static_cast<qreal>(size.width()) / kSegments;
    p.setPen(Qt::NoPen);
    if (!lit) {
        p.setBrush(kRecessTop);
        p.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), 2, 2);
    }
    for (int i = 0; i < kSegments; ++i) {
        const QRectF segment(i * pitch + 1, 1, pitch - 2, size.height() - 2);
        if (!lit) {
            p.setBrush(QColor(0x2A, 0x2E, 0x33));
        } else {
            const qreal at = (i + 0.5) / kSegments;
            const QColor colour = at < 0.7    ? kGreenTop
                                  : at < 0.88 ? QColor(0xF0, 0xD2, 0x3A)
                                              : kRed;
            QLinearGradient shade(segment.topLeft(), segment.bottomLeft());
            shade.setColorAt(0.0, colour.lighter(125));
            shade.setColorAt(1.0, colour.darker(115));
            p.setBrush(shade);
        }
        p.drawRoundedRect(segment, 1.5, 1.5);
    }
}

void PaintStartMeterBackground(QPainter& p, QSize size) {
    const QRectF frame(1, 1, size.width() - 2, size.height() - 3);
    RaisedFace(p, frame, kRadius + 2, kSurfaceTop, kSurfaceBottom);
    Groove(p, frame.adjusted(18, 7, -18, -7), 4);
}

void PaintStartMeterFill(QPainter& p, QSize size) {
    // The meter stretches this image over its whole face, so the bar sits where the background's
    // groove lies in proportion.
    const QSizeF frame(252, 39);
    const QRectF groove(19, 8, 214, 22);
    const qreal sx = size.width() / frame.width();
    const qreal sy = size.height() / frame.height();
    LitGroove(
        p, QRectF(groove.left() * sx, groove.top() * sy, groove.width() * sx, groove.height() * sy),
        3, kAccentTop, kAccentBottom);
}

}  // namespace quavelo::skin
