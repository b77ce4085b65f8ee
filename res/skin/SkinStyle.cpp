#include "SkinStyle.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace quavelo::skin {

QFont SkinFont(qreal pixelSize, int weight) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void RaisedFace(QPainter& p, const QRectF& r, qreal radius, const QColor& top,
                const QColor& bottom) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(r.translated(0, 1), radius, radius);

    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0.0, top);
    face.setColorAt(1.0, bottom);
    p.setBrush(face);
    p.setPen(QPen(kOutline, 1.0));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    QPainterPath rim;
    rim.addRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
    QLinearGradient light(r.topLeft(), r.bottomLeft());
    light.setColorAt(0.0, QColor(255, 255, 255, 70));
    light.setColorAt(0.35, QColor(255, 255, 255, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(light), 1.0));
    p.drawPath(rim);
    p.restore();
}

void Groove(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawRoundedRect(r.translated(0, 1), radius, radius);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, kRecessTop);
    fill.setColorAt(1.0, kRecessBottom);
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void LitGroove(QPainter& p, const QRectF& r, qreal radius, const QColor& top,
               const QColor& bottom) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawRoundedRect(r.translated(0, 1), radius, radius);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(QColor(255, 255, 255, 60));
    const qreal shine = std::min<qreal>(r.height(), r.width()) / 3.0;
    p.drawRoundedRect(QRectF(r.left() + 1, r.top() + 0.5, r.width() - 2, shine), radius / 2,
                      radius / 2);
    p.restore();
}

void MetalCap(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(r.adjusted(-0.5, 1, 0.5, 2), radius + 0.5, radius + 0.5);
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0.0, kMetalTop);
    metal.setColorAt(0.5, QColor(0xC4, 0xC9, 0xCF));
    metal.setColorAt(1.0, kMetalBottom);
    p.setBrush(metal);
    p.setPen(QPen(QColor(0x4A, 0x4F, 0x56), 1.0));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

}  // namespace quavelo::skin
