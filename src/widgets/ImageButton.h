#pragma once

#include <QAbstractButton>

#include <array>

#include "widgets/SkinArt.h"
#include "widgets/SkinImage.h"

namespace quavelo {

// The image button of every page: a push button (normal, pressed and hover images) or a
// two-state switch (unchecked and checked images), the images drawn over the whole control, with
// an optional white caption centred over them; the tooltip shows the caption. A click emits
// clicked(); the button never changes its checked state itself — the owner flips it with
// SetChecked in its click handler. Qt's own checkable state is not used.
//
// From the keyboard Space and Enter click the button; the arrow keys are left to the owner.
// While the button has the focus and the keyboard is in use it draws the focus mark
// (FocusMark.h).
class ImageButton : public QAbstractButton {
    Q_OBJECT

  public:
    enum Kind { kPushButton = 0, kSwitch = 1 };

    explicit ImageButton(QWidget* parent = nullptr);

    // Load the skin images (one that cannot be loaded leaves that state blank), drawn over the
    // whole control. A later call replaces the images.
    void SetImages3(SkinImage normal, SkinImage pressed, SkinImage hover);
    void SetImages2(SkinImage unchecked, SkinImage checked);

    void SetButtonKind(int kind) {
        kind_ = kind;
        update();
    }
    int ButtonKind() const { return kind_; }
    // Switch state, 0 or 1; repaints.
    void SetChecked(int checked);
    int Checked() const { return checked_; }
    // A switch that is one of a set of which exactly one is on (the owner keeps it so): screen
    // readers hear it as a radio button rather than a check box.
    void SetExclusive(bool exclusive) { exclusive_ = exclusive; }
    bool Exclusive() const { return exclusive_; }
    // Where the focus mark runs: `inset` pixels inside the control, with corner radius `radius`.
    void SetFocusMarkShape(int inset, qreal radius) {
        focusInset_ = inset;
        focusRadius_ = radius;
    }
    void SetDrawCaption(bool draw) {
        drawCaption_ = draw;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const SkinArt* CurrentImage() const;

    int kind_ = kSwitch;
    int checked_ = 0;
    bool exclusive_ = false;
    int focusInset_ = 0;
    qreal focusRadius_ = 5.0;
    bool drawCaption_ = true;
    bool hovering_ = false;
    std::array<SkinArt, 3> images_;
};

}  // namespace quavelo
