// The equaliser section of the TORVA page: what each edit of the editor sends, and when.

#include "device/ControlSends.h"
#include "device/Messages.h"
#include "graph/ResponseGraph.h"
#include "pages/PageKit.h"
#include "pages/TorvaPage.h"

namespace quavelo {

void TorvaPage::OnGraphPoint(int band) {
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
    context_.commands.SetBand(BandSet::Graph, band + 1);
}

void TorvaPage::OnGraphDoubleClick(int band) {
    if (eq_.TakeGraphDoubleClick(band) && Connected())
        context_.commands.SetBand(BandSet::Graph, band + 1);
}

void TorvaPage::OnViewButton(int mode) {
    if (eq_.ChooseView(mode) && Connected()) SendEqView(context_.commands, context_.params);
}

void TorvaPage::OnEqSwitch() {
    eq_.ToggleEqSwitch();
    if (Connected()) SendEqSwitch(context_.commands, context_.params);
}

void TorvaPage::OnReset() {
    ResetEqualiser(context_.params);
    RefreshFromParams();
    if (Connected() && !SendEqReset(context_.commands, context_.params)) {
        context_.prompt.Info(message::kSendFailed);
    }
}

}  // namespace quavelo
