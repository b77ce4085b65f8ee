#pragma once

#include <QWidget>

namespace quavelo {

class DropDownButton;
class DropDownList;

// The borderless pop-up that opens below a drop-down button and holds its list. It closes on a
// choice, on a press outside it, on Escape, or when it loses the focus; it is owned by its button
// and created once per button. However it closes, the list's current item is the last choice
// again, so an item only highlighted under the pointer never becomes the button's selection.
//
// A press outside the pop-up closes it and goes on to whatever lies under the pointer, so one
// click on another control both closes the list and works that control; only a press on the
// pop-up's own button just closes it (passed on, it would open the list again).
class DropDownPopup : public QWidget {
    Q_OBJECT

  public:
    explicit DropDownPopup(DropDownButton* owner);

    DropDownList* List() const { return list_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // The user let go on the list's current item at globalPos: a heading is ignored; otherwise
    // when the pointer is still over the pop-up that item becomes the last choice and the button
    // is told; the pop-up closes either way.
    void OnSelectionEnded(QPoint globalPos);

    DropDownButton* owner_;
    DropDownList* list_;
};

}  // namespace quavelo
