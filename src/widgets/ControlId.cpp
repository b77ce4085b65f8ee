#include "widgets/ControlId.h"

#include <QVariant>

namespace quavelo {

namespace {
constexpr char kProperty[] = "controlId";
}

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kProperty, id);
    widget->setObjectName(QString::number(id));
}

int ControlId(const QWidget* widget) {
    bool ok = false;
    const int id = widget->property(kProperty).toInt(&ok);
    return ok ? id : -1;
}

}  // namespace quavelo
