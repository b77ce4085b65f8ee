#pragma once

#include <QTest>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "graph/CMultiColorPlotCtrl.h"
#include "pages/CKd4Dlg.h"
#include "pages/TorvaPageRig.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CComBoxBtn.h"
#include "widgets/CStaticST.h"
#include "widgets/ControlId.h"
#include "widgets/PngButton.h"
#include "widgets/SliderAxis.h"

namespace quavelo::test {

// A link that notes the thread of every report written, then hands the report on.
class ThreadNotingLink final : public ReportLink {
  public:
    explicit ThreadNotingLink(ReportLink& inner) : inner_(inner) {}

    bool WriteReport16(const HidReport& report) override {
        {
            std::lock_guard lock(lock_);
            writers_.push_back(std::this_thread::get_id());
        }
        return inner_.WriteReport16(report);
    }
    bool ReadReport(HidReport& dest, std::uint8_t& length) override {
        return inner_.ReadReport(dest, length);
    }

    std::vector<std::thread::id> Writers() const {
        std::lock_guard lock(lock_);
        return writers_;
    }

  private:
    ReportLink& inner_;
    mutable std::mutex lock_;
    std::vector<std::thread::id> writers_;
};

// The page's clock in a test: it stands still until the test moves it.
struct ManualClock {
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    void Advance(std::chrono::milliseconds step) { now += step; }
};

// A user's hands on the KD4 page: clicks, slider keys and drags, list choices, graph handles.
// Shared by the rig over a recording link and the rig over the simulated KD4.
struct Kd4PageHands {
    QWidget& root;

    template <typename T = QWidget>
    T* Control(int id) const {
        return FindControl<T>(&root, id);
    }
    QString Text(int id) const { return Control<CStaticST>(id)->Text(); }
    bool Visible(int id) const { return Control(id)->isVisible(); }
    bool Enabled(int id) const { return Control(id)->isEnabled(); }
    int Checked(int id) const { return Control<PngButton>(id)->Checked(); }
    int Position(int id) const { return Control<CBitmapSlider>(id)->GetPos(); }

    void Click(int id) const {
        QTest::mouseClick(Control(id), Qt::LeftButton);
        DeliverPosted();
    }

    // Puts slider `id` at `pos` with a key, which reports a release.
    void KeySlider(int id, int pos) const {
        auto* slider = Control<CBitmapSlider>(id);
        if (pos == slider->Min()) {
            slider->SetPos(pos + 1);
            QTest::keyClick(slider, Qt::Key_Home);
        } else {
            slider->SetPos(pos - 1);
            QTest::keyClick(slider, Qt::Key_Right);
        }
        DeliverPosted();
    }

    // The pointer's place over slider `id` for value `pos`.
    QPoint SliderPoint(int id, int pos) const {
        auto* slider = Control<CBitmapSlider>(id);
        const int along = PosToPixel(slider->Axis(), pos);
        return slider->Vertical() ? QPoint(slider->width() / 2, along)
                                  : QPoint(along, slider->height() / 2);
    }
    // Grips the thumb of slider `id`.
    void PressSlider(int id) const {
        auto* slider = Control<CBitmapSlider>(id);
        QTest::mousePress(slider, Qt::LeftButton, {}, SliderPoint(id, slider->GetPos()));
        DeliverPosted();
    }
    // One drag step of the gripped thumb to value `pos`.
    void DragSlider(int id, int pos) const {
        QTest::mouseMove(Control(id), SliderPoint(id, pos));
        DeliverPosted();
    }
    void ReleaseSlider(int id) const {
        auto* slider = Control<CBitmapSlider>(id);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, SliderPoint(id, slider->GetPos()));
        DeliverPosted();
    }

    void Choose(int id, int index) const {
        auto* box = Control<CComBoxBtn>(id);
        box->List()->setCurrentRow(index);
        box->OnChoice(index);
        DeliverPosted();
    }

    CMultiColorPlotCtrl* Graph() const { return Control<CMultiColorPlotCtrl>(EqEditor::kIdGraph); }
    QPoint HandleCentre(int band) const {
        CMultiColorPlotCtrl* graph = Graph();
        if (graph->Handles().empty()) graph->grab();
        const HandleBox& box = graph->Handles()[static_cast<std::size_t>(band)].box;
        return {box.CentreX(), box.CentreY()};
    }
};

// The KD4 page built and shown at the size the main window gives it, over a recording link that
// notes the writing threads, recorded prompts and pauses, a KD4 send worker, an empty preset
// folder and a clock that moves only when the test moves it. Disconnected unless a test connects
// it; the trace starts empty after the set-up.
struct Kd4PageRig {
    EventTrace trace;
    FakeReportLink link{&trace};
    ThreadNotingLink notingLink{link};
    RecordingSleeper sleeper{&trace};
    RecordingLogSink log{&trace};
    RecordingPrompt prompt{&trace};
    DeviceParams params;
    DeviceCommands commands{notingLink, params, sleeper, log, prompt};
    Kd4SendWorker sendWorker{params, sleeper};
    TempDir dataDir;
    PageContext context{params, commands, prompt, sendWorker, dataDir.Path()};
    ManualClock clock;
    CKd4Dlg page{context, nullptr, [this] { return clock.now; }};
    Kd4PageHands hands{page};

    Kd4PageRig() {
        params.ResetToInitialValues();
        params.deviceModel = kModelKd4;
        page.resize(1000, 650);
        page.OnInitDialog();
        page.show();
        trace.Clear();
    }
    ~Kd4PageRig() { sendWorker.WaitIdle(); }

    void Connect() { params.connected = 1; }

    // Lets every started job run to its end, then gives what was sent since the last call.
    std::vector<std::string> TakeSent() {
        sendWorker.WaitIdle();
        std::vector<std::string> sent = Sent(trace);
        trace.Clear();
        return sent;
    }

    // One tick of the page timer after `elapsed` more time.
    void Tick(std::chrono::milliseconds elapsed) {
        clock.Advance(elapsed);
        page.OnTimer();
    }
};

}  // namespace quavelo::test
