#include <QLinearGradient>
#include <QPainterPath>

#include "SkinPainters.h"
#include "SkinStyle.h"

namespace quavelo::skin {

namespace {

// A microphone on a stand (capsule, holder, stem, foot) fitted into box.
void MicGlyph(QPainter& p, const QRectF& box, const QColor& colour, qreal stroke) {
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal cx = box.center().x();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QRectF capsule(cx - w * 0.19, box.top(), w * 0.38, h * 0.56);
    p.drawRoundedRect(capsule, capsule.width() / 2, capsule.width() / 2);
    p.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QRectF holder(cx - w * 0.36, box.top() + h * 0.12, w * 0.72, h * 0.62);
    p.drawArc(holder, 180 * 16, 180 * 16);
    const qreal stemTop = holder.bottom();
    const qreal foot = box.bottom() - stroke / 2;
    p.drawLine(QPointF(cx, stemTop), QPointF(cx, foot));
    p.drawLine(QPointF(cx - w * 0.24, foot), QPointF(cx + w * 0.24, foot));
    // Grille slots, cut in the page colour.
    p.setPen(QPen(kPage, 1.0));
    for (int i = 1; i <= 2; ++i) {
        const qreal y = capsule.top() + capsule.height() * i / 3.0 + 0.5;
        p.drawLine(QPointF(capsule.left() + 1.5, y), QPointF(capsule.right() - 1.5, y));
    }
    p.restore();
}

}  // namespace

void PaintMicIcon(QPainter& p, QSize size) {
    MicGlyph(p, QRectF(2, 2, size.width() - 4, size.height() - 4), kGlyph, 2.0);
}

void PaintPlaybackIcon(QPainter& p, QSize size) {
    const qreal cy = size.height() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRoundedRect(QRectF(4, cy - 4.5, 6, 9), 1, 1);
    const QPointF cone[] = {{9, cy - 4.5}, {17, cy - 10}, {17, cy + 10}, {9, cy + 4.5}};
    p.drawPolygon(cone, 4);
    p.setBrush(Qt::NoBrush);
    const int alphas[] = {255, 190, 120};
    for (int i = 0; i < 3; ++i) {
        const qreal r = 5.5 + 5.0 * i;
        QColor wave = kGlyph;
        wave.setAlpha(alphas[i]);
        p.setPen(QPen(wave, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(16 - r, cy - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

void PaintPadlock(QPainter& p, QSize size, bool closed) {
    const qreal cx = size.width() / 2.0;
    const QRectF body(cx - 7.5, 10.5, 15, 11);
    // The shackle: both legs in the body when closed; lifted and swung open otherwise.
    const qreal lift = closed ? 0.0 : 3.0;
    QPainterPath shackle;
    const qreal left = cx - 4.5;
    const qreal right = cx + 4.5;
    shackle.moveTo(left, body.top() + 1 - lift);
    shackle.lineTo(left, 7 - lift);
    shackle.arcTo(QRectF(left, 2.5 - lift, 9, 9), 180, -180);
    shackle.lineTo(right, closed ? body.top() + 1 : 7.5 - lift);
    p.setPen(QPen(closed ? kMetalBottom : kGlyphDim, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle.translated(closed ? 0.0 : -2.5, 0.0));

    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0.0, closed ? kAmber.lighter(115) : kGlyph);
    face.setColorAt(1.0, closed ? kAmber.darker(125) : kGlyphDim);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(body, 2.5, 2.5);
    p.setBrush(kPage);
    p.drawEllipse(QPointF(cx, body.top() + 4.2), 1.7, 1.7);
    p.drawRect(QRectF(cx - 0.8, body.top() + 4.5, 1.6, 3.8));
}

void PaintMicSwitch(QPainter& p, QSize size, bool muted) {
    MicGlyph(p, QRectF(5, 2, size.width() - 10, size.height() - 4), muted ? kRed : kGlyph, 1.8);
    if (muted) {
        p.setPen(QPen(kPage, 4.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(20, 20));
        p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(20, 20));
    }
}

}  // namespace quavelo::skin
