// The main window's connection: connecting to the model in use through the device session, the
// session's events, disconnecting and the device's removal.

#include "app/MainWindow.h"

#include <QApplication>

#include "device/Messages.h"
#include "device/ValueDisplay.h"
#include "pages/Kd4Page.h"
#include "pages/TorvaPage.h"
#include "widgets/ImageButton.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

void MainWindow::ToggleConnection() {
    if (params_.connected == 0 && !session_.IsOpen()) {
        Connect();
    } else {
        EndConnection();
    }
}

ControlPage* MainWindow::PageWidget(Model model) const {
    switch (model) {
        case Model::Torva:
            return torvaPage_;
        case Model::Kd4:
            return kd4Page_;
    }
    return torvaPage_;
}

int MainWindow::PageOf(Model model) {
    switch (model) {
        case Model::Torva:
            return kPageTorva;
        case Model::Kd4:
            return kPageKd4;
    }
    return kPageTorva;
}

void MainWindow::Connect() {
    emit connecting(params_.deviceModel);
    switch (session_.Open()) {
        case DeviceSession::OpenResult::Opened:
            break;
        case DeviceSession::OpenResult::NoDevice:
            // A device that is not there is not reported: the page stays "Disconnect".
            return;
        case DeviceSession::OpenResult::NotOpenable:
        case DeviceSession::OpenResult::InUse:
        case DeviceSession::OpenResult::Failed:
            // One is there but cannot be opened: the session says which, why and what to do.
            prompt_.Info(session_.OpenProblem());
            return;
    }
    // Until the read-back has ended its answers may still overwrite the model, so the page
    // takes no edits: it is enabled again when the connection completes or ends.
    PageWidget(params_.deviceModel)->setEnabled(false);
    session_.StartReadBack();
}

void MainWindow::OnSessionEvent(const SessionEvent& event) {
    if (event.opening != session_.Opening() || !session_.IsOpen()) return;
    switch (event.kind) {
        case SessionEvent::Kind::ReadBackEnded:
            if (!event.ok) {
                // The link stays open until Return, close or removal.
                prompt_.Info(message::kReadBackFailed);
                return;
            }
            CompleteConnection(event.opening);
            return;
        case SessionEvent::Kind::Levels:
            PageWidget(params_.deviceModel)->ShowLevels(event.levels);
            return;
        case SessionEvent::Kind::DeviceChanged:
            PageWidget(params_.deviceModel)->RefreshFromParams();
            return;
    }
}

void MainWindow::CompleteConnection(std::uint64_t opening) {
    params_.connected = 1;
    ControlPage* page = PageWidget(params_.deviceModel);
    page->RefreshFromParams();
    page->setEnabled(true);
    // The focus left the page while it was disabled; it comes back to its first control.
    if (page->isVisible() && !page->isAncestorOf(QApplication::focusWidget())) {
        page->FocusFirstControl();
    }
    session_.PushIfDue();
    // A failed push shows "Send failed"; while that box is open the window goes on working, and a
    // removal or close may already have ended this connection.
    if (session_.Opening() != opening || params_.connected == 0) return;
    ShowConnected(true);
    session_.StartLevelPolling();
}

void MainWindow::ShowConnected(bool connected) {
    status_->SetText(connected ? tr("Connect") : tr("Disconnect"));
    indicator_->SetChecked(connected ? 1 : 0);
}

void MainWindow::EndConnection() {
    if (params_.connected != 0) {
        ShowConnected(false);
        params_.connected = 0;
    }
    session_.Close();
    for (Model model : kModels) PageWidget(model)->setEnabled(true);
}

void MainWindow::OnDeviceChange() {
    if (removalMonitor_ == nullptr) return;
    LinkState& state = session_.State();
    if (!removalMonitor_->TakeRemovalOf(state) || state.DeviceFound() != 1) return;
    // A removal only ever ends a connection; it never starts one.
    if (params_.connected != 0 || session_.IsOpen()) EndConnection();
    state.SetDeviceFound(0);
}

}  // namespace quavelo
