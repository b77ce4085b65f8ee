#include "widgets/ImageSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "widgets/ControlId.h"
#include "widgets/FocusMark.h"
#include "widgets/OffscreenBuffer.h"
#include "widgets/SkinAccessibility.h"

namespace quavelo {

ImageSlider::ImageSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    InstallSkinAccessibility();
    TrackFocusMark(this);
}

void ImageSlider::SetChannelImages(SkinImage fill, SkinImage channel) {
    fill_ = SkinArt::Png(fill);
    channel_ = SkinArt::Png(channel);
    width_ = fill_.width();
    height_ = fill_.height();
    resize(width_, height_);
    channelSet_ = true;
    update();
}

void ImageSlider::SetThumbImages(SkinImage thumb, SkinImage activeThumb) {
    thumb_ = SkinArt::Png(thumb);
    activeThumb_ = SkinArt::Png(activeThumb);
    thumbWidth_ = thumb_.width();
    thumbHeight_ = thumb_.height();
    if (!channelSet_) {
        width_ = width();
        height_ = height();
    }
    thumbSet_ = true;
    update();
}

void ImageSlider::SetPos(int value) {
    const int pos = std::clamp(value, min_, std::max(min_, max_));
    if (pos != pos_) NotifyAccessibleValue(this, pos);
    pos_ = pos;
    update();
}

void ImageSlider::ChangeTo(int value) {
    SetPos(value);
    PostReleased();
}

QString ImageSlider::ValueText() const {
    return valueText_ ? valueText_(pos_) : QString::number(pos_);
}

void ImageSlider::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    SetPos(pos_);
}

void ImageSlider::SetMargins(int left, int right, int top, int bottom) {
    marginLeft_ = left;
    marginRight_ = right;
    marginTop_ = top;
    marginBottom_ = bottom;
    update();
}

void ImageSlider::SetVertical(bool vertical) {
    vertical_ = vertical;
    update();
}

SliderAxis ImageSlider::Axis() const {
    if (vertical_) return {min_, max_, height_, thumbHeight_, marginTop_, marginBottom_};
    return {min_, max_, width_, thumbWidth_, marginLeft_, marginRight_};
}

int ImageSlider::AlongAxis(const QPointF& point) const {
    return static_cast<int>(vertical_ ? point.y() : point.x());
}

void ImageSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    const int pointer = AlongAxis(event->position());
    dragOffset_ = DragOffset(Axis(), pos_, pointer);
    MoveTo(pointer);
    update();
}

void ImageSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) MoveTo(AlongAxis(event->position()));
}

void ImageSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    update();
    PostReleased();
}

// One drag step: the thumb follows the pointer, held on its travel. Only a change of the value
// is reported; moving within one value's pixels repaints nothing and reports nothing.
void ImageSlider::MoveTo(int pointer) {
    const SliderAxis axis = Axis();
    const int target = DragTarget(axis, pointer, dragOffset_);
    if (target == PosToPixel(axis, pos_)) return;
    const int pos = std::clamp(PixelToPos(axis, target), min_, std::max(min_, max_));
    if (pos == pos_) return;
    SetPos(pos);
    PostMoving();
}

void ImageSlider::keyPressEvent(QKeyEvent* event) {
    int pos = pos_;
    switch (event->key()) {
        case Qt::Key_PageUp:
            pos = pos_ - page_;
            break;
        case Qt::Key_PageDown:
            pos = pos_ + page_;
            break;
        case Qt::Key_End:
            pos = max_;
            break;
        case Qt::Key_Home:
            pos = min_;
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            pos = pos_ - 1;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            pos = pos_ + 1;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    if (!event->isAutoRepeat()) {
        ChangeTo(pos);
        return;
    }
    keyRepeating_ = true;
    const int before = pos_;
    SetPos(pos);
    if (pos_ != before) PostMoving();
}

// Letting go of a held key ends its drag; so does the focus leaving meanwhile.
void ImageSlider::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || !keyRepeating_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    keyRepeating_ = false;
    PostReleased();
}

void ImageSlider::focusOutEvent(QFocusEvent* event) {
    if (keyRepeating_) {
        keyRepeating_ = false;
        PostReleased();
    }
    QWidget::focusOutEvent(event);
}

void ImageSlider::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        dragging_ = false;
        keyRepeating_ = false;
    }
    QWidget::changeEvent(event);
}

void ImageSlider::PostMoving() {
    QMetaObject::invokeMethod(
        this, [this, id = ControlId(this), pos = pos_] { emit moving(id, pos); },
        Qt::QueuedConnection);
}

void ImageSlider::PostReleased() {
    QMetaObject::invokeMethod(
        this, [this, id = ControlId(this), pos = pos_] { emit released(id, pos); },
        Qt::QueuedConnection);
}

void ImageSlider::paintEvent(QPaintEvent*) {
    QPainter target(this);
    OffscreenBuffer dc(target, rect());
    const int c = ThumbCentre();
    if (channelSet_) {
        const QRect whole(0, 0, width_, height_);
        if (!isEnabled() || channel_.isNull()) {
            DrawSkinArt(dc.painter(), whole, channel_, whole);
        } else if (vertical_) {
            const QRect above(0, 0, width_, c);
            const QRect below(0, c, width_, height_ - c);
            DrawSkinArt(dc.painter(), above, channel_, above);
            DrawSkinArt(dc.painter(), below, fill_, below);
        } else {
            const QRect before(0, 0, c, height_);
            const QRect after(c, 0, width_ - c, height_);
            DrawSkinArt(dc.painter(), before, fill_, before);
            DrawSkinArt(dc.painter(), after, channel_, after);
        }
    }
    if (thumbSet_ && isEnabled()) {
        const SkinArt& image = dragging_ ? activeThumb_ : thumb_;
        const QPoint at = vertical_ ? QPoint(marginLeft_, c - thumbHeight_ / 2)
                                    : QPoint(c - thumbWidth_ / 2, marginTop_);
        DrawSkinArt(dc.painter(), QRect(at, QSize(thumbWidth_, thumbHeight_)), image);
    }
    if (ShowsFocusMark(this)) PaintFocusMark(dc.painter(), rect(), 5.0);
}

}  // namespace quavelo
