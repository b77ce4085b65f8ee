// The equaliser section of the KD4 page: what each edit of the editor sends, and when. Band
// sliders go through the page's slider handling (Kd4PageProcessing.cpp).

#include "device/ControlSends.h"
#include "graph/ResponseGraph.h"
#include "pages/Kd4Page.h"
#include "pages/PageKit.h"

namespace quavelo {

void Kd4Page::OnGraphPointChanged(int band) {
    const bool dragStep = eq_.Graph()->Moving();
    if (!dragStep) graphSendDue_ = false;
    if (!eq_.TakeGraphPoint(band) || !Connected()) return;
    if (graphSendDue_ && pendingGraphBand_ != band) StartGraphSend(pendingGraphBand_);
    pendingGraphBand_ = band;
    if (dragStep) {
        // A drag step waits for the timer, which sends at most every 500 ms.
        graphSendDue_ = true;
    } else {
        // A selection, or the release that ends a drag, goes at once.
        graphSendDue_ = false;
        StartGraphSend(band);
    }
}

void Kd4Page::OnGraphPointReset(int band) {
    if (!eq_.TakeGraphDoubleClick(band) || !Connected()) return;
    pendingGraphBand_ = band;
    graphSendDue_ = false;
    StartGraphSend(band);
}

void Kd4Page::OnViewButton(int mode) {
    if (Busy()) return;
    if (eq_.ChooseView(mode) && Connected()) StartViewSend();
}

void Kd4Page::OnEqSwitch() {
    if (Busy()) return;
    eq_.ToggleEqSwitch();
    if (Connected()) StartEqSwitchSend();
}

void Kd4Page::OnReset() {
    if (Busy()) return;
    ResetEqualiser(context_.params);
    RefreshFromParams();
    if (Connected()) StartResetSend();
}

}  // namespace quavelo
