#include "widgets/DropDownList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "widgets/SkinColor.h"

namespace quavelo {

namespace {

constexpr int kHeadingRole = Qt::UserRole + 1;

const QColor kBackground = FromGdiColor(0x32221B);
const QColor kHighlight = FromGdiColor(0x8A850D);
const QColor kText = FromGdiColor(0xFFFFFF);

class DropListDelegate : public QStyledItemDelegate {
  public:
    explicit DropListDelegate(DropDownList* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {list_->viewport()->width(), DropDownList::kItemHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool heading = index.data(kHeadingRole).toBool();
        const bool highlighted = !heading && (option.state & QStyle::State_Selected);
        const QRect r = option.rect;
        p->save();
        p->setPen(kBackground);
        p->setBrush(highlighted ? kHighlight : kBackground);
        p->drawRect(r.adjusted(-1, -1, 0, 0));

        p->setPen(kText);
        const QRect box(4, r.top(), r.right() - 5 - 4, r.height());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (heading) {
            p->setFont(list_->BoldFont());
            const QFontMetrics metrics(list_->BoldFont());
            p->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
            const int y = r.center().y();
            const int from = box.left() + metrics.horizontalAdvance(text) + 2;
            const int to = list_->viewport()->width() - 2;
            if (from < to) p->drawLine(from, y, to, y);
        } else {
            p->setFont(list_->NormalFont());
            const QFontMetrics metrics(list_->NormalFont());
            p->drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
                        metrics.elidedText(text, Qt::ElideRight, box.width()));
        }
        p->restore();
    }

  private:
    DropDownList* list_;
};

}  // namespace

DropDownList::DropDownList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new DropListDelegate(this));
    setUniformItemSizes(true);
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kBackground);
    setPalette(colours);
    SetListFont(font());
}

int DropDownList::AddString(const QString& text) {
    auto* item = new QListWidgetItem(text, this);
    item->setData(kHeadingRole, false);
    return row(item);
}

int DropDownList::AddHeading(const QString& text) {
    const int index = AddString(text);
    item(index)->setData(kHeadingRole, true);
    return index;
}

bool DropDownList::IsHeading(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry != nullptr && entry->data(kHeadingRole).toBool();
}

void DropDownList::SetListFont(const QFont& font) {
    normalFont_ = font;
    boldFont_ = font;
    boldFont_.setWeight(QFont::Bold);
    viewport()->update();
}

void DropDownList::mousePressEvent(QMouseEvent* event) {
    if (QListWidgetItem* under = itemAt(event->position().toPoint())) setCurrentItem(under);
    event->accept();
}

void DropDownList::mouseMoveEvent(QMouseEvent* event) {
    QListWidgetItem* under = itemAt(event->position().toPoint());
    if (under != nullptr && under != currentItem()) setCurrentItem(under);
    event->accept();
}

void DropDownList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit selectionEnded(event->globalPosition().toPoint());
    event->accept();
}

void DropDownList::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentItem() != nullptr) {
        emit selectionEnded(viewport()->mapToGlobal(visualItemRect(currentItem()).center()));
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace quavelo
