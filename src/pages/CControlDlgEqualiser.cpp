// The equaliser section of the TORVA page: what each edit of the editor sends, and when.

#include "device/ControlSends.h"
#include "graph/CMultiColorPlotCtrl.h"
#include "pages/CControlDlg.h"
#include "pages/PageKit.h"

namespace quavelo {

void CControlDlg::OnGraphPoint(int band) {
    // A drag reports every mouse step; only every kDragStepsPerSend-th step reaches the device, so
    // the link is not flooded, and the release (reported outside the drag) always sends the value
    // the drag ended on.
    const bool dragStep = eq_.Graph()->Moving();
    if (!dragStep) dragMessageCount_ = 0;
    if (!eq_.TakeGraphPoint(band) || !Connected()) return;
    if (dragStep) {
        if (++dragMessageCount_ < kDragStepsPerSend) return;
    }
    dragMessageCount_ = 0;
    context_.commands.SetGraphBand(band + 1);
}

void CControlDlg::OnGraphDoubleClick(int band) {
    if (eq_.TakeGraphDoubleClick(band) && Connected()) context_.commands.SetGraphBand(band + 1);
}

void CControlDlg::OnViewButton(int mode) {
    if (eq_.ChooseView(mode) && Connected()) SendEqViewTorva(context_.commands, context_.params);
}

void CControlDlg::OnEqSwitch() {
    eq_.ToggleEqSwitch();
    if (Connected()) SendEqSwitchTorva(context_.commands, context_.params);
}

void CControlDlg::OnReset() {
    ResetEqualiser(context_.params);
    RefreshFromParams();
    if (Connected() && !SendEqResetTorva(context_.commands, context_.params)) {
        context_.prompt.Info(kSendFailedMessage);
    }
}

}  // namespace quavelo
