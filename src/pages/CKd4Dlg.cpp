#include "pages/CKd4Dlg.h"

#include <QPainter>

#include "pages/PageBackground.h"
#include "widgets/CMyProgressCtrl.h"
#include "widgets/ControlId.h"

namespace quavelo {

CKd4Dlg::CKd4Dlg(PageContext& context, QWidget* parent)
    : QWidget(parent), context_(context), levelMeter_(new CMyProgressCtrl(this)) {
    SetControlId(levelMeter_, kIdLevelMeter);
    levelMeter_->setGeometry(670, 380, 250, 20);
    levelMeter_->SetMeterImages(168, 167);
    levelMeter_->SetRange(0, 100);
    levelMeter_->SetPos(0);
}

bool CKd4Dlg::OnInitDialog() {
    RefreshFromParams();
    return true;
}

void CKd4Dlg::RefreshFromParams() {}

void CKd4Dlg::SetLevelMeter(int position) { levelMeter_->SetPos(position); }

void CKd4Dlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPageBackground(painter, rect());
    // The KD4 page also divides its lower panel at x 650 and x 240.
    PaintBar(painter, 650, 320, 120, Qt::Vertical);
    PaintBar(painter, 240, 320, 120, Qt::Vertical);
}

}  // namespace quavelo
