#include "pages/Kd4Page.h"

#include <QPainter>
#include <QResizeEvent>

#include <utility>

#include "device/ControlSends.h"
#include "pages/PageBackground.h"
#include "widgets/ImageButton.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

constexpr int kIdIndicatorCaption = 1047;
constexpr int kIdGainCaption = 1097;
constexpr int kIdSoloCaption = 1098;

// The section labels in the page's order, made without text: the English caption that the
// set-up writes (none for the value read-outs), and whether the label is shown.
const std::array<ControlPage::LabelEntry, 17> kSectionLabels{{
    {Kd4Page::kIdLimiterCaption,
     {20, 350, 80, 20},
     "",
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "DRC")},
    {Kd4Page::kIdHighPassCaption,
     {270, 350, 80, 20},
     "",
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "HighPass")},
    {1045, {30, 460, 80, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC Gain"), false},
    {Kd4Page::kIdMicGainValue, {390, 480, 60, 20}, "", nullptr},
    {kIdIndicatorCaption,
     {470, 350, 150, 20},
     "",
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "INDICATOR")},
    {1048, {530, 350, 60, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "INDICATOR"), false},
    {1049, {650, 365, 50, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "L+R"), false},
    {1050, {650, 355, 50, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "L"), false},
    {1051, {650, 375, 50, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "R"), false},
    {Kd4Page::kIdMixCaption,
     {500, 460, 80, 20},
     "",
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIX Solo")},
    {1053, {510, 535, 80, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC")},
    {1054, {900, 535, 80, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "Playback")},
    {Kd4Page::kIdPresetCaption,
     {655, 5, 80, 30},
     "",
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "Preset"),
     true,
     SkinLabel::kCentre},
    {Kd4Page::kIdMixReadout, {600, 560, 150, 20}, "", nullptr, false},
    {kIdGainCaption, {10, 480, 80, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "GAIN")},
    {kIdSoloCaption, {10, 550, 80, 20}, "", QT_TRANSLATE_NOOP("quavelo::ControlPage", "Solo")},
    {Kd4Page::kIdGain2Value, {390, 550, 60, 20}, "", nullptr},
}};

// The preview table, labels 0..30 (ids 1068..1093, then 1102..1106) in two columns of 16-pixel
// rows: captions left at x 750, values right-aligned at x 880. Each caption's value (if any) is
// the label after it, except for the band rows, whose frequency stands in the caption column.
constexpr int kPreviewLabels = 31;
struct PreviewCaption {
    int index;
    const char* text;
};
constexpr std::array<PreviewCaption, 11> kPreviewCaptions{
    {{0, QT_TRANSLATE_NOOP("quavelo::ControlPage", "Gain")},
     {2, QT_TRANSLATE_NOOP("quavelo::ControlPage", "COMPRESSOR")},
     {4, QT_TRANSLATE_NOOP("quavelo::ControlPage", "HIGHPASS")},
     {6, QT_TRANSLATE_NOOP("quavelo::ControlPage", "MONITOR")},
     {8, QT_TRANSLATE_NOOP("quavelo::ControlPage", "LOCKED")},
     {10, QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC MUTE")},
     {12, QT_TRANSLATE_NOOP("quavelo::ControlPage", "INDICATOR")},
     {14, QT_TRANSLATE_NOOP("quavelo::ControlPage", "SOLO MIX")},
     {15, QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC")},
     {17, QT_TRANSLATE_NOOP("quavelo::ControlPage", "PLAYBACK")},
     {19, "EQ"}}};
// The value label of each preview row (ModelProfile::previewRows), -1 for the heading row, and
// the band rows: frequency 21 + 2n, gain 22 + 2n.
constexpr std::array<int, 11> kRowValueLabels{1, 3, 5, 7, 9, 11, 13, -1, 16, 18, 20};
constexpr int kFirstBandRow = 21;

int PreviewLabelId(int index) { return index < 26 ? 1068 + index : 1102 + (index - 26); }

// Left (caption) column or right (value) column, and the row, of preview label `index`.
struct PreviewPlace {
    bool valueColumn;
    int row;
};
PreviewPlace PreviewPlaceOf(int index) {
    if (index <= 13) return {index % 2 == 1, index / 2};
    if (index == 14) return {false, 7};
    if (index <= 20) return {(index - 15) % 2 == 1, 8 + (index - 15) / 2};
    return {(index - 21) % 2 == 1, 11 + (index - 21) / 2};
}

ControlPage::PreviewLayout Preview() {
    ControlPage::PreviewLayout preview;
    for (int index = 0; index < kPreviewLabels; ++index) {
        const PreviewPlace place = PreviewPlaceOf(index);
        const char* caption = nullptr;
        for (const PreviewCaption& entry : kPreviewCaptions) {
            if (entry.index == index) caption = entry.text;
        }
        preview.labels.push_back({PreviewLabelId(index),
                                  {place.valueColumn ? 880 : 750, 10 + 16 * place.row, 100, 14},
                                  "",
                                  caption,
                                  true,
                                  place.valueColumn ? SkinLabel::kFar : SkinLabel::kNear});
    }
    for (int index : kRowValueLabels) {
        preview.rowValues.push_back(index >= 0 ? PreviewLabelId(index) : 0);
    }
    for (int band = 0; band < kEqBands; ++band) {
        preview.bands[band] = {PreviewLabelId(kFirstBandRow + 2 * band),
                               PreviewLabelId(kFirstBandRow + 2 * band + 1)};
    }
    return preview;
}

// The three status switches go in one group: the settings carry all three.
const PageSend kStatusSend{
    .group = [](DeviceCommands& c, const DeviceParams&) { return SendStatusSwitches(c); },
    .settle = SendWorker::Settle::None};

}  // namespace

Kd4Page::Kd4Page(PageContext& context, QWidget* parent, Clock clock)
    : ControlPage(context, Model::Kd4, kSectionLabels, std::move(clock), parent) {
    Label(kIdPresetCaption)->SetFrame(true);
    CreateGainControls({90, 460}, {90, 530});
    CreatePresetControls(Preview());
    CreateStatusControls();
}

void Kd4Page::CreateStatusControls() {
    indicatorSwitch_ = MakeSwitch(this, kIdIndicatorSwitch, {500, 375, 50, 28},
                                  SkinImage::SwitchOff, SkinImage::SwitchOn);
    levelMeter_ = MakeLevelMeter(this, kIdLevelMeter, {670, 380, 250, 20});

    // The overlay covers the whole page above every control while the page is locked. Clicks go
    // through it to the controls underneath, where only the status switches take them; those
    // stand above it so the switch that unlocks stays plainly visible.
    lockOverlay_ = MakePictureLabel(this, kIdLockOverlay, rect(), SkinImage::LockOverlay);
    lockOverlay_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lockOverlay_->hide();

    lockSwitch_ = MakeSwitch(this, kIdLockSwitch, {870, 350, 24, 24}, SkinImage::PadlockOpen,
                             SkinImage::PadlockClosed);
    muteSwitch_ = MakeSwitch(this, kIdMuteSwitch, {900, 350, 24, 24}, SkinImage::MicOpen,
                             SkinImage::MicMuted);
    indicatorSwitch_->raise();
    levelMeter_->setAccessibleName(tr("Level"));
    indicatorSwitch_->setAccessibleName(tr("Indicator"));
    lockSwitch_->setAccessibleName(tr("Panel lock"));
    muteSwitch_->setAccessibleName(tr("Microphone mute"));

    connect(lockSwitch_, &ImageButton::clicked, this, &Kd4Page::OnLockSwitch);
    connect(muteSwitch_, &ImageButton::clicked, this, &Kd4Page::OnMuteSwitch);
    connect(indicatorSwitch_, &ImageButton::clicked, this, &Kd4Page::OnIndicatorSwitch);
}

std::vector<QWidget*> Kd4Page::OwnControls() const {
    return {indicatorSwitch_, lockSwitch_, muteSwitch_};
}

void Kd4Page::RefreshOwnControls() {
    const DeviceParams& p = Params();
    muteSwitch_->SetChecked(p.kd4Mute);
    lockSwitch_->SetChecked(p.kd4Lock);
    indicatorSwitch_->SetChecked(p.kd4Indicator);
    ShowLock(p.kd4Lock != 0);
}

void Kd4Page::ShowLock(bool locked) {
    EnableSettingControls(!locked);
    lockOverlay_->setVisible(locked);
}

// The device reports the switches' states itself; they reach the page through
// RefreshFromParams.

void Kd4Page::OnLockSwitch() {
    if (Busy()) return;
    const int locked = ToggleSwitch(lockSwitch_);
    Params().kd4Lock = locked;
    ShowLock(locked == 1);
    Send(kStatusSend);
}

void Kd4Page::OnMuteSwitch() {
    if (Busy()) return;
    Params().kd4Mute = ToggleSwitch(muteSwitch_);
    Send(kStatusSend);
}

void Kd4Page::OnIndicatorSwitch() {
    if (Busy()) return;
    Params().kd4Indicator = ToggleSwitch(indicatorSwitch_);
    Send(kStatusSend);
}

void Kd4Page::ShowLevels(const LevelReading& reading) {
    levelMeter_->SetPos(LevelPercent(reading.first));
}

void Kd4Page::paintEvent(QPaintEvent* event) {
    ControlPage::paintEvent(event);
    // The KD4 page also divides its lower panel at x 650 and x 240.
    QPainter painter(this);
    PaintBar(painter, 650, 320, 120, Qt::Vertical);
    PaintBar(painter, 240, 320, 120, Qt::Vertical);
}

void Kd4Page::resizeEvent(QResizeEvent* event) {
    ControlPage::resizeEvent(event);
    lockOverlay_->setGeometry(rect());
}

}  // namespace quavelo
