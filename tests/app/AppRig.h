#pragma once

#include <QTest>

#include <functional>
#include <memory>

#include "app/CLoginDlg.h"
#include "app/CTorvaDlg.h"
#include "link/QueuedRemovalMonitor.h"
#include "pages/CControlDlg.h"
#include "pages/CKd4Dlg.h"
#include "sim/SimulatedBackend.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "widgets/CStaticST.h"
#include "widgets/ControlId.h"
#include "widgets/PngButton.h"

namespace quavelo::test {

// The panel as a user meets it, over the real HidControl and the simulated devices: one TORVA
// and one KD4 on a backend, their removals on a queued monitor that the window watches, message
// boxes recorded, the log in a fresh data directory.
struct AppRig {
    AppRig() {
        std::string error;
        monitor = QueuedRemovalMonitor::Create(error);
        for (int model : {kModelTorva, kModelKd4}) {
            SimulatedDevice& device = backend.AddDevice(model);
            device.SetRemovalMonitor(monitor.get());
            (model == kModelKd4 ? kd4 : torva) = &device;
        }
        window = std::make_unique<CTorvaDlg>(
            params, PanelEnvironment{backend, monitor.get(), prompt, dataDir.Path()});
        window->show();
    }
    SimulatedDevice& Device(int model) { return model == kModelKd4 ? *kd4 : *torva; }
    QWidget* Page(int model) const {
        return model == kModelKd4 ? static_cast<QWidget*>(window->Kd4Page())
                                  : static_cast<QWidget*>(window->TorvaPage());
    }
    void Click(QWidget* root, int id) {
        QTest::mouseClick(FindControl<PngButton>(root, id), Qt::LeftButton);
    }
    void Start(int model) {
        Click(window->LoginPage(),
              model == kModelKd4 ? CLoginDlg::kIdKd4Tile : CLoginDlg::kIdTorvaTile);
        Click(window->LoginPage(), CLoginDlg::kIdStart);
    }
    void Return() { Click(window.get(), CTorvaDlg::kIdReturn); }
    // The header as the user reads it: status text and lamp.
    bool Shows(const char* status, int lamp) {
        return FindControl<CStaticST>(window.get(), CTorvaDlg::kIdStatus)->Text() == status &&
               FindControl<PngButton>(window.get(), CTorvaDlg::kIdIndicator)->Checked() == lamp;
    }
    bool ShowsConnected() { return Shows("Connect", 1); }
    bool ShowsDisconnected() { return Shows("Disconnect", 0); }

    // Runs the window's events until `done` holds, at most ten seconds.
    static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }
    bool WaitConnected() {
        return WaitFor([this] { return params.connected == 1 && window->PollerRunning(); });
    }

    std::unique_ptr<QueuedRemovalMonitor> monitor;  // outlives the devices that announce to it
    SimulatedBackend backend;
    SimulatedDevice* torva = nullptr;
    SimulatedDevice* kd4 = nullptr;
    RecordingPrompt prompt;
    DeviceParams params;
    TempDir dataDir;
    std::unique_ptr<CTorvaDlg> window;
};

}  // namespace quavelo::test
