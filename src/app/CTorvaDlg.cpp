#include "app/CTorvaDlg.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>

#include "app/CLoginDlg.h"
#include "pages/CControlDlg.h"
#include "pages/CEqDlg.h"
#include "pages/CKd4Dlg.h"
#include "pages/CSettingDlg.h"
#include "widgets/CStaticST.h"
#include "widgets/ControlId.h"
#include "widgets/PngButton.h"
#include "widgets/SkinColor.h"

namespace quavelo {

namespace {

constexpr int kAppIcon = 177;
constexpr int kLampOff = 141;
constexpr int kLampOn = 142;
constexpr int kButtonNormal = 191;
constexpr int kButtonActive = 192;
// The header's texts, dark on the beige. The colour is opaque: a label's text colour is ARGB,
// and 0x202020 alone would have no alpha and draw nothing.
constexpr std::uint32_t kHeaderText = 0xFF202020;
constexpr int kTitlePoints = 15;
constexpr int kStatusPoints = 10;

const QString kStartTitle = QStringLiteral("QUAVELO");
const QString kDisconnected = QStringLiteral("Disconnect");

CStaticST* MakeHeaderLabel(QWidget* parent, int id, int points, const QString& text) {
    auto* label = new CStaticST(parent);
    SetControlId(label, id);
    label->SetFontSize(points);
    label->SetTextColor(kHeaderText);
    label->SetText(text);
    return label;
}

}  // namespace

CTorvaDlg::CTorvaDlg(DeviceParams& params, const PanelEnvironment& environment, QWidget* parent)
    : QWidget(parent),
      params_(params),
      prompt_(environment.prompt),
      removalMonitor_(environment.removalMonitor),
      link_(environment.backend, linkState_),
      log_(environment.dataDirectory),
      commands_(link_, params_, sleeper_, log_, prompt_),
      sendWorker_(params_, sleeper_),
      context_{params_, commands_, prompt_, sendWorker_, environment.dataDirectory} {
    link_.SetReportHandler([this](const HidReport& report, std::size_t) { LogAndParse(report); });
    OnInitDialog();
}

CTorvaDlg::~CTorvaDlg() {
    EndConnection();
    // The pages' send jobs refer to the pages: none may run once they are gone.
    sendWorker_.DropPending();
    sendWorker_.WaitIdle();
    timer_->stop();
    delete kd4Dlg_;
    delete controlDlg_;
    delete settingDlg_;
    delete eqDlg_;
    delete login_;
}

void CTorvaDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("QUAVELO 1.2"));
    setWindowIcon(QIcon(QStringLiteral(":/skin/%1.png").arg(kAppIcon)));

    if (removalMonitor_ != nullptr) {
        removalNotifier_ = new QSocketNotifier(removalMonitor_->Fd(), QSocketNotifier::Read, this);
        connect(removalNotifier_, &QSocketNotifier::activated, this, [this] { OnDeviceChange(); });
    }

    return_ = new PngButton(this);
    SetControlId(return_, kIdReturn);
    return_->SetButtonKind(PngButton::kPushButton);
    return_->SetImages3(kButtonNormal, kButtonActive, kButtonActive);
    return_->setGeometry(0, 10, 60, 30);
    connect(return_, &PngButton::clicked, this, [this] { OnReturn(); });

    params_.ResetToInitialValues();

    title_ = MakeHeaderLabel(this, kIdTitle, kTitlePoints, kStartTitle);
    status_ = MakeHeaderLabel(this, kIdStatus, kStatusPoints, kDisconnected);
    status_->SetAlignment(CStaticST::kFar);

    // The lamp shows the connection; clicking it does nothing.
    indicator_ = new PngButton(this);
    SetControlId(indicator_, kIdIndicator);
    indicator_->SetButtonKind(PngButton::kSwitch);
    indicator_->SetImages2(kLampOff, kLampOn);
    indicator_->setFocusPolicy(Qt::NoFocus);

    CreatePages();

    return_->setText(QStringLiteral("Return"));
    status_->SetText(kDisconnected);
    ShowPage(kPageStart);

    initialised_ = 1;
    // The window's frame at the screen's top left corner, its client area 1000 x 700.
    move(0, 0);
    resize(kWidth, kHeight);
    LayOut();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { OnTimer(); });
    timer_->start(kTimerPeriod);
}

void CTorvaDlg::CreatePages() {
    login_ = new CLoginDlg(params_, *this, this);
    login_->hide();
    login_->OnInitDialog();

    eqDlg_ = new CEqDlg(this);
    eqDlg_->hide();
    eqDlg_->OnInitDialog();

    settingDlg_ = new CSettingDlg(this);
    settingDlg_->hide();

    controlDlg_ = new CControlDlg(context_, this);
    controlDlg_->hide();
    controlDlg_->OnInitDialog();

    kd4Dlg_ = new CKd4Dlg(context_, this);
    kd4Dlg_->hide();
    kd4Dlg_->OnInitDialog();
}

void CTorvaDlg::ShowPage(int index) {
    if (index < kPageStart || index > kPageKd4) return;
    if (index == kPageKd4) RefreshPage(kPageKd4);
    eqDlg_->hide();
    settingDlg_->hide();
    login_->setVisible(index == kPageStart);
    controlDlg_->setVisible(index == kPageTorva);
    kd4Dlg_->setVisible(index == kPageKd4);
    const bool header = index != kPageStart;
    indicator_->setVisible(header);
    return_->setVisible(header);
    status_->setVisible(header);
    if (index == kPageStart) title_->SetText(kStartTitle);
}

void CTorvaDlg::SetTitleText(const QString& text) {
    title_->SetText(text);
    title_->repaint();
}

void CTorvaDlg::LayOut() {
    const int w = width();
    const int h = height();
    title_->setGeometry((w - 150) / 2, 10, 150, 30);
    indicator_->setGeometry(w - 70, 15, 44, 26);
    status_->setGeometry(w - 180, 20, 100, 20);
    for (QWidget* page :
         std::initializer_list<QWidget*>{login_, eqDlg_, settingDlg_, controlDlg_, kd4Dlg_}) {
        page->setGeometry(0, 50, w, h - 60);
    }
}

void CTorvaDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (initialised_ != 0) LayOut();
}

void CTorvaDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(FromGdiColor(0x202020));
    painter.fillRect(rect(), FromGdiColor(kBackground));
}

void CTorvaDlg::OnReturn() {
    EndConnection();
    ShowPage(kPageStart);
}

void CTorvaDlg::closeEvent(QCloseEvent* event) {
    EndConnection();
    ShowPage(kPageStart);
    event->accept();
}

void CTorvaDlg::RefreshPage(int index) {
    if (index == kPageTorva) {
        controlDlg_->RefreshFromParams();
    } else if (index == kPageKd4) {
        kd4Dlg_->RefreshFromParams();
    } else {
        return;
    }
    emit pageRefreshed(index);
}

}  // namespace quavelo
