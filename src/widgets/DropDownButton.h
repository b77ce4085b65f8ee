#pragma once

#include <QAbstractButton>
#include <QFont>

#include "widgets/SkinArt.h"
#include "widgets/SkinImage.h"

namespace quavelo {

class DropDownList;
class DropDownPopup;

// The pages' choice box: a button that shows the current choice over a bitmap and opens a list
// (DropDownPopup with its DropDownList) below itself on a press. A choice made in the list or with
// the mouse wheel is reported with choiceMade(choiceId, index), delivered queued. SetCurSel shows a
// choice without reporting it.
//
// From the keyboard Space or Alt+Down opens the list, where the arrow keys move and Enter chooses;
// Escape closes it with the last choice standing. While the button has the focus and the keyboard
// is in use it draws the focus mark (FocusMark.h).
class DropDownButton : public QAbstractButton {
    Q_OBJECT

  public:
    static constexpr int kMaxListHeight = 200;

    explicit DropDownButton(QWidget* parent = nullptr);

    // Loads the drop-down faces: DropDownFace normally, DropDownFaceHover under the mouse; the
    // button takes the face's size, keeping its place.
    void SetComboBitmaps();
    // Loads the bitmap a disabled button shows while it has the disabled look.
    void SetDisabledBitmap(SkinImage bitmap);
    // When set, a disabled button draws the disabled bitmap; otherwise no bitmap at all.
    void SetDisabledLook(bool look) {
        disabledLook_ = look;
        update();
    }

    // Creates the pop-up and its list; choiceId is what choiceMade reports as its first argument.
    // The list is as wide as the button. Returns false when the pop-up could not be made.
    bool CreateDropDown(int choiceId);
    // The list, or nullptr before CreateDropDown.
    DropDownList* List() const;
    DropDownPopup* Popup() const { return popup_; }
    bool ListOpen() const;

    // Shows item `index` (held to the list's items) on the button, at once, without reporting.
    void SetCurSel(int index);
    // The list's current selection, -1 when there is none.
    int GetCurSel() const;

    // The pop-up's report of a choice in the list.
    void OnChoice(int index);

  signals:
    void choiceMade(int choiceId, int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void OpenList();
    void PostChoice(int index);

    // A null face: the button is filled with the palette's button colour.
    SkinArt normalFace_;
    SkinArt hoverFace_;
    SkinArt disabledFace_;
    bool disabledLook_ = false;
    QFont font_;
    bool hover_ = false;
    DropDownPopup* popup_ = nullptr;
    int listWidth_ = 0;
    int choiceId_ = 0;
    int wheelAccumulator_ = 0;
};

}  // namespace quavelo
