#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace quavelo::test {

// A shown top-level window for the widgets under test.
inline QWidget& Page() {
    static QWidget* page = new QWidget;
    page->resize(1000, 650);
    page->show();
    return *page;
}

// Delivers everything posted so far (queued signals included).
inline void DeliverPosted() { QCoreApplication::sendPostedEvents(); }

// The pointer leaving the widget, as the window system reports it.
inline void Leave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

// The events of a real double-click: press, release, double-click, release.
inline void DoubleClick(QWidget& widget, QPoint at) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
}

}  // namespace quavelo::test
