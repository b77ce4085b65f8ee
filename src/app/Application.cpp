#include "app/Application.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/AppOptions.h"
#include "app/ConsolePrompt.h"
#include "app/EventPump.h"
#include "app/MainWindow.h"
#include "app/QtPrompt.h"
#include "app/Screenshots.h"
#include "app/SimulatedDeviceWindow.h"
#include "app/SimulatedSession.h"
#include "app/StartScreen.h"
#include "app/StartupMeasure.h"
#include "app/TerminationSignals.h"
#include "app/Translations.h"
#include "device/DeviceParams.h"
#include "language/UserLanguage.h"
#include "link/DataDirectory.h"
#include "link/HidrawBackend.h"
#include "link/UdevRemovalMonitor.h"
#include "widgets/ControlId.h"
#include "widgets/FontSubstitutions.h"
#include "widgets/ImageButton.h"

namespace quavelo {

namespace {

constexpr int kUsage = 2;
constexpr int kFailure = 1;
// How long --measure-startup keeps the simulated TORVA connected before reading the memory.
constexpr std::chrono::milliseconds kMeasureConnected{1000};

void PrintError(const std::string& message) {
    std::fprintf(stderr, "quavelo: %s\n", message.c_str());
}

// The simulated-device window stands beside the panel.
void PlaceBeside(QWidget& window, const QWidget& panel) {
    window.move(panel.frameGeometry().right() + 10, panel.y());
}

int SaveSimulatedStore(const SimulatedSession* session) {
    if (session == nullptr) return 0;
    const std::string error = session->SaveStore();
    if (error.empty()) return 0;
    PrintError(error);
    return kFailure;
}

}  // namespace

int Application::Main(int& argc, char** argv, std::chrono::steady_clock::time_point mainStarted) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const AppOptions early = ParseAppOptions(WithoutQtOptions(arguments));
    if (early.action == AppOptions::Action::kHelp || early.action == AppOptions::Action::kVersion) {
        std::printf("%s\n", qPrintable(early.message.trimmed()));
        return 0;
    }
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!platformChosen && early.action == AppOptions::Action::kRun && early.screenshotDir) {
        // Screenshots never need a display, and never flash windows on one.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!platformChosen && !display) {
        // The window system cannot start here; say why instead of letting it abort.
        if (early.action == AppOptions::Action::kUsageError) {
            PrintError(early.message.toStdString() + "\nTry 'quavelo --help'.");
            return kUsage;
        }
        PrintError(
            "no display (DISPLAY and WAYLAND_DISPLAY are unset); --screenshot DIR renders "
            "the panel without one");
        return kFailure;
    }
    if (early.action == AppOptions::Action::kRun && early.scale) {
        // Qt takes the factor when the application starts, on top of the screen's own ratio.
        qputenv("QT_SCALE_FACTOR", QByteArray::number(*early.scale));
    }
    // The window's runs end on SIGTERM, SIGINT and SIGHUP through the event loop; the signals
    // are blocked before Qt starts any thread. Screenshots keep the signals' default action.
    if (early.action == AppOptions::Action::kRun && !early.screenshotDir) {
        TerminationSignals::Block();
    }
    // A usage error is judged again once Qt has taken its own options (-platform, -style, ...).
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quavelo"));
    QApplication::setApplicationVersion(QStringLiteral(QUAVELO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quavelo"));
    const std::unique_ptr<QTranslator> translations = InstallTranslations(ProcessUserLanguage());
    Application theApp(app, mainStarted);
    return theApp.InitInstance();
}

Application::Application(QApplication& app, std::chrono::steady_clock::time_point mainStarted)
    : app_(app), mainStarted_(mainStarted) {}

int Application::InitInstance() {
    const AppOptions options = ParseAppOptions(QApplication::arguments());
    switch (options.action) {
        case AppOptions::Action::kHelp:
        case AppOptions::Action::kVersion:
            std::printf("%s\n", qPrintable(options.message.trimmed()));
            return 0;
        case AppOptions::Action::kUsageError:
            PrintError(options.message.toStdString() + "\nTry 'quavelo --help'.");
            return kUsage;
        case AppOptions::Action::kRun:
            break;
    }

    InstallFontSubstitutions();

    const DataDirectory data =
        ResolveDataDirectory(options.dataDir, ProcessDataDirectoryEnvironment());
    if (!data.error.empty()) {
        PrintError(data.error);
        if (options.dataDir) return kUsage;
    }

    // The process-wide parameter model, handed by reference to everything that uses it.
    DeviceParams params;

    std::unique_ptr<SimulatedSession> session;
    std::unique_ptr<HidrawBackend> hidraw;
    std::unique_ptr<RemovalMonitor> udevRemovals;
    if (options.Simulated()) {
        std::string error;
        session = SimulatedSession::Create({options.simState, options.trace}, error);
        if (!session) {
            PrintError(error);
            return kUsage;
        }
    } else {
        hidraw = std::make_unique<HidrawBackend>();
        std::string error;
        udevRemovals = UdevRemovalMonitor::Create(error);
        if (!udevRemovals) PrintError("device removals are not followed: " + error);
    }

    if (options.screenshotDir) {
        const ScreenshotResult shots =
            TakeScreenshots(*options.screenshotDir, params, *session, data.path);
        for (const QString& file : shots.files) std::printf("%s\n", qPrintable(file));
        std::fflush(stdout);
        const int saved = SaveSimulatedStore(session.get());
        if (!shots.error.isEmpty()) {
            PrintError(shots.error.toStdString());
            return kFailure;
        }
        return saved;
    }

    std::unique_ptr<Prompt> shown;
    QtPrompt* boxes = nullptr;
    if (options.measureStartup) {
        shown = std::make_unique<ConsolePrompt>();
    } else {
        auto qtPrompt = std::make_unique<QtPrompt>();
        boxes = qtPrompt.get();
        shown = std::move(qtPrompt);
    }
    TranslatedPrompt prompt(*shown);

    HidBackend& backend = session ? static_cast<HidBackend&>(session->Backend()) : *hidraw;
    RemovalMonitor* removals = session ? &session->RemovalMonitor() : udevRemovals.get();
    MainWindow window(params, {backend, removals, prompt, data.path});
    if (boxes != nullptr) boxes->SetParentWindow(&window);

    // A termination signal closes the window as its Close does (the connection ended, the
    // poller stopped) and ends the run with 128 + the signal's number, as the command-line tool
    // ends; the simulated store is saved below as after any run.
    int endedBy = 0;
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &window,
                     [&endedBy, &window](int signalNumber) {
                         if (endedBy != 0) return;
                         endedBy = signalNumber;
                         window.close();
                         QCoreApplication::exit(128 + signalNumber);
                     });

    std::unique_ptr<SimulatedDeviceWindow> simulated;
    if (session) {
        QObject::connect(&window, &MainWindow::connecting,
                         [&session](Model model) { session->PrepareConnect(model); });
        simulated = std::make_unique<SimulatedDeviceWindow>(*session, &window);
    }

    StartupMeasure* measure = nullptr;
    if (options.measureStartup)
        measure = new StartupMeasure(*window.StartScreenWidget(), mainStarted_);

    window.show();
    if (simulated) {
        PlaceBeside(*simulated, window);
        if (!options.measureStartup) simulated->show();
    }

    int status = 0;
    if (measure != nullptr) {
        // A termination signal ends the measurement wherever it stands.
        const auto ended = [&endedBy] { return endedBy != 0; };
        PumpEventsUntil([&] { return measure->FirstPaintDone() || ended(); },
                        std::chrono::milliseconds(10000));
        if (!ended()) {
            measure->PrintFirstPaint();
            if (auto* start =
                    FindControl<ImageButton>(window.StartScreenWidget(), StartScreen::kIdStart)) {
                start->click();
            }
            if (!PumpEventsUntil(ended, kMeasureConnected)) {
                StartupMeasure::PrintConnected(params.connected == 1);
            }
        }
        window.close();
    } else {
        status = app_.exec();
    }
    if (endedBy != 0) status = 128 + endedBy;
    simulated.reset();
    const int saved = SaveSimulatedStore(session.get());
    return status != 0 ? status : saved;
}

}  // namespace quavelo
