#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

#include "SkinPainters.h"
#include "SkinStyle.h"

namespace quavelo::skin {

namespace {

// The card every start screen tile is drawn on; a selected card has a teal rim and a check mark.
void TileCard(QPainter& p, QSize size, bool selected) {
    const QRectF card(4, 4, size.width() - 8, size.height() - 8);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(card.adjusted(-3, -3, 3, 3), kTileRadius + 3, kTileRadius + 3);
        RaisedFace(p, card, kTileRadius, QColor(0x45, 0x4B, 0x54), QColor(0x2A, 0x2E, 0x34));
        const QPointF badge(card.right() - 16, card.top() + 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(badge, 10, 10);
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF check[] = {badge + QPointF(-5, 0), badge + QPointF(-1.5, 4),
                                 badge + QPointF(5, -4)};
        p.drawPolyline(check, 3);
    } else {
        RaisedFace(p, card, kTileRadius, QColor(0x3A, 0x3E, 0x45), QColor(0x24, 0x27, 0x2C));
    }
}

void SoftShadow(QPainter& p, const QRectF& r) {
    QRadialGradient shadow(r.center(), r.width() / 2);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 120));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.translate(r.center());
    p.scale(1.0, r.height() / r.width());
    p.drawEllipse(QPointF(0, 0), r.width() / 2, r.width() / 2);
    p.restore();
}

// The metal ring of a socket, radius `r` around `c`.
void SocketRing(QPainter& p, QPointF c, qreal r) {
    QLinearGradient ring(c - QPointF(0, r), c + QPointF(0, r));
    ring.setColorAt(0.0, kMetalTop);
    ring.setColorAt(1.0, kMetalBottom.darker(130));
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(ring);
    p.drawEllipse(c, r, r);
}

// A microphone input socket: metal ring, dark face, three pin holes and the latch at the top.
void XlrSocket(QPainter& p, QPointF c, qreal r) {
    SocketRing(p, c, r);
    QLinearGradient face(c - QPointF(0, r), c + QPointF(0, r));
    face.setColorAt(0.0, QColor(0x0C, 0x0D, 0x0F));
    face.setColorAt(1.0, QColor(0x2A, 0x2D, 0x32));
    p.setBrush(face);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r * 0.72, r * 0.72);
    p.setBrush(QColor(0x6E, 0x74, 0x7C));
    const qreal pin = r * 0.12;
    for (QPointF at : {QPointF(-0.33, -0.22), QPointF(0.33, -0.22), QPointF(0.0, 0.34)}) {
        p.drawEllipse(c + at * r, pin, pin);
    }
    p.setBrush(kMetalBottom);
    p.drawRoundedRect(QRectF(c.x() - r * 0.18, c.y() - r * 0.98, r * 0.36, r * 0.22), 1, 1);
}

void HeadphoneSocket(QPainter& p, QPointF c, qreal r) {
    SocketRing(p, c, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x08, 0x08, 0x0A));
    p.drawEllipse(c, r * 0.5, r * 0.5);
}

// Small print on the box above each socket: a microphone, or headphones.
void TinyMic(QPainter& p, QPointF c, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(c.x() - 1.5, c.y() - 4, 3, 5), 1.5, 1.5);
    p.setPen(QPen(colour, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 3, c.y() - 3, 6, 5), 180 * 16, 180 * 16);
    p.drawLine(QPointF(c.x(), c.y() + 2), QPointF(c.x(), c.y() + 4));
}

void TinyHeadphones(QPainter& p, QPointF c, const QColor& colour) {
    p.setPen(QPen(colour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 4, c.y() - 4, 8, 8), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(c.x() - 4.6, c.y() - 0.5, 2.4, 4), 1, 1);
    p.drawRoundedRect(QRectF(c.x() + 2.2, c.y() - 0.5, 2.4, 4), 1, 1);
}

}  // namespace

