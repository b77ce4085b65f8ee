#include "widgets/CListWnd.h"

#include <QKeyEvent>

#include "widgets/CComBoxBtn.h"
#include "widgets/CDropList.h"

namespace quavelo {

CListWnd::CListWnd(CComBoxBtn* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      owner_(owner),
      list_(new CDropList(this)) {
    // A press outside closes the pop-up and is not passed on: a press on the button itself must
    // not reopen the list it just closed.
    setAttribute(Qt::WA_NoMouseReplay);
    connect(list_, &CDropList::selectionEnded, this, &CListWnd::OnSelectionEnded);
}

void CListWnd::resizeEvent(QResizeEvent*) { list_->setGeometry(rect()); }

void CListWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CListWnd::OnSelectionEnded(QPoint globalPos) {
    const int index = list_->currentRow();
    if (index < 0 || list_->IsHeading(index)) return;
    const bool inside = frameGeometry().contains(globalPos);
    if (inside) list_->SetSavedSelection(index);
    hide();
    if (inside) owner_->OnChoice(index);
}

void CListWnd::hideEvent(QHideEvent* event) {
    list_->setCurrentRow(list_->SavedSelection());
    QWidget::hideEvent(event);
}

}  // namespace quavelo
