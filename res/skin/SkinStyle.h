#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>

// The one palette and the shared shapes of the skin. Light falls from above: raised parts are
// lighter at the top and cast a one-pixel shadow below; recessed parts are darker at the top.
namespace quavelo::skin {

inline const QColor kPage{0x20, 0x20, 0x20};           // the control pages' background
inline const QColor kStartScreen{0xEA, 0xD2, 0xBA};    // start screen and window header
inline const QColor kSurfaceTop{0x41, 0x45, 0x4D};     // raised control, top of its gradient
inline const QColor kSurfaceBottom{0x2C, 0x2F, 0x35};  // raised control, bottom
inline const QColor kOutline{0x11, 0x12, 0x14};
inline const QColor kRecessTop{0x0E, 0x0F, 0x11};
inline const QColor kRecessBottom{0x1C, 0x1E, 0x21};
inline const QColor kAccentTop{0x2B, 0xBF, 0xC8};  // teal: selection, fills, focus
inline const QColor kAccent{0x13, 0xA0, 0xA9};
inline const QColor kAccentBottom{0x0C, 0x7C, 0x83};
inline const QColor kGreenTop{0x58, 0xD9, 0x7E};  // "on"
inline const QColor kGreenBottom{0x22, 0x96, 0x48};
inline const QColor kAmber{0xF2, 0xA7, 0x33};
inline const QColor kRed{0xE5, 0x48, 0x3F};
inline const QColor kGlyph{0xD6, 0xDA, 0xE0};  // icons drawn on the page
inline const QColor kGlyphDim{0x86, 0x8C, 0x95};
inline const QColor kMetalTop{0xEE, 0xF0, 0xF3};
inline const QColor kMetalBottom{0x98, 0x9F, 0xA8};

inline constexpr qreal kRadius = 5.0;       // buttons, slots, drop-down face
inline constexpr qreal kTileRadius = 14.0;  // start screen tiles

// Family every text of the skin is set in; Debian's fonts-wqy-microhei provides it.
QFont SkinFont(qreal pixelSize, int weight = QFont::Normal);

// A raised rounded face: shadow below, vertical gradient, light top edge, dark outline.
void RaisedFace(QPainter& p, const QRectF& r, qreal radius, const QColor& top,
                const QColor& bottom);

// A recessed rounded groove, darker at the top where the rim shades it.
void Groove(QPainter& p, const QRectF& r, qreal radius);

// A groove filled with colour from top to bottom, with a light top edge.
void LitGroove(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom);

// A metal cap (slider thumb, switch knob) inside r.
void MetalCap(QPainter& p, const QRectF& r, qreal radius);

}  // namespace quavelo::skin
