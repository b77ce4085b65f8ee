#include "widgets/DropDownButton.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>

#include "widgets/DropDownList.h"
#include "widgets/DropDownPopup.h"
#include "widgets/FocusMark.h"
#include "widgets/OffscreenBuffer.h"
#include "widgets/SkinAccessibility.h"
#include "widgets/SkinColor.h"

namespace quavelo {

namespace {

// A face whose character cell (ascent + descent) is `cellHeight` pixels, as the choice box's
// font is given.
QFont CellHeightFont(const QString& family, int cellHeight, QFont::Weight weight) {
    QFont font(family);
    font.setWeight(weight);
    font.setPixelSize(cellHeight);
    const int height = QFontMetrics(font).height();
    if (height > cellHeight) font.setPixelSize(std::max(1, cellHeight * cellHeight / height));
    return font;
}

constexpr int kWheelNotch = 120;
constexpr std::uint32_t kTextColor = 0xFFFFFF;

}  // namespace

DropDownButton::DropDownButton(QWidget* parent)
    : QAbstractButton(parent),
      font_(CellHeightFont(QStringLiteral("Microsoft MHei"), 20, QFont::Normal)) {
    setCursor(Qt::PointingHandCursor);
    InstallSkinAccessibility();
    TrackFocusMark(this);
}

void DropDownButton::SetComboBitmaps() {
    normalFace_ = SkinArt::Bitmap(SkinImage::DropDownFace);
    hoverFace_ = SkinArt::Bitmap(SkinImage::DropDownFaceHover);
    if (!normalFace_.isNull()) resize(normalFace_.size());
    update();
}

void DropDownButton::SetDisabledBitmap(SkinImage bitmap) {
    disabledFace_ = SkinArt::Bitmap(bitmap);
    update();
}

bool DropDownButton::CreateDropDown(int choiceId) {
    if (popup_ != nullptr) return true;
    listWidth_ = width();
    popup_ = new DropDownPopup(this);
    popup_->List()->SetListFont(font_);
    choiceId_ = choiceId;
    return true;
}

DropDownList* DropDownButton::List() const { return popup_ != nullptr ? popup_->List() : nullptr; }

bool DropDownButton::ListOpen() const { return popup_ != nullptr && popup_->isVisible(); }

void DropDownButton::SetCurSel(int index) {
    DropDownList* list = List();
    if (list == nullptr || list->count() == 0) return;
    index = std::clamp(index, 0, list->count() - 1);
    list->setCurrentRow(index);
    list->SetSavedSelection(index);
    setText(list->item(index)->text());
    repaint();
    NotifyAccessibleValue(this, text());
}

int DropDownButton::GetCurSel() const {
    const DropDownList* list = List();
    return list != nullptr ? list->currentRow() : -1;
}

void DropDownButton::OnChoice(int index) {
    DropDownList* list = List();
    setText(list->item(index)->text());
    NotifyAccessibleValue(this, text());
    hover_ = true;
    setFocus(Qt::OtherFocusReason);
    repaint();
    PostChoice(index);
    list->SetSavedSelection(index);
}

void DropDownButton::PostChoice(int index) {
    QMetaObject::invokeMethod(
        this, [this, id = choiceId_, index] { emit choiceMade(id, index); }, Qt::QueuedConnection);
}

void DropDownButton::OpenList() {
    DropDownList* list = List();
    const int count = list->count();
    int height = kMaxListHeight;
    if (count > 0) height = std::min(height, DropDownList::kItemHeight * count);
    const QPoint bottomLeft = mapToGlobal(QPoint(0, this->height()));
    popup_->setGeometry(bottomLeft.x(), bottomLeft.y() - 1, listWidth_, height + 1);
    popup_->show();
    list->setFocus(Qt::PopupFocusReason);
    if (list->currentItem() != nullptr) list->scrollToItem(list->currentItem());
}

void DropDownButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    hover_ = false;
    if (popup_ != nullptr) {
        if (popup_->isVisible()) {
            popup_->hide();
        } else {
            OpenList();
        }
    }
    update();
}

void DropDownButton::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void DropDownButton::wheelEvent(QWheelEvent* event) {
    event->accept();
    DropDownList* list = List();
    if (list == nullptr || list->count() == 0) return;
    wheelAccumulator_ =
        std::clamp(wheelAccumulator_ + event->angleDelta().y(), -kWheelNotch, kWheelNotch);
    if (wheelAccumulator_ != kWheelNotch && wheelAccumulator_ != -kWheelNotch) return;
    const int current = list->currentRow();
    const int index =
        wheelAccumulator_ < 0 ? std::min(current + 1, list->count() - 1) : std::max(current - 1, 0);
    wheelAccumulator_ = 0;
    SetCurSel(index);
    PostChoice(index);
}

void DropDownButton::keyPressEvent(QKeyEvent* event) {
    const bool altArrow = (event->modifiers() & Qt::AltModifier) != 0 &&
                          (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up);
    if (event->key() != Qt::Key_Space && !altArrow) {
        event->ignore();
        return;
    }
    if (popup_ != nullptr && !popup_->isVisible()) {
        hover_ = false;
        OpenList();
        update();
    }
}

void DropDownButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void DropDownButton::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void DropDownButton::focusOutEvent(QFocusEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::focusOutEvent(event);
}

void DropDownButton::paintEvent(QPaintEvent*) {
    QPainter target(this);
    OffscreenBuffer dc(target, rect());
    const SkinArt* face = &normalFace_;
    if (!isEnabled()) {
        face = disabledLook_ ? &disabledFace_ : nullptr;
    } else if (hover_) {
        face = &hoverFace_;
    }
    if (face == nullptr || face->isNull()) {
        dc->fillRect(rect(), palette().button());
    } else {
        dc->setRenderHint(QPainter::SmoothPixmapTransform);
        DrawSkinArt(dc.painter(), rect(), *face);
    }
    if (ShowsFocusMark(this)) PaintFocusMark(dc.painter(), rect(), 5.0);
    if (text().isEmpty()) return;
    dc->setFont(font_);
    dc->setPen(FromGdiColor(kTextColor));
    dc->drawText(rect().adjusted(5, 0, -20, 0), Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace quavelo
