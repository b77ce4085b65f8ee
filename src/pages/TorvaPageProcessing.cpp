// The processing section of the TORVA page: limiter, high-pass filter, mono/stereo, both
// microphone gains, the monitor mix and the level meters.

#include "device/ControlSends.h"
#include "device/ValueDisplay.h"
#include "pages/PageKit.h"
#include "pages/TorvaPage.h"
#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

QString GainText(std::int32_t step) { return QString::fromStdString(MicGainText(step)); }

}  // namespace

void TorvaPage::ShowStereo(bool stereo) {
    SectionLabel(kIdMeterLeftCaption)->setVisible(stereo);
    SectionLabel(kIdMeterRightCaption)->setVisible(stereo);
    meterLeft_->setVisible(stereo);
    meterRight_->setVisible(stereo);
    SectionLabel(kIdMeterMonoCaption)->setVisible(!stereo);
    meterMono_->setVisible(!stereo);
}

void TorvaPage::RefreshProcessing() {
    DeviceParams& p = context_.params;
    stereoSwitch_->SetChecked(p.stereo);
    ShowStereo(p.stereo == 1);
    ShowSwitchWithLevel(limiterSwitch_, limiterList_, p.limiterOn, p.limiterLevel);
    ShowSwitchWithLevel(highPassSwitch_, highPassList_, p.hpfOn, p.hpfFreq);
    micGainSlider_->SetPos(p.micGain);
    SectionLabel(kIdMicGainValue)->SetText(GainText(p.micGain));
    gain2Slider_->SetPos(p.gain2);
    SectionLabel(kIdGain2Value)->SetText(GainText(p.gain2));
    ShowMonitorMix(mixSlider_, SectionLabel(kIdMixReadout), p);
}

void TorvaPage::OnLimiterSwitch() {
    DeviceParams& p = context_.params;
    const int on = ToggleSwitch(limiterSwitch_);
    SetChoiceUsable(limiterList_, on == 1);
    StoreLimiterSwitch(p, on);
    if (Connected()) context_.commands.SetLimiter();
}

void TorvaPage::OnHighPassSwitch() {
    DeviceParams& p = context_.params;
    const int on = ToggleSwitch(highPassSwitch_);
    SetChoiceUsable(highPassList_, on == 1);
    StoreHighPassSwitch(p, on);
    if (Connected()) context_.commands.SetHighPass();
}

void TorvaPage::OnStereoSwitch() {
    DeviceParams& p = context_.params;
    const int on = ToggleSwitch(stereoSwitch_);
    ShowStereo(on == 1);
    p.stereo = on;
    if (Connected()) context_.commands.SetStereo();
}

void TorvaPage::OnListChoice(int choiceId, int) {
    // The level is the list's own current choice, which is what the button shows.
    DeviceParams& p = context_.params;
    if (choiceId == kChoiceLimiterLevel) {
        const int level = ChosenLevel(limiterList_);
        if (level == 0) return;
        p.limiterLevel = level;
        if (Connected()) context_.commands.SetLimiter();
    } else if (choiceId == kChoiceHighPassCorner) {
        const int corner = ChosenLevel(highPassList_);
        if (corner == 0) return;
        p.hpfFreq = corner;
        if (Connected()) context_.commands.SetHighPass();
    }
}

void TorvaPage::OnSliderMessage(int controlId) {
    DeviceParams& p = context_.params;
    switch (controlId) {
        case kIdMicGainSlider:
            p.micGain = micGainSlider_->GetPos();
            SectionLabel(kIdMicGainValue)->SetText(GainText(p.micGain));
            if (Connected()) context_.commands.SetMicGain();
            return;
        case kIdGain2Slider:
            p.gain2 = gain2Slider_->GetPos();
            SectionLabel(kIdGain2Value)->SetText(GainText(p.gain2));
            if (Connected()) context_.commands.SetGain2();
            return;
        case kIdMixSlider:
            StoreMonitorMix(p, mixSlider_->GetPos(), SectionLabel(kIdMixReadout));
            if (Connected()) SendMonitorMix(context_.commands, p);
            return;
        default: {
            const int band = eq_.TakeBandSlider(controlId);
            if (band >= 0 && Connected()) context_.commands.SetBand(BandSet::Slider, band + 1);
            return;
        }
    }
}

}  // namespace quavelo