void PaintConverterTile(QPainter& p, QSize size, bool selected) {
    TileCard(p, size, selected);

    // The USB lead leaves the top of the box.
    QPainterPath lead;
    lead.moveTo(90, 60);
    lead.cubicTo(90, 44, 70, 44, 70, 30);
    p.setPen(QPen(QColor(0x15, 0x16, 0x18), 5.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lead);
    MetalCap(p, QRectF(63, 16, 14, 14), 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x33, 0x38));
    p.drawRect(QRectF(66, 20, 8, 3));

    SoftShadow(p, QRectF(22, 124, 136, 20));
    const QRectF box(22, 58, 136, 74);
    RaisedFace(p, box, 10, QColor(0x6A, 0x72, 0x7D), QColor(0x3C, 0x42, 0x4A));
    const QRectF panel(30, 78, 120, 46);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1.0));
    p.setBrush(QColor(0x22, 0x25, 0x2A));
    p.drawRoundedRect(panel, 7, 7);

    const QColor print = selected ? QColor(0xE8, 0xEC, 0xF0) : QColor(0xB8, 0xBE, 0xC6);
    TinyMic(p, QPointF(56, 70), print);
    TinyMic(p, QPointF(94, 70), print);
    TinyHeadphones(p, QPointF(132, 70), print);
    XlrSocket(p, QPointF(56, 101), 15);
    XlrSocket(p, QPointF(94, 101), 15);
    HeadphoneSocket(p, QPointF(132, 101), 7);

    // Power lamp, lit on the selected tile.
    QRadialGradient lamp(QPointF(34, 67), 4);
    lamp.setColorAt(0.0, selected ? QColor(0xDA, 0xFF, 0xE4) : QColor(0x55, 0x5E, 0x58));
    lamp.setColorAt(1.0, selected ? kGreenBottom : QColor(0x25, 0x2A, 0x27));
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(lamp);
    p.drawEllipse(QPointF(34, 67), 3, 3);
}

void PaintMicrophoneTile(QPainter& p, QSize size, bool selected) {
    TileCard(p, size, selected);
    const qreal cx = size.width() / 2.0;
    SoftShadow(p, QRectF(cx - 34, 150, 68, 14));

    // Handle: tapered dark body with an end cap.
    QPainterPath body;
    body.moveTo(cx - 21, 102);
    body.lineTo(cx + 21, 102);
    body.lineTo(cx + 13, 150);
    body.lineTo(cx - 13, 150);
    body.closeSubpath();
    QLinearGradient bodyShade(QPointF(cx - 21, 0), QPointF(cx + 21, 0));
    bodyShade.setColorAt(0.0, QColor(0x2A, 0x2D, 0x32));
    bodyShade.setColorAt(0.35, QColor(0x5C, 0x63, 0x6D));
    bodyShade.setColorAt(1.0, QColor(0x1C, 0x1E, 0x22));
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(bodyShade);
    p.drawPath(body);
    p.setBrush(QColor(0x16, 0x17, 0x1A));
    p.drawRoundedRect(QRectF(cx - 13, 148, 26, 7), 2, 2);

    // Ring between grille and handle: teal when selected.
    QLinearGradient ring(QPointF(0, 94), QPointF(0, 104));
    ring.setColorAt(0.0, selected ? kAccentTop : QColor(0x8A, 0x90, 0x98));
    ring.setColorAt(1.0, selected ? kAccentBottom : QColor(0x50, 0x55, 0x5C));
    p.setBrush(ring);
    p.drawRoundedRect(QRectF(cx - 23, 94, 46, 10), 3, 3);

    // Grille: a metal ball with a mesh, lit from above.
    const QRectF grille(cx - 30, 28, 60, 70);
    QPainterPath head;
    head.addRoundedRect(grille, 28, 28);
    QLinearGradient metal(grille.topLeft(), grille.bottomLeft());
    metal.setColorAt(0.0, kMetalTop);
    metal.setColorAt(1.0, QColor(0x6E, 0x75, 0x7E));
    p.setBrush(metal);
    p.drawPath(head);
    p.save();
    p.setClipPath(head);
    p.setPen(QPen(QColor(0x30, 0x34, 0x3A, 120), 1.0));
    for (qreal d = -70; d <= 70; d += 5) {
        p.drawLine(QPointF(cx + d - 40, 28), QPointF(cx + d + 40, 98));
        p.drawLine(QPointF(cx + d + 40, 28), QPointF(cx + d - 40, 98));
    }
    QRadialGradient shine(QPointF(cx - 12, 44), 26);
    shine.setColorAt(0.0, QColor(255, 255, 255, 140));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRect(grille);
    p.restore();
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
}

namespace {

// The band sliders' scale: +15 dB at the top of the thumb's travel, -15 dB at the bottom. The
// pages draw these strips from y 10 to 290 of the page, stretched to 280 pixels, while the
// thumb centres travel from page y 24 to 268; each mark is placed where its value lies there.
constexpr std::array<int, 7> kScaleDb{15, 10, 5, 0, -5, -10, -15};

qreal ScaleY(int step, int imageHeight) {
    const qreal pageY = 24.0 + 244.0 * step / 6.0;
    return (pageY - 10.0) * imageHeight / 280.0;
}

}  // namespace

