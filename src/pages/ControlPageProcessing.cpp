// The processing section of a control page: limiter, high-pass filter, the microphone gain,
// gain2 and the monitor mix.

#include <algorithm>

#include "device/ControlSends.h"
#include "device/ValueDisplay.h"
#include "pages/ControlPage.h"
#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"

namespace quavelo {

namespace {

const PageSend kLimiterSend{[](DeviceCommands& c, const DeviceParams&) { return c.SetLimiter(); }};
const PageSend kHighPassSend{
    [](DeviceCommands& c, const DeviceParams&) { return c.SetHighPass(); }};
const PageSend kMicGainSend{[](DeviceCommands& c, const DeviceParams&) { return c.SetMicGain(); }};
const PageSend kGain2Send{[](DeviceCommands& c, const DeviceParams&) { return c.SetGain2(); }};
const PageSend kMixSend{SendMonitorMix};

}  // namespace

void ControlPage::RefreshProcessing() {
    const DeviceParams& p = context_.params;
    ShowSwitchWithLevel(limiterSwitch_, limiterList_, p.limiterOn, p.limiterLevel);
    ShowSwitchWithLevel(highPassSwitch_, highPassList_, p.hpfOn, p.hpfFreq);
    micGainSlider_->SetPos(p.micGain);
    Label(kIdMicGainValue)->SetText(ReadoutText(MicGainText(p.micGain)));
    gain2Slider_->SetPos(p.gain2);
    ShowGain2(p.gain2);
    ShowMonitorMix(mixSlider_, Label(kIdMixReadout), p);
}

void ControlPage::ShowGain2(std::int32_t gain2) {
    Label(kIdGain2Value)->SetText(ReadoutText(Gain2Text(profile_.gain2, gain2)));
}

void ControlPage::OnLimiterSwitch() {
    TakeFilterSwitch(limiterSwitch_, limiterList_, StoreLimiterSwitch, kLimiterSend);
}

void ControlPage::OnHighPassSwitch() {
    TakeFilterSwitch(highPassSwitch_, highPassList_, StoreHighPassSwitch, kHighPassSend);
}

void ControlPage::TakeFilterSwitch(ImageButton* sw, DropDownButton* list,
                                   void (*store)(DeviceParams&, int), const PageSend& send) {
    if (Busy()) return;
    const int on = ToggleSwitch(sw);
    SetChoiceUsable(list, on == 1);
    store(context_.params, on);
    Send(send);
}

void ControlPage::OnLimiterLevel() {
    TakeLevelChoice(limiterList_, Params().limiterLevel, kLimiterSend);
}

void ControlPage::OnHighPassCorner() {
    TakeLevelChoice(highPassList_, Params().hpfFreq, kHighPassSend);
}

void ControlPage::TakeLevelChoice(DropDownButton* list, SharedInt& level, const PageSend& send) {
    if (Busy()) {
        // The choice is not taken: the list goes back to what the model holds.
        list->SetCurSel(std::max(level - 1, 0));
        return;
    }
    // The level is the list's own current choice, which is what the button shows.
    const int chosen = ChosenLevel(list);
    if (chosen == 0) return;
    level = chosen;
    Send(send);
}

void ControlPage::OnMicGainSlider(bool released) {
    DeviceParams& p = context_.params;
    p.micGain = micGainSlider_->GetPos();
    Label(kIdMicGainValue)->SetText(ReadoutText(MicGainText(p.micGain)));
    sender_->SliderChanged(kIdMicGainSlider, kMicGainSend, released);
}

void ControlPage::OnGain2Slider(bool released) {
    DeviceParams& p = context_.params;
    p.gain2 = gain2Slider_->GetPos();
    ShowGain2(p.gain2);
    sender_->SliderChanged(kIdGain2Slider, kGain2Send, released);
}

void ControlPage::OnMixSlider(bool released) {
    StoreMonitorMix(context_.params, mixSlider_->GetPos(), Label(kIdMixReadout));
    sender_->SliderChanged(kIdMixSlider, kMixSend, released);
}

}  // namespace quavelo
