// The equaliser section of the KD4 page: what each edit of the editor sends, and when. Band
// sliders go through the page's slider handling (CKd4DlgProcessing.cpp).

#include "device/ControlSends.h"
#include "graph/CMultiColorPlotCtrl.h"
#include "pages/CKd4Dlg.h"
#include "pages/PageKit.h"

namespace quavelo {

void CKd4Dlg::OnGraphPointChanged(int band) {
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

void CKd4Dlg::OnGraphPointReset(int band) {
    if (!eq_.TakeGraphDoubleClick(band) || !Connected()) return;
    pendingGraphBand_ = band;
    graphSendDue_ = false;
    StartGraphSend(band);
}

void CKd4Dlg::OnViewButton(int mode) {
    if (Busy()) return;
    if (eq_.ChooseView(mode) && Connected()) StartViewSend();
}

void CKd4Dlg::OnEqSwitch() {
    if (Busy()) return;
    eq_.ToggleEqSwitch();
    if (Connected()) StartEqSwitchSend();
}

void CKd4Dlg::OnReset() {
    if (Busy()) return;
    ResetEqualiser(context_.params);
    RefreshFromParams();
    if (Connected()) StartResetSend();
}

}  // namespace quavelo
