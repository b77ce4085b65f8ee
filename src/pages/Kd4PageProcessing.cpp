// The processing section of the KD4 page: limiter, high-pass filter, the microphone gain, the
// monitor level and the monitor mix, and the deferred sending of every slider of the page.

#include "device/ControlSends.h"
#include "device/ValueDisplay.h"
#include "pages/Kd4Page.h"
#include "pages/PageKit.h"
#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void Kd4Page::RefreshProcessing() {
    const DeviceParams& p = context_.params;
    ShowSwitchWithLevel(limiterSwitch_, limiterList_, p.limiterOn, p.limiterLevel);
    ShowSwitchWithLevel(highPassSwitch_, highPassList_, p.hpfOn, p.hpfFreq);
    micGainSlider_->SetPos(p.micGain);
    SectionLabel(kIdMicGainValue)->SetText(Text(MicGainText(p.micGain)));
    gain2Slider_->SetPos(p.gain2);
    SectionLabel(kIdGain2Value)->SetText(Text(MonitorLevelText(p.gain2)));
    ShowMonitorMix(mixSlider_, SectionLabel(kIdMixReadout), p);
}

void Kd4Page::OnLimiterSwitch() {
    if (Busy()) return;
    const int on = ToggleSwitch(limiterSwitch_);
    SetChoiceUsable(limiterList_, on == 1);
    StoreLimiterSwitch(context_.params, on);
    if (Connected()) StartLimiterSend();
}

void Kd4Page::OnHighPassSwitch() {
    if (Busy()) return;
    const int on = ToggleSwitch(highPassSwitch_);
    SetChoiceUsable(highPassList_, on == 1);
    StoreHighPassSwitch(context_.params, on);
    if (Connected()) StartHighPassSend();
}

void Kd4Page::OnListChoice(int choiceId) {
    DeviceParams& p = context_.params;
    DropDownButton* list = nullptr;
    if (choiceId == kChoiceLimiterLevel) {
        list = limiterList_;
    } else if (choiceId == kChoiceHighPassCorner) {
        list = highPassList_;
    } else {
        return;
    }
    if (Busy()) {
        // The choice is not taken: the list goes back to what the model holds.
        const std::int32_t level = list == limiterList_ ? p.limiterLevel : p.hpfFreq;
        list->SetCurSel(std::max(level - 1, 0));
        return;
    }
    // The level is the list's own current choice, which is what the button shows.
    const int level = ChosenLevel(list);
    if (level == 0) return;
    if (list == limiterList_) {
        p.limiterLevel = level;
        if (Connected()) StartLimiterSend();
    } else {
        p.hpfFreq = level;
        if (Connected()) StartHighPassSend();
    }
}

int Kd4Page::TakeSlider(int controlId) {
    DeviceParams& p = context_.params;
    switch (controlId) {
        case kIdMicGainSlider:
            p.micGain = micGainSlider_->GetPos();
            SectionLabel(kIdMicGainValue)->SetText(Text(MicGainText(p.micGain)));
            return kSliderMicGain;
        case kIdGain2Slider:
            p.gain2 = gain2Slider_->GetPos();
            SectionLabel(kIdGain2Value)->SetText(Text(MonitorLevelText(p.gain2)));
            return kSliderGain2;
        case kIdMixSlider:
            StoreMonitorMix(p, mixSlider_->GetPos(), SectionLabel(kIdMixReadout));
            return kSliderMix;
        default: {
            const int band = eq_.TakeBandSlider(controlId);
            return band >= 0 ? band : kNoSlider;
        }
    }
}

void Kd4Page::OnSliderMessage(int controlId, bool released) {
    const int slider = TakeSlider(controlId);
    if (slider == kNoSlider || !Connected()) return;
    if (pendingSlider_ != kNoSlider && pendingSlider_ != slider && sliderSendDue_) {
        // Another slider's value still waits: it goes now, so no change is lost.
        StartSliderSend(pendingSlider_);
    }
    pendingSlider_ = slider;
    if (released) {
        sliderSendDue_ = false;
        StartSliderSend(slider);
    } else {
        sliderSendDue_ = true;
        lastSendTime_ = clock_();
    }
}

void Kd4Page::OnTimer() {
    if (sliderSendDue_ && clock_() - lastSendTime_ >= kSliderSendDelay) {
        StartSliderSend(pendingSlider_);
        sliderSendDue_ = false;
        lastSendTime_ = clock_();
    }
    if (graphSendDue_ && clock_() - lastSendTime_ >= kGraphSendInterval) {
        StartGraphSend(pendingGraphBand_);
        graphSendDue_ = false;
        lastSendTime_ = clock_();
    }
}

}  // namespace quavelo
