// page-shots OUTDIR: renders both control pages, each connected to its simulated device, to PNG
// files at the size the main window gives them (1000 x 650). The TORVA page in its views and
// channel modes: torva-sliders-mono.png, torva-sliders-stereo.png, torva-graph-mono.png,
// torva-graph-stereo.png and torva-eq-off.png. The KD4 page in both views, with the equaliser
// off, and locked: kd4-sliders.png, kd4-graph.png, kd4-eq-off.png and kd4-locked.png.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "device/DeviceSession.h"
#include "device/PresetFile.h"
#include "device/ValueDisplay.h"
#include "graph/ResponseGraph.h"
#include "pages/Kd4Page.h"
#include "pages/TorvaPage.h"
#include "sim/SimulatedBackend.h"
#include "widgets/ControlId.h"
#include "widgets/FontSubstitutions.h"
#include "widgets/ImageButton.h"

namespace {

using namespace quavelo;

// Messages go to stderr; questions are answered with OK.
class StderrPrompt final : public Prompt {
  public:
    void Info(std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    bool Confirm(std::string_view) override { return true; }
};

class NoLog final : public LogSink {
  public:
    void WriteLogLine(std::string_view) override {}
};

class NoSleep final : public Sleeper {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

// A page over a device session with one simulated device of its model, connected as the main
// window connects it.
template <typename Page, Model kModel>
struct Scene {
    SimulatedBackend backend;
    SimulatedDevice& device = backend.AddDevice(kModel);
    DeviceParams params;
    NoSleep sleeper;
    NoLog log;
    StderrPrompt prompt;
    DeviceSession session{backend, params, sleeper, log, prompt};
    PageContext context;
    Page page;
    std::mutex readingsLock;
    std::vector<LevelReading> readings;

    explicit Scene(const QString& dataDir)
        : context{params, session.Commands(), prompt, session.Worker(), dataDir.toStdString()},
          page(context) {
        params.ResetToInitialValues();
        params.deviceModel = kModel;
        session.SetSink([this](const SessionEvent& event) {
            if (event.kind != SessionEvent::Kind::Levels) return;
            std::lock_guard lock(readingsLock);
            readings.push_back(event.levels);
        });
        page.resize(1000, 650);
        page.OnInitDialog();
        page.show();
    }

    bool Connect() {
        if (session.Open() != DeviceSession::OpenResult::Opened || !session.ReadBack()) {
            return false;
        }
        params.connected = 1;
        return true;
    }

    // The last of `count` level readings (the simulated levels follow the count), taken without
    // the poller's pauses.
    LevelReading Levels(int count) {
        LevelReading reading;
        for (int i = 0; i < count; ++i) {
            switch (ProfileOf(kModel).levelPoll) {
                case LevelPollKind::Exchange:
                    session.Commands().PollLevels(reading.first, reading.second);
                    break;
                case LevelPollKind::RequestOnly:
                    session.Commands().RequestLevel();
                    WaitForReadings(static_cast<std::size_t>(i) + 1);
                    break;
            }
        }
        std::lock_guard lock(readingsLock);
        return readings.empty() ? reading : readings.back();
    }

