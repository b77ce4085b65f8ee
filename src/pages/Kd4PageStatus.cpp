// The status section of the KD4 page: the lock, mic mute and indicator switches, the lock overlay
// and the level meter. The device reports the switches' states itself; they reach the page
// through RefreshFromParams.

#include "pages/Kd4Page.h"
#include "pages/PageKit.h"
#include "widgets/ControlId.h"
#include "widgets/ImageButton.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

using enum SkinImage;
constexpr int kOverlayFontSize = 16;

}  // namespace

void Kd4Page::CreateStatusControls() {
    indicatorSwitch_ =
        MakeSwitch(this, kIdIndicatorSwitch, {500, 375, 50, 28}, SwitchOff, SwitchOn);
    levelMeter_ = new LevelMeter(this);
    SetControlId(levelMeter_, kIdLevelMeter);
    levelMeter_->setGeometry(670, 380, 250, 20);
    levelMeter_->SetMeterImages(MeterFill, MeterBackground);
    levelMeter_->SetRange(0, 100);
    levelMeter_->SetPos(0);

    // The overlay covers the whole page above every control while the page is locked. Clicks go
    // through it to the controls underneath, where only the status switches take them; those
    // stand above it so the switch that unlocks stays plainly visible.
    lockOverlay_ = new SkinLabel(this);
    SetControlId(lockOverlay_, kIdLockOverlay);
    lockOverlay_->SetFontSize(kOverlayFontSize);
    lockOverlay_->SetAlignment(SkinLabel::kNear);
    lockOverlay_->SetOverlayImage(LockOverlay);
    lockOverlay_->SetOverlayOn(true);
    lockOverlay_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lockOverlay_->setGeometry(rect());
    lockOverlay_->hide();

    lockSwitch_ = MakeSwitch(this, kIdLockSwitch, {870, 350, 24, 24}, PadlockOpen, PadlockClosed);
    muteSwitch_ = MakeSwitch(this, kIdMuteSwitch, {900, 350, 24, 24}, MicOpen, MicMuted);
    indicatorSwitch_->raise();
}

void Kd4Page::RefreshStatus() {
    const DeviceParams& p = context_.params;
    muteSwitch_->SetChecked(p.kd4Mute);
    lockSwitch_->SetChecked(p.kd4Lock);
    indicatorSwitch_->SetChecked(p.kd4Indicator);
}

void Kd4Page::ShowLockOverlay(bool locked) { lockOverlay_->setVisible(locked); }

void Kd4Page::OnLockSwitch() {
    if (Busy()) return;
    const int locked = ToggleSwitch(lockSwitch_);
    context_.params.kd4Lock = locked;
    ApplyLockState(locked == 0);
    ShowLockOverlay(locked == 1);
    if (Connected()) StartSwitchesSend();
}

void Kd4Page::OnMuteSwitch() {
    if (Busy()) return;
    context_.params.kd4Mute = ToggleSwitch(muteSwitch_);
    if (Connected()) StartSwitchesSend();
}

void Kd4Page::OnIndicatorSwitch() {
    if (Busy()) return;
    context_.params.kd4Indicator = ToggleSwitch(indicatorSwitch_);
    if (Connected()) StartSwitchesSend();
}

void Kd4Page::SetLevelMeter(int position) { levelMeter_->SetPos(position); }

}  // namespace quavelo
