#pragma once

#include <QApplication>
#include <QKeyEvent>
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

// A key held down through `repeats` repeats, as the window system delivers them, then let go.
inline void HoldKey(QWidget& widget, Qt::Key key, int repeats, Qt::KeyboardModifiers mods = {}) {
    const auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, key, mods, QString(), repeat);
        QApplication::sendEvent(&widget, &event);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    send(QEvent::KeyRelease, false);
    DeliverPosted();
}

}  // namespace quavelo::test
