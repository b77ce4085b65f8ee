#include "widgets/DropDownPopup.h"

#include <QKeyEvent>

#include "widgets/DropDownButton.h"
#include "widgets/DropDownList.h"

namespace quavelo {

DropDownPopup::DropDownPopup(DropDownButton* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      owner_(owner),
      list_(new DropDownList(this)) {
    // A press outside closes the pop-up and is not passed on: a press on the button itself must
    // not reopen the list it just closed.
    setAttribute(Qt::WA_NoMouseReplay);
    connect(list_, &DropDownList::selectionEnded, this, &DropDownPopup::OnSelectionEnded);
}

void DropDownPopup::resizeEvent(QResizeEvent*) { list_->setGeometry(rect()); }

void DropDownPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DropDownPopup::OnSelectionEnded(QPoint globalPos) {
    const int index = list_->currentRow();
    if (index < 0 || list_->IsHeading(index)) return;
    const bool inside = frameGeometry().contains(globalPos);
    if (inside) list_->SetSavedSelection(index);
    hide();
    if (inside) owner_->OnChoice(index);
}

void DropDownPopup::hideEvent(QHideEvent* event) {
    list_->setCurrentRow(list_->SavedSelection());
    QWidget::hideEvent(event);
}

}  // namespace quavelo
