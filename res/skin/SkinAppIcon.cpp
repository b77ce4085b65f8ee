// The application icon (id 177): a dark rounded square with the converter's front — two
// microphone sockets and the headphone socket — over a teal level waveform, legible from 16 to
// 256 pixels.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

#include "SkinPainters.h"
#include "SkinStyle.h"

namespace quavelo::skin {

namespace {

// A microphone socket: a metal ring with three pin holes, centred at c with radius r.
void Socket(QPainter& p, QPointF c, qreal r) {
    QRadialGradient ring(c - QPointF(r * 0.3, r * 0.4), r * 1.4);
    ring.setColorAt(0.0, kMetalTop);
    ring.setColorAt(1.0, kMetalBottom);
    p.setPen(QPen(kOutline, r * 0.06));
    p.setBrush(ring);
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x16, 0x18, 0x1B));
    p.drawEllipse(c, r * 0.68, r * 0.68);
    p.setBrush(QColor(0x9A, 0xA1, 0xAA));
    for (const QPointF pin : {QPointF(-0.32, -0.18), QPointF(0.32, -0.18), QPointF(0, 0.34)}) {
        p.drawEllipse(c + pin * r, r * 0.12, r * 0.12);
    }
}

}  // namespace

void PaintAppIcon(QPainter& p, QSize size) {
    const qreal s = size.width();
    const QRectF card(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    const qreal radius = s * 0.2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(card.translated(0, s * 0.015), radius, radius);
    QLinearGradient face(card.topLeft(), card.bottomLeft());
    face.setColorAt(0.0, QColor(0x3A, 0x3F, 0x47));
    face.setColorAt(1.0, QColor(0x17, 0x19, 0x1D));
    p.setBrush(face);
    p.setPen(QPen(kOutline, s * 0.01));
    p.drawRoundedRect(card, radius, radius);

    // A teal accent bar across the top, as the selected tiles wear it.
    QPainterPath top;
    top.addRoundedRect(card, radius, radius);
    p.save();
    p.setClipPath(top);
    QLinearGradient accent(QPointF(0, card.top()), QPointF(0, card.top() + s * 0.1));
    accent.setColorAt(0.0, kAccentTop);
    accent.setColorAt(1.0, kAccentBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRect(QRectF(card.left(), card.top(), card.width(), s * 0.1));
    p.restore();

    Socket(p, QPointF(s * 0.27, s * 0.44), s * 0.12);
    Socket(p, QPointF(s * 0.55, s * 0.44), s * 0.12);
    // The headphone socket: a small ring with a dark hole.
    const QPointF jack(s * 0.78, s * 0.44);
    p.setPen(QPen(kOutline, s * 0.008));
    p.setBrush(kMetalBottom);
    p.drawEllipse(jack, s * 0.055, s * 0.055);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0C, 0x0D, 0x0F));
    p.drawEllipse(jack, s * 0.03, s * 0.03);

    // The level waveform under the sockets.
    QPainterPath wave;
    const qreal mid = s * 0.74;
    const qreal left = s * 0.16;
    const qreal width = s * 0.68;
    for (int i = 0; i <= 120; ++i) {
        const qreal t = i / 120.0;
        const qreal envelope = std::sin(t * 3.14159265) * s * 0.075;
        const qreal y = mid - envelope * std::sin(t * 31.0);
        const QPointF point(left + t * width, y);
        if (i == 0) {
            wave.moveTo(point);
        } else {
            wave.lineTo(point);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kAccentTop, s * 0.035, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave);
}

}  // namespace quavelo::skin
