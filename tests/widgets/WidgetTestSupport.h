#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <cstdlib>

namespace quavelo::test {

// A shown top-level window on the page colour for the widgets under test.
inline QWidget& Page() {
    static QWidget* page = [] {
        auto* w = new QWidget;
        w->resize(1000, 650);
        w->show();
        return w;
    }();
    return *page;
}

// Delivers everything posted so far (queued signals included).
inline void DeliverPosted() { QCoreApplication::sendPostedEvents(); }

// The widget as it paints itself, over transparency (nothing of its parent), premultiplied ARGB.
inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The largest difference of any channel of any pixel; INT_MAX when the sizes differ.
inline int MaxDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return INT_MAX;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            worst = std::max({worst, std::abs(qAlpha(p) - qAlpha(q)), std::abs(qRed(p) - qRed(q)),
                              std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

// Pointer entering the widget, as the window system reports it.
inline void Enter(QWidget& widget) {
    const QPointF at(1, 1);
    QEnterEvent event(at, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
}

inline void Leave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

// A pointer move with no button held (QTest::mouseMove only moves the cursor then).
inline void Hover(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// The events of a real double-click: press, release, double-click, release.
inline void DoubleClick(QWidget& widget, QPoint at) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
}

}  // namespace quavelo::test
