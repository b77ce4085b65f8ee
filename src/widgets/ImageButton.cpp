#include "widgets/ImageButton.h"

#include <QEnterEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include <cstdint>

#include "widgets/FocusMark.h"
#include "widgets/OffscreenBuffer.h"
#include "widgets/SkinAccessibility.h"
#include "widgets/SkinColor.h"

namespace quavelo {

namespace {

constexpr std::uint32_t kCaptionColor = 0xFFFFFFFF;  // ARGB

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
    InstallSkinAccessibility();
    TrackFocusMark(this);
}

void ImageButton::SetImages3(SkinImage normal, SkinImage pressed, SkinImage hover) {
    images_ = {SkinArt::Png(normal), SkinArt::Png(pressed), SkinArt::Png(hover)};
    update();
}

void ImageButton::SetImages2(SkinImage unchecked, SkinImage checked) {
    images_ = {SkinArt::Png(unchecked), SkinArt::Png(checked), SkinArt()};
    update();
}

void ImageButton::SetChecked(int checked) {
    const bool changed = (checked != 0) != (checked_ != 0);
    checked_ = checked;
    update();
    if (changed) NotifyAccessibleChecked(this);
}

const SkinArt* ImageButton::CurrentImage() const {
    if (kind_ == kPushButton) return &images_[isDown() ? 1 : hovering_ ? 2 : 0];
    if (images_[0].isNull()) return nullptr;
    return &images_[checked_ != 0 ? 1 : 0];
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter target(this);
    OffscreenBuffer dc(target, rect());
    dc->setRenderHint(QPainter::SmoothPixmapTransform);
    const SkinArt* image = CurrentImage();
    const QRect face = rect();
    if (image != nullptr && !image->isNull()) DrawSkinArt(dc.painter(), face, *image);
    if (ShowsFocusMark(this)) {
        const int in = focusInset_;
        PaintFocusMark(dc.painter(), face.adjusted(in, in, -in, -in), focusRadius_);
    }

    // The caption takes the parent's font size in the caption face; a button without a parent
    // has no font to follow and draws no caption.
    if (!drawCaption_ || parentWidget() == nullptr || text().isEmpty()) return;
    QFont font = parentWidget()->font();
    font.setFamily(QStringLiteral("Microsoft MHei"));
    font.setWeight(QFont::Normal);
    font.setHintingPreference(QFont::PreferFullHinting);
    dc->setRenderHint(QPainter::TextAntialiasing);
    dc->setFont(font);
    dc->setPen(FromArgb(kCaptionColor));
    dc->drawText(face, Qt::AlignCenter, text());
}

void ImageButton::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

bool ImageButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (text().isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text(), this);
        }
        return true;
    }
    return QAbstractButton::event(event);
}

// Enter clicks at once; Space keeps Qt's press on the key and click on its release. The arrow
// keys go on to the owner instead of moving the focus.
void ImageButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) click();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            event->ignore();
            return;
        default:
            QAbstractButton::keyPressEvent(event);
    }
}

}  // namespace quavelo
