#pragma once

#include <QCoreApplication>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

#include "graph/ResponseGraph.h"
#include "pages/Kd4Page.h"
#include "pages/TorvaPage.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"
#include "support/TempDir.h"
#include "widgets/ControlId.h"
#include "widgets/DropDownButton.h"
#include "widgets/DropDownList.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"

namespace quavelo::test {

// Hands every report on to the recording link and counts those written on the thread that made
// it (the user-interface thread) and elsewhere.
struct ThreadNotingLink final : ReportLink {
    explicit ThreadNotingLink(ReportLink& to) : inner(to) {}
    bool WriteReport16(const HidReport& report) override {
        ++(std::this_thread::get_id() == uiThread ? onUiThread : elsewhere);
        return inner.WriteReport16(report);
    }
    bool ReadReport(HidReport& dest, std::uint8_t& length) override {
        return inner.ReadReport(dest, length);
    }
    ReportLink& inner;
    const std::thread::id uiThread = std::this_thread::get_id();
    std::atomic<int> onUiThread = 0, elsewhere = 0;
};

// A control page (TorvaPage or Kd4Page) as the main window shows it, over a recording link,
// recorded prompts and pauses, a KD4 send worker, an empty preset folder and a clock that moves
// only when the test moves it; driven as a user does. Disconnected until Connect; the trace
// starts empty.
template <typename Page>
struct PageRig {
    static constexpr bool kKd4 = std::is_same_v<Page, Kd4Page>;

    EventTrace trace;
    FakeReportLink link{&trace};
    ThreadNotingLink notingLink{link};
    RecordingSleeper sleeper{&trace};
    RecordingLogSink log{&trace};
    RecordingPrompt prompt{&trace};
    DeviceParams params;
    DeviceCommands commands{notingLink, params, sleeper, log, prompt};
    SendWorker sendWorker{params, sleeper};
    TempDir dataDir;
    PageContext context{params, commands, prompt, sendWorker, dataDir.Path()};
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    std::unique_ptr<Page> page;

    PageRig() {
        params.ResetToInitialValues();
        params.deviceModel = kKd4 ? Model::Kd4 : Model::Torva;
        page = std::make_unique<Page>(context, nullptr, [this] { return now; });
        page->resize(1000, 650);
        page->OnInitDialog();
        page->show();
        trace.Clear();
    }

    void Connect() { params.connected = 1; }
    void Refresh(const std::function<void(DeviceParams&)>& change) {
        change(params);
        page->RefreshFromParams();
    }

    template <typename T = QWidget>
    T* Control(int id) const {
        return FindControl<T>(page.get(), id);
    }
    void Click(int id) {
        QTest::mouseClick(Control(id), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
    }
    // Puts slider `id` at `pos` with a key, which reports a release.
    void KeySlider(int id, int pos) {
        auto* slider = Control<ImageSlider>(id);
        slider->SetPos(pos == slider->Min() ? pos + 1 : pos - 1);
        QTest::keyClick(slider, pos == slider->Min() ? Qt::Key_Home : Qt::Key_Right);
        QCoreApplication::sendPostedEvents();
    }
    // Mouse on slider `id`: a press on the thumb unless it is held, then a drag step to each of
    // `positions`.
    void DragSlider(int id, std::initializer_list<int> positions, bool release) {
        auto* slider = Control<ImageSlider>(id);
        const auto at = [slider](int pos) {
            const int along = PosToPixel(slider->Axis(), pos);
            return slider->Vertical() ? QPoint(slider->width() / 2, along)
                                      : QPoint(along, slider->height() / 2);
        };
        if (!slider->Dragging())
            QTest::mousePress(slider, Qt::LeftButton, {}, at(slider->GetPos()));
        for (int pos : positions) QTest::mouseMove(slider, at(pos));
        if (release) QTest::mouseRelease(slider, Qt::LeftButton, {}, at(slider->GetPos()));
        QCoreApplication::sendPostedEvents();
    }
    // A choice in a drop-down's list, as its pop-up reports it.
    void Choose(int id, int index) {
        auto* box = Control<DropDownButton>(id);
        box->List()->setCurrentRow(index);
        box->OnChoice(index);
        QCoreApplication::sendPostedEvents();
    }
    ResponseGraph* Graph() const { return Control<ResponseGraph>(EqEditor::kIdGraph); }
    QPoint HandleCentre(int band) const {
        if (Graph()->Handles().empty()) Graph()->grab();  // created at the first paint
        const HandleBox& box = Graph()->Handles()[static_cast<std::size_t>(band)].box;
        return {box.CentreX(), box.CentreY()};
    }
    // One tick of the page timer after `elapsed` more time.
    void Tick(std::chrono::milliseconds elapsed) {
        now += elapsed;
        page->OnTimer();
    }

    // The writes, pauses, messages and questions since the last call, once every job started so
    // far has ended.
    std::vector<std::string> TakeSent() {
        sendWorker.WaitIdle();
        std::vector<std::string> sent = WithoutReads(trace);
        trace.Clear();
        return sent;
    }
    // What `send` sends when it calls the commands directly, apart from the page, on the model
    // as it is now.
    std::vector<std::string> SentBy(
        const std::function<void(DeviceCommands&, DeviceParams&)>& send) {
        EventTrace apart;
        FakeReportLink directLink{&apart};
        RecordingSleeper directSleeper{&apart};
        RecordingLogSink directLog{&apart};
        RecordingPrompt directPrompt{&apart};
        DeviceCommands direct{directLink, params, directSleeper, directLog, directPrompt};
        send(direct, params);
        return WithoutReads(apart);
    }
    static std::vector<std::string> WithoutReads(const EventTrace& events) {
        std::vector<std::string> kept;
        for (std::string& event : events.Events()) {
            if (event[0] != 'R') kept.push_back(std::move(event));
        }
        return kept;
    }
};

using TorvaRig = PageRig<TorvaPage>;
using Kd4Rig = PageRig<Kd4Page>;

}  // namespace quavelo::test
