#include "pages/CControlDlg.h"

#include <QPainter>

#include "pages/PageBackground.h"
#include "widgets/CMyProgressCtrl.h"
#include "widgets/ControlId.h"

namespace quavelo {

namespace {

constexpr int kMeterFill = 168;
constexpr int kMeterBackground = 167;

CMyProgressCtrl* MakeMeter(QWidget* page, int id, const QRect& place) {
    auto* meter = new CMyProgressCtrl(page);
    SetControlId(meter, id);
    meter->setGeometry(place);
    meter->SetRange(0, 100);
    meter->SetPos(0);
    meter->SetMeterImages(kMeterFill, kMeterBackground);
    return meter;
}

}  // namespace

CControlDlg::CControlDlg(PageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      meterMono_(MakeMeter(this, kIdMeterMono, {700, 370, 200, 10})),
      meterLeft_(MakeMeter(this, kIdMeterLeft, {700, 360, 200, 10})),
      meterRight_(MakeMeter(this, kIdMeterRight, {700, 380, 200, 10})) {}

bool CControlDlg::OnInitDialog() {
    ShowStereoMeters(false);
    RefreshFromParams();
    return true;
}

void CControlDlg::RefreshFromParams() { ShowStereoMeters(context_.params.stereo == 1); }

void CControlDlg::SetLevelMeters(int first, int second, int mean) {
    meterLeft_->SetPos(first);
    meterRight_->SetPos(second);
    meterMono_->SetPos(mean);
}

void CControlDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPageBackground(painter, rect());
}

void CControlDlg::ShowStereoMeters(bool stereo) {
    meterLeft_->setVisible(stereo);
    meterRight_->setVisible(stereo);
    meterMono_->setVisible(!stereo);
}

}  // namespace quavelo
