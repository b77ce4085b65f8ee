#pragma once

#include <QPainter>
#include <QRect>

namespace quavelo {

// The dark page background shared by both control pages: the client area filled with opaque
// 0x202020, then 2-pixel black bars across the full width at the top edge, at y 320, at y 440 and
// 5 pixels above the bottom, down the full height at x 0 and 5 pixels left of the right edge, at
// x 650 from the top (320 long) and at x 460 from y 320 (280 long).
void PaintPageBackground(QPainter& painter, const QRect& client);

// A 2-pixel black bar from (x, y), `length` long, horizontal or vertical.
void PaintBar(QPainter& painter, int x, int y, int length, Qt::Orientation orientation);

}  // namespace quavelo
