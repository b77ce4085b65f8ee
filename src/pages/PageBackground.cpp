#include "pages/PageBackground.h"

#include "pages/PageContext.h"

namespace quavelo {

void PaintBar(QPainter& painter, int x, int y, int length, Qt::Orientation orientation) {
    const QRect bar =
        orientation == Qt::Horizontal ? QRect(x, y, length, 2) : QRect(x, y, 2, length);
    painter.fillRect(bar, QColor::fromRgba(0xFF000000));
}

void PaintPageBackground(QPainter& painter, const QRect& client) {
    painter.fillRect(client, QColor::fromRgba(kPageBackground));
    const int right = client.right() + 1;
    const int bottom = client.bottom() + 1;
    for (int y : {client.top(), 320, 440, bottom - 5}) {
        PaintBar(painter, client.left(), y, client.width(), Qt::Horizontal);
    }
    for (int x : {client.left(), right - 5}) {
        PaintBar(painter, x, client.top(), client.height(), Qt::Vertical);
    }
    PaintBar(painter, 650, client.top(), 320, Qt::Vertical);
    PaintBar(painter, 460, 320, 280, Qt::Vertical);
}

}  // namespace quavelo
