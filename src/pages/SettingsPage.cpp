#include "pages/SettingsPage.h"

#include <QPushButton>

#include "widgets/ControlId.h"

namespace quavelo {

namespace {

// The page's template: 309 x 178 dialog units; its buttons 50 x 14 units, 7 units from the edge.
constexpr QSize kPageSize(464, 289);
constexpr QSize kButtonSize(75, 23);
constexpr int kMargin = 11;
constexpr int kGap = 6;

}  // namespace

SettingsPage::SettingsPage(QWidget* parent)
    : QWidget(parent),
      ok_(new QPushButton(tr("OK"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    resize(kPageSize);
    SetControlId(ok_, kIdOk);
    SetControlId(cancel_, kIdCancel);
    ok_->setGeometry(QRect(QPoint(kMargin, kMargin), kButtonSize));
    cancel_->setGeometry(QRect(QPoint(kMargin + kButtonSize.width() + kGap, kMargin), kButtonSize));
    connect(ok_, &QPushButton::clicked, this, &QWidget::hide);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
}

}  // namespace quavelo
