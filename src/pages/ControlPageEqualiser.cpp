// The equaliser section of a control page: what each edit of the editor sends, and when.

#include "device/ControlSends.h"
#include "graph/ResponseGraph.h"
#include "pages/ControlPage.h"

namespace quavelo {

namespace {

PageSend BandSend(BandSet set, int band) {
    return {
        [set, band](DeviceCommands& c, const DeviceParams&) { return c.SetBand(set, band + 1); }};
}

const PageSend kViewSend{.group = SendEqView, .settle = SendWorker::Settle::None};
const PageSend kEqSwitchSend{SendEqSwitch};
const PageSend kResetSend{.group = SendEqReset, .reportsFailure = true};

}  // namespace

void ControlPage::OnBandSlider(int band, bool released) {
    eq_.TakeBandSlider(band);
    sender_->SliderChanged(EqEditor::kIdFirstBandSlider + band, BandSend(BandSet::Slider, band),
                           released);
}

void ControlPage::OnGraphPoint(int band) {
    const bool dragStep = eq_.Graph()->Moving();
    if (eq_.TakeGraphPoint(band)) {
        sender_->GraphPoint(band, BandSend(BandSet::Graph, band), dragStep);
    }
}

void ControlPage::OnGraphDoubleClick(int band) {
    if (eq_.TakeGraphDoubleClick(band)) sender_->GraphReset(band, BandSend(BandSet::Graph, band));
}

void ControlPage::OnViewButton(int mode) {
    if (Busy()) return;
    if (eq_.ChooseView(mode)) Send(kViewSend);
}

void ControlPage::OnEqSwitch() {
    if (Busy()) return;
    eq_.ToggleEqSwitch();
    Send(kEqSwitchSend);
}

void ControlPage::OnReset() {
    if (Busy()) return;
    ResetEqualiser(context_.params);
    RefreshFromParams();
    Send(kResetSend);
}

}  // namespace quavelo
