#pragma once

#include <QVariant>

class QWidget;

namespace quavelo {

// Screen readers and other assistive tools see the skinned controls through Qt's accessibility
// interfaces: an image button as a button, a check box (a switch) or a radio button (a switch of
// an exclusive set) with its checked state; a slider with its value, range and the value's text
// (ImageSlider::ValueText); a drop-down as a combo box with its choice; a level meter as a
// progress bar with its level in percent; a label as static text. Each control is named by its
// owner (QWidget::setAccessibleName); a button without a name is named by its caption, a label
// by its text.
//
// Every skinned control installs the interfaces when it is made; later calls do nothing.
void InstallSkinAccessibility();

// Tell assistive tools that a control's value or checked state changed. Nothing happens while
// no tool listens.
void NotifyAccessibleValue(QWidget* control, const QVariant& value);
void NotifyAccessibleChecked(QWidget* control);

}  // namespace quavelo