    void WaitForReadings(std::size_t count) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            {
                std::lock_guard lock(readingsLock);
                if (readings.size() >= count) return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void Click(int id) { FindControl<ImageButton>(&page, id)->click(); }

    // The page with the device's settings (sent to the device first where a connect pushes
    // them) and the last of `readings` level readings.
    void Show(int readings) {
        session.PushIfDue();
        page.RefreshFromParams();
        page.ShowLevels(Levels(readings));
    }

    // At the screen's pixel ratio, so QT_SCALE_FACTOR=2 renders the page at twice the size.
    bool Save(const QString& path) {
        const qreal ratio = page.devicePixelRatio();
        QImage image(page.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        page.render(&image);
        return image.save(path);
    }
};

using TorvaScene = Scene<TorvaPage, Model::Torva>;
using Kd4Scene = Scene<Kd4Page, Model::Kd4>;

void ShapeEqualiser(DeviceParams& p) {
    constexpr int sliderGains[kEqBands] = {210, 175, 130, 165, 240};
    constexpr int graphFreqs[kEqBands] = {80, 320, 1200, 3500, 12000};
    constexpr int graphGains[kEqBands] = {240, 110, 150, 205, 90};
    constexpr int graphQ[kEqBands] = {10, 20, 30, 15, 20};
    for (int k = 0; k < kEqBands; ++k) {
        p.sliderBands[k].gain = sliderGains[k];
        p.graphBands[k].freq = graphFreqs[k];
        p.graphBands[k].gain = graphGains[k];
        p.graphBands[k].q = graphQ[k];
    }
}

// A preset in slot 3 for the preview panel, and the slot picked.
template <typename AnyScene>
bool PreparePreset(AnyScene& scene, const QString& dataDir) {
    DeviceParams stored;
    stored.ResetToInitialValues();
    ShapeEqualiser(stored);
    stored.micGain = 40;
    stored.gain2 = 24;
    stored.stereo = 1;
    stored.limiterLevel = 2;
    stored.monitorPlaybackCut = 0;
    stored.monitorMicCut = 6;
    const std::filesystem::path path = PresetFilePath(dataDir.toStdString(), 2);
    if (!WritePresetFile(path, BuildPresetImage(stored)).empty()) return false;
    scene.Click(kIdFirstSlotButton + 2);
    return true;
}

bool Shoot(const QString& outDir, const QString& name, int stereo, int eqMode, bool eqOff) {
    const QString dataDir = outDir + "/presets-" + name;
    QDir().mkpath(dataDir);
    TorvaScene scene(dataDir);
    if (!scene.Connect() || !PreparePreset(scene, dataDir)) return false;
    DeviceParams& p = scene.params;
    ShapeEqualiser(p);
    p.stereo = stereo;
    p.eqMode = eqMode;
    p.micGain = 28;
    p.gain2 = 20;
    p.monitorPlaybackCut = 0;
    p.monitorMicCut = 3;
    if (eqOff) {
        p.eqEnabled = 0;
        p.limiterOn = 0;
        p.hpfFreq = 2;
    }
    scene.Show(37);
    if (eqMode == 1 && !eqOff) {
        // Band 3 selected, as after a click on its handle.
        auto* graph = FindControl<ResponseGraph>(&scene.page, EqEditor::kIdGraph);
        graph->grab();
        const HandleBox& box = graph->Handles()[2].box;
        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(box.CentreX(), box.CentreY()));
    }
    const QString path = outDir + "/torva-" + name + ".png";
    if (!scene.Save(path)) return false;
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool ShootKd4(const QString& outDir, const QString& name, int eqMode, bool eqOff, bool locked) {
    const QString dataDir = outDir + "/presets-kd4-" + name;
    QDir().mkpath(dataDir);
    Kd4Scene scene(dataDir);
    if (!scene.Connect() || !PreparePreset(scene, dataDir)) return false;
    DeviceParams& p = scene.params;
    ShapeEqualiser(p);
    p.eqMode = eqMode;
    p.micGain = 28;
    p.gain2 = 64;
    p.monitorPlaybackCut = 0;
    p.monitorMicCut = 3;
    p.kd4Indicator = 1;
    p.kd4Lock = locked ? 1 : 0;
    if (eqOff) {
        p.eqEnabled = 0;
        p.limiterOn = 0;
        p.hpfFreq = 2;
        p.kd4Mute = 1;
    }
    scene.Show(23);
    if (eqMode == 1 && !eqOff && !locked) {
        auto* graph = FindControl<ResponseGraph>(&scene.page, EqEditor::kIdGraph);
        graph->grab();
        const HandleBox& box = graph->Handles()[2].box;
        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(box.CentreX(), box.CentreY()));
    }
    scene.session.Worker().WaitIdle();
    const QString path = outDir + "/kd4-" + name + ".png";
    if (!scene.Save(path)) return false;
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: page-shots OUTDIR\n");
        return 2;
    }
    InstallFontSubstitutions();
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "page-shots: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok =
        Shoot(outDir, "sliders-mono", 0, 0, false) &&
        Shoot(outDir, "sliders-stereo", 1, 0, false) && Shoot(outDir, "graph-mono", 0, 1, false) &&
        Shoot(outDir, "graph-stereo", 1, 1, false) && Shoot(outDir, "eq-off", 1, 1, true) &&
        ShootKd4(outDir, "sliders", 0, false, false) &&
        ShootKd4(outDir, "graph", 1, false, false) && ShootKd4(outDir, "eq-off", 1, true, false) &&
        ShootKd4(outDir, "locked", 0, false, true);
    if (!ok) std::fprintf(stderr, "page-shots: a page could not be rendered\n");
    return ok ? 0 : 1;
}
