#pragma once

#include <QRectF>

class QPainter;
class QWidget;

namespace quavelo {

// The keyboard focus of the skinned controls is shown by a mark in the skin's style: a rounded
// outline just inside the control, teal outside and light inside, so that it reads on the dark
// faces, on the teal lit ones and on the page.
//
// The mark shows while a control has the focus and the window is worked from the keyboard: a key
// pressed on a control (Tab included) shows it, a mouse press on a control hides it again, so
// clicking never leaves a mark behind. Each control that draws the mark calls TrackFocusMark once
// and asks ShowsFocusMark when it paints.
void TrackFocusMark(QWidget* control);
bool ShowsFocusMark(const QWidget* control);
// An owner that takes a control's keys before the control sees them (an event filter) reports
// each key press here, so the mark still knows the keyboard is in use.
void NoteKeyboardUse(QWidget* control);

// Draws the mark inside `outer` (its outer edge), with corner radius `radius`.
void PaintFocusMark(QPainter& painter, const QRectF& outer, qreal radius);

}  // namespace quavelo
