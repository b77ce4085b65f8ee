#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include "widgets/SkinArt.h"
#include "widgets/SkinImage.h"
#include "widgets/SliderAxis.h"

namespace quavelo {

// The skinned fader of the pages: a channel image, filled up to the thumb with a second image,
// and a thumb image at the position of an integer value in [min, max]. The user drags the thumb
// or uses the keys; the slider reports its control id (ControlId.h) and the new value with
// moving() while a drag changes the value and with released() when the mouse button is released
// or a key changed the value. Both signals are delivered queued, after the slider's own event
// handling has returned, carrying the values of the moment they were raised.
//
// Keys: Left and Up step down by one, Right and Down up by one, Page Up and Page Down by the
// page, Home and End go to min and max. A key press reports released(), like the end of a drag;
// a held key's repeats report moving(), and letting go of it released(), so a held key is sent
// as a drag is. While the slider has the focus and the keyboard is in use it draws the focus
// mark (FocusMark.h).
//
// A disabled slider (QWidget::setEnabled(false)) takes no mouse or key input and draws its plain
// channel without a thumb.
class ImageSlider : public QWidget {
    Q_OBJECT

  public:
    explicit ImageSlider(QWidget* parent = nullptr);

    // Loads the fill and channel images; the control takes the fill image's size.
    void SetChannelImages(SkinImage fill, SkinImage channel);
    // Loads the thumb images; without a channel the control's current size is used.
    void SetThumbImages(SkinImage thumb, SkinImage activeThumb);

    // The value, held in [min, max]; repaints, reports nothing.
    void SetPos(int value);
    // The value set as a key sets it: held in [min, max], reported with released().
    void ChangeTo(int value);
    int GetPos() const { return pos_; }
    void SetRange(int min, int max);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetPage(int page) { page_ = page; }
    void SetMargins(int left, int right, int top, int bottom);
    void SetVertical(bool vertical);
    bool Vertical() const { return vertical_; }

    // How the value reads to a screen reader ("12dB"); the number itself until the owner says.
    void SetValueText(std::function<QString(int)> text) { valueText_ = std::move(text); }
    QString ValueText() const;

    bool Dragging() const { return dragging_; }
    // The slider's axis as the maths sees it (SliderAxis.h).
    SliderAxis Axis() const;
    // The thumb's centre along the axis for the current value.
    int ThumbCentre() const { return PosToPixel(Axis(), pos_); }

  signals:
    void moving(int controlId, int pos);
    void released(int controlId, int pos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    int AlongAxis(const QPointF& point) const;
    void MoveTo(int pointer);
    void PostMoving();
    void PostReleased();

    int max_ = 100;
    int min_ = 0;
    int pos_ = 0;
    int page_ = 20;
    int width_ = 0;
    int height_ = 0;
    int thumbWidth_ = 0;
    int thumbHeight_ = 0;
    int marginLeft_ = 0;
    int marginRight_ = 0;
    int marginTop_ = 0;
    int marginBottom_ = 0;
    int dragOffset_ = 0;
    bool vertical_ = false;
    bool channelSet_ = false;
    bool thumbSet_ = false;
    bool dragging_ = false;
    bool keyRepeating_ = false;
    std::function<QString(int)> valueText_;
    SkinArt fill_;
    SkinArt channel_;
    SkinArt thumb_;
    SkinArt activeThumb_;
};

}  // namespace quavelo
