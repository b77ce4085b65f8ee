#include "app/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include <chrono>
#include <system_error>

#include "app/ConsolePrompt.h"
#include "app/EventPump.h"
#include "app/MainWindow.h"
#include "app/SimulatedDeviceWindow.h"
#include "app/SimulatedSession.h"
#include "app/StartScreen.h"
#include "app/Translations.h"
#include "pages/Kd4Page.h"
#include "pages/TorvaPage.h"
#include "widgets/ControlId.h"
#include "widgets/ImageButton.h"
#include "widgets/LevelMeter.h"

namespace quavelo {

namespace {

using std::chrono::milliseconds;

// Long enough for a KD4 read-back (two request series, about 1.3 s) on a loaded machine.
constexpr milliseconds kConnectLimit{8000};
// The meters have moved a few times by then.
constexpr milliseconds kMeterSettle{400};

class Shooter {
  public:
    explicit Shooter(QString directory) : directory_(std::move(directory)) {}

    bool Take(QWidget& widget, const QString& name) {
        QCoreApplication::processEvents();
        const QString path = QDir(directory_).absoluteFilePath(name);
        if (!widget.grab().save(path, "PNG")) {
            result.error = QStringLiteral("cannot write ") + path;
            return false;
        }
        result.files << path;
        return true;
    }

    ScreenshotResult result;

  private:
    QString directory_;
};

void Click(QWidget* root, int id) {
    if (auto* button = FindControl<ImageButton>(root, id)) button->click();
}

bool ConnectTo(MainWindow& window, DeviceParams& params, int tileId) {
    Click(window.StartScreenWidget(), tileId);
    Click(window.StartScreenWidget(), StartScreen::kIdStart);
    return PumpEventsUntil([&params] { return params.connected == 1; }, kConnectLimit);
}

}  // namespace

ScreenshotResult TakeScreenshots(const std::filesystem::path& directory, DeviceParams& params,
                                 SimulatedSession& session,
                                 const std::filesystem::path& dataDirectory) {
    Shooter shooter(QString::fromStdString(directory.string()));
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        shooter.result.error = QString::fromStdString(directory.string() + ": " + ec.message());
        return shooter.result;
    }

    ConsolePrompt console;
    TranslatedPrompt prompt(console);
    MainWindow window(params,
                      {session.Backend(), &session.RemovalMonitor(), prompt, dataDirectory});
    QObject::connect(&window, &MainWindow::connecting,
                     [&session](Model model) { session.PrepareConnect(model); });
    window.show();
    PumpEventsUntil([] { return false; }, milliseconds(50));
    if (!shooter.Take(window, QStringLiteral("start.png"))) return shooter.result;

    if (!ConnectTo(window, params, StartScreen::kIdTorvaTile)) {
        shooter.result.error = QStringLiteral("the simulated TORVA did not connect");
        return shooter.result;
    }
    auto* mono = FindControl<LevelMeter>(window.TorvaPageWidget(), TorvaPage::kIdMeterMono);
    PumpEventsUntil([mono] { return mono == nullptr || mono->GetPos() > 0; }, kConnectLimit);
    PumpEventsUntil([] { return false; }, kMeterSettle);
    if (!shooter.Take(window, QStringLiteral("torva.png"))) return shooter.result;

    Click(&window, MainWindow::kIdReturn);
    if (!ConnectTo(window, params, StartScreen::kIdKd4Tile)) {
        shooter.result.error = QStringLiteral("the simulated KD4 did not connect");
        return shooter.result;
    }
    auto* level = FindControl<LevelMeter>(window.Kd4PageWidget(), Kd4Page::kIdLevelMeter);
    PumpEventsUntil([level] { return level == nullptr || level->GetPos() > 0; }, kConnectLimit);
    PumpEventsUntil([] { return false; }, kMeterSettle);
    if (!shooter.Take(window, QStringLiteral("kd4.png"))) return shooter.result;

    SimulatedDeviceWindow simulated(session);
    simulated.show();
    simulated.TakeReceived();
    shooter.Take(simulated, QStringLiteral("simulated-device.png"));
    return shooter.result;
}

}  // namespace quavelo
