#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "SkinPainters.h"
#include "SkinStyle.h"

namespace quavelo::skin {

void PaintLamp(QPainter& p, QSize size, bool on) {
    const QRectF bezel(2, 2, size.width() - 4, size.height() - 4);
    const qreal round = bezel.height() / 2;
    RaisedFace(p, bezel, round, kSurfaceTop, kSurfaceBottom);

    const QPointF centre = bezel.center();
    const qreal r = bezel.height() / 2 - 4;
    p.setPen(Qt::NoPen);
    if (on) {
        QRadialGradient glow(centre, r * 2.4);
        glow.setColorAt(0.0, QColor(0x58, 0xD9, 0x7E, 150));
        glow.setColorAt(1.0, QColor(0x58, 0xD9, 0x7E, 0));
        p.setBrush(glow);
        p.drawRoundedRect(bezel.adjusted(2, 2, -2, -2), round - 2, round - 2);
    }
    QRadialGradient led(centre - QPointF(r / 3, r / 3), r * 1.3);
    led.setColorAt(0.0, on ? QColor(0xDA, 0xFF, 0xE4) : QColor(0x5A, 0x66, 0x5D));
    led.setColorAt(0.5, on ? kGreenTop : QColor(0x33, 0x3D, 0x36));
    led.setColorAt(1.0, on ? kGreenBottom : QColor(0x1E, 0x24, 0x20));
    p.setBrush(led);
    p.setPen(QPen(kOutline, 1.0));
    p.drawEllipse(centre, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, on ? 170 : 60));
    p.drawEllipse(centre + QPointF(-r / 3, -r / 2.2), r / 2.6, r / 3.6);
}

void PaintSwitch(QPainter& p, QSize size, bool on) {
    const QRectF track(2, 4, size.width() - 4, size.height() - 8);
    const qreal round = track.height() / 2;
    if (on) {
        LitGroove(p, track, round, kGreenTop, kGreenBottom);
    } else {
        Groove(p, track, round);
        p.setPen(QPen(QColor(0x3A, 0x3D, 0x42), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(track.adjusted(0.5, 0.5, -0.5, -0.5), round, round);
    }
    const qreal d = size.height() - 4;
    const qreal x = on ? size.width() - 1 - d : 1;
    const QRectF knob(x, 2, d, d);
    MetalCap(p, knob, d / 2);
    if (on) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
        const qreal cx = track.left() + (knob.left() - track.left()) / 2;
        p.drawLine(QPointF(cx, track.top() + 6), QPointF(cx, track.bottom() - 6));
    } else {
        p.setPen(QPen(kGlyphDim, 1.4));
        p.setBrush(Qt::NoBrush);
        const qreal cx = knob.right() + (track.right() - knob.right()) / 2;
        p.drawEllipse(QPointF(cx, track.center().y()), 3.5, 3.5);
    }
}

namespace {

// The face shared by the rectangular buttons: slate when idle, teal when active.
void ButtonFace(QPainter& p, const QRectF& r, bool active) {
    if (active) {
        RaisedFace(p, r, kRadius, kAccentTop, kAccentBottom);
    } else {
        RaisedFace(p, r, kRadius, kSurfaceTop, kSurfaceBottom);
    }
}

}  // namespace

void PaintSlotButton(QPainter& p, QSize size, bool selected) {
    const QRectF face(1, 1, size.width() - 2, size.height() - 3);
    ButtonFace(p, face, selected);
    // A small lamp at the left marks the selected slot.
    const QPointF dot(face.left() + 9, face.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(selected ? QColor(0xE8, 0xFF, 0xFF) : QColor(0x1A, 0x1C, 0x1F));
    p.drawEllipse(dot, 2.5, 2.5);
}

void PaintButton(QPainter& p, QSize size, bool active) {
    ButtonFace(p, QRectF(1, 1, size.width() - 2, size.height() - 3), active);
}

void PaintStartButton(QPainter& p, QSize size) {
    const QRectF face(2, 2, size.width() - 4, size.height() - 5);
    RaisedFace(p, face, kRadius + 3, kAccentTop, kAccentBottom);
    // A chevron at the right edge, clear of the centred caption.
    const qreal cx = face.right() - 13;
    const qreal cy = face.center().y();
    p.setPen(QPen(QColor(255, 255, 255, 210), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF chevron[] = {{cx - 3, cy - 6}, {cx + 3, cy}, {cx - 3, cy + 6}};
    p.drawPolyline(chevron, 3);
}

void PaintDropDownFace(QPainter& p, QSize size, bool hover) {
    const QRectF face(1, 1, size.width() - 2, size.height() - 3);
    RaisedFace(p, face, kRadius, kSurfaceTop, kSurfaceBottom);
    if (hover) {
        p.setPen(QPen(kAccentTop, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    }
    // The arrow zone: the widget keeps its text out of the rightmost 20 pixels.
    const qreal split = size.width() - 20.5;
    p.setPen(QPen(QColor(0x17, 0x18, 0x1B), 1.0));
    p.drawLine(QPointF(split, face.top() + 4), QPointF(split, face.bottom() - 4));
    p.setPen(QPen(QColor(255, 255, 255, 30), 1.0));
    p.drawLine(QPointF(split + 1, face.top() + 4), QPointF(split + 1, face.bottom() - 4));

    const qreal cx = split + 10.5;
    const qreal cy = face.center().y() + 1;
    p.setPen(QPen(hover ? kAccentTop : kGlyph, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF arrow[] = {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 4, cy - 2}};
    p.drawPolyline(arrow, 3);
}

}  // namespace quavelo::skin
