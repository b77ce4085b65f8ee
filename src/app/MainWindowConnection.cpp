// The main window's connection: connecting to either model, the KD4 read-back and its completion
// by the timer, the level pollers, disconnecting and the device's removal.

#include <QMetaObject>

#include "app/MainWindow.h"
#include "app/ModelIds.h"
#include "device/Kd4ReportParser.h"
#include "device/ValueDisplay.h"
#include "link/HexBytes.h"
#include "pages/Kd4Page.h"
#include "pages/TorvaPage.h"
#include "widgets/ImageButton.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {
constexpr std::string_view kReadBackFailed = "Read para fail.";
}  // namespace

void MainWindow::ToggleConnection() {
    if (params_.connected == 0 && opened_ == 0) {
        Connect();
    } else {
        EndConnection();
    }
}

void MainWindow::Connect() {
    const std::int32_t model = params_.deviceModel;
    const std::optional<ModelUsbIds> ids = ModelUsbIdsOf(model);
    if (!ids) return;
    emit connecting(model);
    // A read-back job of an earlier connection ends within one request once its link is closed;
    // it must not write into this one.
    sendWorker_.DropPending();
    sendWorker_.WaitIdle();
    // A device that is not there is not reported: the page stays "Disconnect".
    if (!link_.FindAndOpen(ids->vendor, ids->product)) return;
    opened_ = 1;
    const std::uint64_t connection = connection_.fetch_add(1) + 1;
    if (model == kModelKd4) {
        ConnectKd4(connection);
    } else {
        ConnectTorva(connection);
    }
}

void MainWindow::ConnectTorva(std::uint64_t connection) {
    if (!commands_.ReadAllSettings()) {
        // The link stays open until Return, close or removal.
        prompt_.Info(kReadBackFailed);
        return;
    }
    params_.connected = 1;
    RefreshPage(kPageTorva);
    commands_.PushAllSettings();
    // A failed push shows "发送失败"; while that box is open the window goes on working, and a
    // removal or close may already have ended this connection.
    if (connection_.load() != connection) return;
    ShowConnected(true);
    TorvaPage* page = torvaPage_;
    poller_ = LevelPoller::StartTorva(commands_, params_, [page](const TorvaMeterPositions& p) {
        QMetaObject::invokeMethod(
            page, [page, p] { page->SetLevelMeters(p.first, p.second, p.mean); },
            Qt::QueuedConnection);
    });
    if (poller_) ++pollersStarted_;
}

void MainWindow::ConnectKd4(std::uint64_t connection) {
    link_.StartReader();
    for (SharedInt& seen : params_.blockSeen) seen = 0;
    params_.readbackDone = 0;
    // Fourteen requests 80 ms apart: on the send worker, so the window keeps working meanwhile.
    sendWorker_.Start([this, connection] { RequestKd4ReadBack(connection); },
                      Kd4SendWorker::Settle::None, Kd4SendWorker::Needs::Nothing);
}

void MainWindow::RequestKd4ReadBack(std::uint64_t connection) {
    if (connection_.load() != connection) return;
    commands_.RequestAllSettingsKd4();
    commands_.Pause(kKd4SeriesGap);
    if (connection_.load() != connection) return;
    // The reader keeps running after a failure: a complete read-back can still connect.
    if (!commands_.RequestAllSettingsKd4() && connection_.load() == connection) {
        prompt_.Info(kReadBackFailed);
    }
}

void MainWindow::LogAndParse(const HidReport& report) {
    log_.WriteLogLine("recdata:" + HexBytes(report));
    ParseKd4Report(report, params_);
}

void MainWindow::OnTimer() {
    if (params_.meterReady.Exchange(0) != 0) {
        kd4Page_->SetLevelMeter(LevelPercent(params_.meterLevel));
    }
    if (params_.statusReady.Exchange(0) != 0) RefreshPage(kPageKd4);
    if (params_.readbackDone.Exchange(0) != 0 && params_.deviceModel == kModelKd4 && opened_ != 0) {
        if (params_.connected == 0) {
            CompleteKd4Connection();
        } else {
            // The repeated request series completes a second time: only the page follows.
            RefreshPage(kPageKd4);
        }
    }
}

void MainWindow::CompleteKd4Connection() {
    params_.connected = 1;
    RefreshPage(kPageKd4);
    ShowConnected(true);
    if (poller_) return;
    poller_ = LevelPoller::StartKd4(commands_, params_);
    if (poller_) ++pollersStarted_;
}

void MainWindow::ShowConnected(bool connected) {
    status_->SetText(connected ? QStringLiteral("Connect") : QStringLiteral("Disconnect"));
    indicator_->SetChecked(connected ? 1 : 0);
}

void MainWindow::EndConnection() {
    connection_.fetch_add(1);
    if (poller_) poller_->RequestStop();
    if (params_.connected != 0) {
        ShowConnected(false);
        params_.connected = 0;
    }
    if (opened_ != 0) {
        // Ends an exchange the poller has in progress at once.
        link_.Close();
        opened_ = 0;
    }
    if (poller_) {
        poller_->Stop();
        poller_.reset();
    }
}

void MainWindow::OnDeviceChange() {
    if (removalMonitor_ == nullptr) return;
    if (!removalMonitor_->TakeRemovalOf(linkState_) || linkState_.DeviceFound() != 1) return;
    // A removal only ever ends a connection; it never starts one.
    if (params_.connected != 0 || opened_ != 0) ToggleConnection();
    linkState_.SetDeviceFound(0);
}

}  // namespace quavelo
