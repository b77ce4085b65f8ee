#pragma once

#include <QCoreApplication>
#include <QTest>

#include <string>
#include <vector>

#include "graph/CMultiColorPlotCtrl.h"
#include "pages/CControlDlg.h"
#include "pages/PageRig.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CComBoxBtn.h"
#include "widgets/CDropList.h"
#include "widgets/CStaticST.h"
#include "widgets/ControlId.h"
#include "widgets/PngButton.h"

namespace quavelo::test {

// Delivers everything posted so far: the sliders' and drop-downs' queued notifications.
inline void DeliverPosted() { QCoreApplication::sendPostedEvents(); }

// The events of a real double-click at `at`: press, release, double-click, release.
inline void DoubleClickOn(QWidget& widget, QPoint at) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
}

// The writes, pauses and messages of the trace, without the reads.
inline std::vector<std::string> Sent(const EventTrace& trace) {
    std::vector<std::string> sent;
    for (const std::string& event : trace.Events()) {
        if (event.rfind("R ", 0) != 0) sent.push_back(event);
    }
    return sent;
}

// The TORVA page built and shown at the size the main window gives it, over a PageRig (a
// recording link, prompts and pauses, an empty preset folder). Disconnected unless a test
// connects it; the trace starts empty after the set-up.
struct TorvaPageRig : PageRig {
    CControlDlg page{context};

    TorvaPageRig() {
        params.deviceModel = kModelTorva;
        page.resize(1000, 650);
        page.OnInitDialog();
        page.show();
        trace.Clear();
    }

    void Connect() { params.connected = 1; }

    template <typename T = QWidget>
    T* Control(int id) const {
        return FindControl<T>(&page, id);
    }
    QString Text(int id) const { return Control<CStaticST>(id)->Text(); }
    bool Visible(int id) const { return Control(id)->isVisible(); }

    void Click(int id) {
        QTest::mouseClick(Control(id), Qt::LeftButton);
        DeliverPosted();
    }

    // Puts slider `id` at `pos` with a key press, as the user can: the slider reports the
    // position and the page handles it.
    void MoveSlider(int id, int pos) {
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

    // A choice made in a drop-down's list, as its pop-up reports it: the item under the pointer
    // becomes the list's current one, then the pop-up reports it.
    void Choose(int id, int index) {
        auto* box = Control<CComBoxBtn>(id);
        box->List()->setCurrentRow(index);
        box->OnChoice(index);
        DeliverPosted();
    }

    CMultiColorPlotCtrl* Graph() const { return Control<CMultiColorPlotCtrl>(EqEditor::kIdGraph); }
    // Where band `band`'s handle stands on the graph; the handles exist from its first paint.
    QPoint HandleCentre(int band) {
        CMultiColorPlotCtrl* graph = Graph();
        if (graph->Handles().empty()) graph->grab();
        const HandleBox& box = graph->Handles()[static_cast<std::size_t>(band)].box;
        return {box.CentreX(), box.CentreY()};
    }
};

}  // namespace quavelo::test
