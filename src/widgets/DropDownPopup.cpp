#include "widgets/DropDownPopup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include "widgets/DropDownButton.h"
#include "widgets/DropDownList.h"

namespace quavelo {

DropDownPopup::DropDownPopup(DropDownButton* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      owner_(owner),
      list_(new DropDownList(this)) {
    // mousePressEvent passes a press outside on itself: the toolkit's own replay is posted, so
    // it may come after the release, and it would reach the drop-down's button too and reopen
    // the list.
    setAttribute(Qt::WA_NoMouseReplay);
    connect(list_, &DropDownList::selectionEnded, this, &DropDownPopup::OnSelectionEnded);
}

void DropDownPopup::resizeEvent(QResizeEvent*) { list_->setGeometry(rect()); }

// While the pop-up is open it takes every press; one that reaches the pop-up itself rather than
// its list lies outside it.
void DropDownPopup::mousePressEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    const QPointer<QWidget> under = QApplication::widgetAt(event->globalPosition().toPoint());
    close();
    if (under == nullptr || under == owner_ || owner_->isAncestorOf(under)) return;
    QWidget* window = under->window();
    QWindow* handle = window->windowHandle();
    if (handle == nullptr) return;
    if (!window->isActiveWindow()) window->activateWindow();
    // Delivered at once and through the window, as the window system's press is, so the window
    // picks the control and the release that follows goes to the same one.
    const QPointF local = window->mapFromGlobal(event->globalPosition());
    QMouseEvent press(QEvent::MouseButtonPress, local, local, event->globalPosition(),
                      event->button(), event->buttons(), event->modifiers(),
                      event->pointingDevice());
    press.setTimestamp(event->timestamp());
    QCoreApplication::sendEvent(handle, &press);
}

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