void PaintBandTicks(QPainter& p, QSize size) {
    for (int step = 0; step < static_cast<int>(kScaleDb.size()); ++step) {
        const qreal y = qRound(ScaleY(step, size.height())) + 0.5;
        const bool major = kScaleDb[step] % 15 == 0;
        p.setPen(QPen(major ? kGlyph : kGlyphDim, 1.0));
        p.drawLine(QPointF(major ? 8 : 14, y), QPointF(size.width() - 2, y));
    }
}

void PaintBandScale(QPainter& p, QSize size) {
    p.setFont(SkinFont(10));
    for (int step = 0; step < static_cast<int>(kScaleDb.size()); ++step) {
        const int db = kScaleDb[step];
        const qreal y = ScaleY(step, size.height());
        p.setPen(db == 0 ? kGlyph : kGlyphDim);
        const QString text = db > 0 ? QStringLiteral("+%1").arg(db) : QString::number(db);
        p.drawText(QRectF(0, y - 8, size.width() - 2, 16), Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

void PaintBrandPanel(QPainter& p, QSize size) {
    const QRectF panel(2, 2, size.width() - 4, size.height() - 5);
    RaisedFace(p, panel, kTileRadius, QColor(0x2E, 0x32, 0x38), QColor(0x1B, 0x1D, 0x21));

    // A waveform running under the name.
    QPainterPath wave;
    const qreal mid = panel.top() + panel.height() * 0.68;
    wave.moveTo(panel.left() + 24, mid);
    for (int x = 0; x <= 400; x += 2) {
        const qreal t = x / 400.0;
        const qreal envelope = std::sin(t * 3.14159265) * 34.0;
        const qreal y = mid - envelope * std::sin(x * 0.21) * std::cos(x * 0.047);
        wave.lineTo(panel.left() + 24 + x * (panel.width() - 48) / 400.0, y);
    }
    p.setPen(QPen(kAccent, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);

    QFont name = SkinFont(52, QFont::Bold);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(name);
    p.setPen(QColor(0xEE, 0xF1, 0xF4));
    p.drawText(QRectF(panel.left(), panel.top() + 34, panel.width(), 70), Qt::AlignCenter,
               QStringLiteral("QUAVELO"));
    p.setFont(SkinFont(16));
    p.setPen(kGlyphDim);
    p.drawText(QRectF(panel.left(), panel.top() + 104, panel.width(), 24), Qt::AlignCenter,
               QStringLiteral("USB microphone converter"));
}

void PaintLockOverlay(QPainter& p, QSize size) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(0x08, 0x09, 0x0B, 178));

    // The card stands over the equaliser section (the page's top left 650 × 320), clear of the
    // status switches below and to the right, which stay above the overlay and usable.
    const QPointF c(size.width() * 0.325, size.height() * 0.27);
    const QRectF card(c.x() - 150, c.y() - 115, 300, 230);
    RaisedFace(p, card, kTileRadius, QColor(0x34, 0x38, 0x3F, 240), QColor(0x22, 0x25, 0x2A, 240));

    // A large closed padlock.
    const QRectF body(c.x() - 34, c.y() - 44, 68, 54);
    QPainterPath shackle;
    shackle.moveTo(c.x() - 22, body.top() + 2);
    shackle.lineTo(c.x() - 22, body.top() - 20);
    shackle.arcTo(QRectF(c.x() - 22, body.top() - 42, 44, 44), 180, -180);
    shackle.lineTo(c.x() + 22, body.top() + 2);
    p.setPen(QPen(kMetalBottom, 9.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);
    p.setPen(QPen(kMetalTop, 3.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle.translated(-1.5, 0));
    RaisedFace(p, body, 8, kAmber.lighter(115), kAmber.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2A, 0x1C, 0x08));
    p.drawEllipse(QPointF(c.x(), body.top() + 21), 6, 6);
    p.drawRoundedRect(QRectF(c.x() - 2.5, body.top() + 23, 5, 16), 2, 2);

    p.setFont(SkinFont(30, QFont::Bold));
    p.setPen(QColor(0xF2, 0xF4, 0xF6));
    p.drawText(QRectF(card.left(), c.y() + 18, card.width(), 40), Qt::AlignCenter,
               QStringLiteral("LOCKED"));
    p.setFont(SkinFont(15));
    p.setPen(QColor(0xA8, 0xAE, 0xB6));
    p.drawText(QRectF(card.left(), c.y() + 60, card.width(), 24), Qt::AlignCenter,
               QStringLiteral("Unlock to change the settings"));
}

}  // namespace quavelo::skin
