#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QSocketNotifier>

#include "app/StartScreen.h"
#include "pages/EqualiserPage.h"
#include "pages/Kd4Page.h"
#include "pages/SettingsPage.h"
#include "pages/TorvaPage.h"
#include "widgets/ControlId.h"
#include "widgets/ImageButton.h"
#include "widgets/PngResource.h"
#include "widgets/SkinColor.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

// The header's texts, dark on the beige. The colour is opaque: a label's text colour is ARGB,
// and 0x202020 alone would have no alpha and draw nothing.
constexpr std::uint32_t kHeaderText = 0xFF202020;
constexpr int kTitlePoints = 15;
constexpr int kStatusPoints = 10;

const QString kStartTitle = QStringLiteral("QUAVELO");

SkinLabel* MakeHeaderLabel(QWidget* parent, int id, int points, const QString& text) {
    auto* label = new SkinLabel(parent);
    SetControlId(label, id);
    label->SetFontSize(points);
    label->SetTextColor(kHeaderText);
    label->SetText(text);
    return label;
}

}  // namespace

MainWindow::MainWindow(DeviceParams& params, const PanelEnvironment& environment, QWidget* parent)
    : QWidget(parent),
      params_(params),
      prompt_(environment.prompt),
      removalMonitor_(environment.removalMonitor),
      log_(environment.dataDirectory),
      session_(environment.backend, params_, sleeper_, log_, prompt_),
      context_{params_, session_.Commands(), prompt_, session_.Worker(),
               environment.dataDirectory} {
    session_.SetSink([this](const SessionEvent& event) {
        QMetaObject::invokeMethod(
            this, [this, event] { OnSessionEvent(event); }, Qt::QueuedConnection);
    });
    OnInitDialog();
}

MainWindow::~MainWindow() {
    EndConnection();
    // The pages' send jobs and the session's events refer to the window and its pages: none may
    // run once they are gone.
    session_.Worker().DropPending();
    session_.Worker().WaitIdle();
    session_.SetSink({});
    delete kd4Page_;
    delete torvaPage_;
    delete settingsPage_;
    delete equaliserPage_;
    delete startScreen_;
}

void MainWindow::OnInitDialog() {
    setWindowTitle(QStringLiteral("QUAVELO 1.2"));
    setWindowIcon(QIcon(PngResourcePath(SkinImage::AppIcon)));

    if (removalMonitor_ != nullptr) {
        removalNotifier_ = new QSocketNotifier(removalMonitor_->Fd(), QSocketNotifier::Read, this);
        connect(removalNotifier_, &QSocketNotifier::activated, this, [this] { OnDeviceChange(); });
    }

    return_ = new ImageButton(this);
    SetControlId(return_, kIdReturn);
    return_->SetButtonKind(ImageButton::kPushButton);
    return_->SetImages3(SkinImage::Button, SkinImage::ButtonLit, SkinImage::ButtonLit);
    return_->setGeometry(0, 10, 60, 30);
    connect(return_, &ImageButton::clicked, this, [this] { OnReturn(); });

    params_.ResetToInitialValues();

    title_ = MakeHeaderLabel(this, kIdTitle, kTitlePoints, kStartTitle);
    status_ = MakeHeaderLabel(this, kIdStatus, kStatusPoints, tr("Disconnect"));
    status_->SetAlignment(SkinLabel::kFar);

    // The lamp shows the connection; clicking it does nothing.
    indicator_ = new ImageButton(this);
    SetControlId(indicator_, kIdIndicator);
    indicator_->SetButtonKind(ImageButton::kSwitch);
    indicator_->SetImages2(SkinImage::LampOff, SkinImage::LampOn);
    indicator_->setFocusPolicy(Qt::NoFocus);
    indicator_->setAccessibleName(tr("Connection"));

    CreatePages();

    return_->setText(tr("Return"));
    ShowPage(kPageStart);

    initialised_ = 1;
    // The window's frame at the screen's top left corner, its client area 1000 x 700.
    move(0, 0);
    resize(kWidth, kHeight);
    LayOut();
}

void MainWindow::CreatePages() {
    startScreen_ = new StartScreen(params_, *this, this);
    startScreen_->hide();
    startScreen_->OnInitDialog();

    equaliserPage_ = new EqualiserPage(this);
    equaliserPage_->hide();
    equaliserPage_->OnInitDialog();

    settingsPage_ = new SettingsPage(this);
    settingsPage_->hide();

    torvaPage_ = new TorvaPage(context_, this);
    torvaPage_->hide();
    torvaPage_->OnInitDialog();

    kd4Page_ = new Kd4Page(context_, this);
    kd4Page_->hide();
    kd4Page_->OnInitDialog();
}

void MainWindow::ShowPage(int index) {
    if (index < kPageStart || index > kPageKd4) return;
    if (index == kPageKd4) kd4Page_->RefreshFromParams();
    equaliserPage_->hide();
    settingsPage_->hide();
    startScreen_->setVisible(index == kPageStart);
    torvaPage_->setVisible(index == kPageTorva);
    kd4Page_->setVisible(index == kPageKd4);
    const bool header = index != kPageStart;
    indicator_->setVisible(header);
    return_->setVisible(header);
    status_->setVisible(header);
    if (index == kPageStart) title_->SetText(kStartTitle);
    // The focus goes with the page: to the chosen tile, or to the page's first control.
    if (index == kPageStart) {
        startScreen_->FocusChoice();
    } else {
        PageWidget(index == kPageTorva ? Model::Torva : Model::Kd4)->FocusFirstControl();
    }
}

void MainWindow::SetTitleText(const QString& text) {
    title_->SetText(text);
    title_->repaint();
}

void MainWindow::LayOut() {
    const int w = width();
    const int h = height();
    title_->setGeometry((w - 150) / 2, 10, 150, 30);
    indicator_->setGeometry(w - 70, 15, 44, 26);
    status_->setGeometry(w - 180, 20, 100, 20);
    for (QWidget* page : std::initializer_list<QWidget*>{startScreen_, equaliserPage_,
                                                         settingsPage_, torvaPage_, kd4Page_}) {
        page->setGeometry(0, 50, w, h - 60);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (initialised_ != 0) LayOut();
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(FromGdiColor(0x202020));
    painter.fillRect(rect(), FromGdiColor(kBackground));
}

void MainWindow::OnReturn() {
    EndConnection();
    ShowPage(kPageStart);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    EndConnection();
    ShowPage(kPageStart);
    event->accept();
}

}  // namespace quavelo
