#pragma once

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CLoginDlg.h"
#include "app/CTorvaDlg.h"
#include "device/ParamRange.h"
#include "device/Report.h"
#include "link/QueuedRemovalMonitor.h"
#include "pages/CControlDlg.h"
#include "pages/CEqDlg.h"
#include "pages/CKd4Dlg.h"
#include "pages/CSettingDlg.h"
#include "sim/SimulatedBackend.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "widgets/CStaticST.h"
#include "widgets/ControlId.h"
#include "widgets/PngButton.h"

namespace quavelo::test {

// Records the messages as RecordingPrompt does, then runs `onInfo`, standing for what the window
// does while a real message box is open.
class HookedPrompt final : public Prompt {
  public:
    void Info(std::string_view text) override {
        recorded_.Info(text);
        if (onInfo) onInfo(text);
    }
    bool Confirm(std::string_view text) override { return recorded_.Confirm(text); }
    std::vector<std::string> Infos() const { return recorded_.Infos(); }

    std::function<void(std::string_view)> onInfo;

  private:
    RecordingPrompt recorded_;
};

// The panel as a user meets it, over the real HidControl and the simulated devices: one TORVA
// ("sim:torva") and one KD4 ("sim:kd4") on a backend, their removals on a queued monitor that the
// window watches, message boxes recorded (and optionally acted on), the log in a fresh data
// directory.
struct AppRig {
    AppRig() {
        std::string error;
        monitor = QueuedRemovalMonitor::Create(error);
        torva = &backend.AddDevice(kModelTorva);
        kd4 = &backend.AddDevice(kModelKd4);
        for (SimulatedDevice* device : {torva, kd4}) device->SetRemovalMonitor(monitor.get());
        window = std::make_unique<CTorvaDlg>(
            params, PanelEnvironment{backend, monitor.get(), prompt, dataDir.Path()});
        refreshes = std::make_unique<QSignalSpy>(window.get(), &CTorvaDlg::pageRefreshed);
        window->show();
    }
    ~AppRig() {
        window.reset();
        for (SimulatedDevice* device : {torva, kd4}) device->SetRemovalMonitor(nullptr);
    }

    SimulatedDevice& Device(int model) { return model == kModelKd4 ? *kd4 : *torva; }

    template <typename T = QWidget>
    T* Control(QWidget* root, int id) {
        return FindControl<T>(root, id);
    }
    void Click(QWidget* root, int id) {
        auto* button = Control<PngButton>(root, id);
        if (button != nullptr) QTest::mouseClick(button, Qt::LeftButton);
    }
    void ClickTile(int model) {
        Click(window->LoginPage(),
              model == kModelKd4 ? CLoginDlg::kIdKd4Tile : CLoginDlg::kIdTorvaTile);
    }
    void PressStart() { Click(window->LoginPage(), CLoginDlg::kIdStart); }
    void Start(int model) {
        ClickTile(model);
        PressStart();
    }
    void Return() { Click(window.get(), CTorvaDlg::kIdReturn); }

    QString Status() { return Control<CStaticST>(window.get(), CTorvaDlg::kIdStatus)->Text(); }
    QString Title() { return Control<CStaticST>(window.get(), CTorvaDlg::kIdTitle)->Text(); }
    int Lamp() { return Control<PngButton>(window.get(), CTorvaDlg::kIdIndicator)->Checked(); }
    // How often page `index` was refreshed.
    int Refreshes(int index) {
        return static_cast<int>(std::count_if(
            refreshes->begin(), refreshes->end(),
            [index](const QList<QVariant>& call) { return call.at(0).toInt() == index; }));
    }

    // Runs the window's events until `done` holds, at most `limit`.
    static bool WaitFor(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
        return QTest::qWaitFor(done, static_cast<int>(limit.count()));
    }
    // Runs the window's events for `time`.
    static void Idle(std::chrono::milliseconds time) {
        QTest::qWait(static_cast<int>(time.count()));
    }

    bool WaitConnected() {
        return WaitFor([this] { return params.connected == 1 && window->PollerRunning(); });
    }

    // Store-read requests (any block) among `reports`.
    static int StoreReads(const std::vector<std::vector<std::uint8_t>>& reports) {
        return static_cast<int>(std::count_if(reports.begin(), reports.end(), [](const auto& r) {
            return r.size() > 5 && r[1] == static_cast<std::uint8_t>(Access::Store) &&
                   r[5] == kReadFlag;
        }));
    }

    // Writes `block` (a StoreWrite report) into the device's store, as if it had been saved on
    // the device before.
    static void StoreBlock(SimulatedDevice& device, const Report& block) {
        SettingsStoreImage image = device.Store();
        std::copy_n(block.begin() + 6, block[4], image.begin() + block[3]);
        device.ReplaceStore(image);
    }

    SimulatedBackend backend;
    std::unique_ptr<QueuedRemovalMonitor> monitor;
    SimulatedDevice* torva = nullptr;
    SimulatedDevice* kd4 = nullptr;
    HookedPrompt prompt;
    DeviceParams params;
    TempDir dataDir;
    std::unique_ptr<CTorvaDlg> window;
    std::unique_ptr<QSignalSpy> refreshes;
};

}  // namespace quavelo::test
