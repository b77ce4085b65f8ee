#pragma once

#include <QTest>

#include <functional>
#include <memory>
#include <optional>

#include "app/MainWindow.h"
#include "app/SimulatedSession.h"
#include "app/StartScreen.h"
#include "app/Translations.h"
#include "pages/Kd4Page.h"
#include "pages/TorvaPage.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "widgets/ControlId.h"
#include "widgets/ImageButton.h"
#include "widgets/SkinLabel.h"

namespace quavelo::test {

// The panel as a user meets it, over the real HidControl and the simulated devices: one TORVA
// and one KD4 on a backend, their removals on a queued monitor that the window watches, message
// boxes recorded in the user's language, the log in a fresh data directory.
struct AppRig {
    // The simulated backend, or with `refusal` set a refusal of every opening (another QUAVELO
    // process has the device, this user may not open it, ...).
    struct Devices final : HidBackend {
        explicit Devices(HidBackend& to) : target(to) {}
        std::vector<HidDeviceInfo> Enumerate() override { return target.Enumerate(); }
        std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) override {
            if (!refusal) return target.Open(path, error);
            error = *refusal;
            return nullptr;
        }
        HidBackend& target;
        std::optional<OpenError> refusal;
    };

    AppRig() {
        window = std::make_unique<MainWindow>(
            params, PanelEnvironment{devices, &Monitor(), translated, dataDir.Path()});
        window->show();
    }
    SimulatedDevice& Device(Model model) { return session->Device(model); }
    QueuedRemovalMonitor& Monitor() { return session->RemovalMonitor(); }
    QWidget* Page(Model model) const { return window->PageWidget(model); }
    void Click(QWidget* root, int id) {
        QTest::mouseClick(FindControl<ImageButton>(root, id), Qt::LeftButton);
    }
    void Start(Model model) {
        Click(window->StartScreenWidget(),
              model == Model::Kd4 ? StartScreen::kIdKd4Tile : StartScreen::kIdTorvaTile);
        Click(window->StartScreenWidget(), StartScreen::kIdStart);
    }
    void Return() { Click(window.get(), MainWindow::kIdReturn); }
    // The header as the user reads it: status text and lamp.
    bool Shows(const char* status, int lamp) {
        return FindControl<SkinLabel>(window.get(), MainWindow::kIdStatus)->Text() == status &&
               FindControl<ImageButton>(window.get(), MainWindow::kIdIndicator)->Checked() == lamp;
    }
    bool ShowsConnected() { return Shows("Connect", 1); }
    bool ShowsDisconnected() { return Shows("Disconnect", 0); }

    // Runs the window's events until `done` holds, at most ten seconds.
    static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }
    bool WaitConnected() {
        return WaitFor([this] { return params.connected == 1 && window->PollerRunning(); });
    }

    // The panel's own simulated devices, as --simulate runs it, without store or trace files.
    std::unique_ptr<SimulatedSession> session = [] {
        std::string error;
        return SimulatedSession::Create({}, error);
    }();
    Devices devices{session->Backend()};
    RecordingPrompt prompt;
    TranslatedPrompt translated{prompt};
    DeviceParams params;
    TempDir dataDir;
    std::unique_ptr<MainWindow> window;
};

}  // namespace quavelo::test
