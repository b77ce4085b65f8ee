#pragma once

#include <QPainter>
#include <QSize>

// One function per skin image. Each paints the whole image of the given size; the canvas arrives
// transparent for RGBA images and filled with the background the image sits on otherwise.
namespace quavelo::skin {

// Buttons and switches (SkinControls.cpp).
void PaintLamp(QPainter& p, QSize size, bool on);
void PaintSwitch(QPainter& p, QSize size, bool on);
void PaintSlotButton(QPainter& p, QSize size, bool selected);
void PaintButton(QPainter& p, QSize size, bool active);
void PaintStartButton(QPainter& p, QSize size);
void PaintDropDownFace(QPainter& p, QSize size, bool hover);

// Slider channels, fills and thumbs, level meters (SkinSliders.cpp).
void PaintHorizontalChannel(QPainter& p, QSize size, bool filled);
void PaintMixChannel(QPainter& p, QSize size, bool filled);
void PaintVerticalChannel(QPainter& p, QSize size, bool filled);
void PaintHorizontalThumb(QPainter& p, QSize size);
void PaintVerticalThumb(QPainter& p, QSize size);
void PaintMeter(QPainter& p, QSize size, bool lit);
void PaintStartMeterBackground(QPainter& p, QSize size);
void PaintStartMeterFill(QPainter& p, QSize size);

// Pictures: device tiles, scales, panels, the lock overlay (SkinPictures.cpp).
void PaintConverterTile(QPainter& p, QSize size, bool selected);
void PaintMicrophoneTile(QPainter& p, QSize size, bool selected);
void PaintBandTicks(QPainter& p, QSize size);
void PaintBandScale(QPainter& p, QSize size);
void PaintBrandPanel(QPainter& p, QSize size);
void PaintLockOverlay(QPainter& p, QSize size);

// The application icon (SkinAppIcon.cpp).
void PaintAppIcon(QPainter& p, QSize size);

// Small icons on the page background (SkinIcons.cpp).
void PaintMicIcon(QPainter& p, QSize size);
void PaintPlaybackIcon(QPainter& p, QSize size);
void PaintPadlock(QPainter& p, QSize size, bool closed);
void PaintMicSwitch(QPainter& p, QSize size, bool muted);

}  // namespace quavelo::skin
