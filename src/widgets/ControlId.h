#pragma once

#include <QString>
#include <QWidget>

namespace quavelo {

// Dialog control ids (1000..1107 on the pages) stay the controls' names: SetControlId stores the
// id as the widget's "controlId" property and as its objectName ("1028"), so a page and its
// tests find a control by id with FindControl.
void SetControlId(QWidget* widget, int id);

// The id given with SetControlId, or -1 when none was given.
int ControlId(const QWidget* widget);

// The descendant of root with that control id, or nullptr.
template <typename T = QWidget>
T* FindControl(const QWidget* root, int id) {
    return root->findChild<T*>(QString::number(id));
}

}  // namespace quavelo
