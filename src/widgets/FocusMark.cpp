#include "widgets/FocusMark.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace quavelo {

namespace {

const QColor kMarkOuter{0x2B, 0xBF, 0xC8};       // the skin's light teal
const QColor kMarkInner{0xE8, 0xFF, 0xFF, 220};  // near white

// The window remembers whether it is worked from the keyboard in Qt's own attribute for it,
// which Qt also sets when the Tab key moves the focus. A focus change with a Tab reason alone
// says nothing: Qt gives one when the focused control is disabled or hidden and the focus moves
// on by itself.
void SetKeyboardMode(QWidget* control, bool on) {
    QWidget* window = control->window();
    if (window->testAttribute(Qt::WA_KeyboardFocusChange) == on) return;
    window->setAttribute(Qt::WA_KeyboardFocusChange, on);
    if (QWidget* focus = window->focusWidget()) focus->update();
}

class FocusMarkTracker final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        switch (event->type()) {
            case QEvent::KeyPress:
                SetKeyboardMode(control, true);
                break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                SetKeyboardMode(control, false);
                break;
            default:
                break;
        }
        return false;
    }
};

}  // namespace

void TrackFocusMark(QWidget* control) {
    static FocusMarkTracker* const tracker = new FocusMarkTracker;
    control->installEventFilter(tracker);
}

void NoteKeyboardUse(QWidget* control) { SetKeyboardMode(control, true); }

bool ShowsFocusMark(const QWidget* control) {
    return control->hasFocus() && control->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void PaintFocusMark(QPainter& painter, const QRectF& outer, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kMarkOuter, 1.0));
    painter.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(kMarkInner, 1.0));
    const qreal inner = std::max<qreal>(radius - 1.0, 0.0);
    painter.drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), inner, inner);
    painter.restore();
}

}  // namespace quavelo
