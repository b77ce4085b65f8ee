#include "pages/TorvaPage.h"

#include <utility>

#include "widgets/ImageButton.h"
#include "widgets/LevelMeter.h"

namespace quavelo {

namespace {

constexpr int kIdMicGainCaption = 1045;
constexpr int kIdMonoCaption = 1047;
constexpr int kIdStereoCaption = 1048;
constexpr int kIdMeterMonoCaption = 1049;
constexpr int kIdMeterLeftCaption = 1050;
constexpr int kIdMeterRightCaption = 1051;
constexpr int kIdMixMicCaption = 1053;
constexpr int kIdMixPlaybackCaption = 1054;
constexpr int kIdGainLCaption = 1097;
constexpr int kIdGainRCaption = 1098;

// The section labels, in the page's order: the TORVA page is made with captions in the user's
// language (Chinese ones under a Chinese locale) and writes the English ones at the end of its
// set-up.
const std::array<ControlPage::LabelEntry, 17> kSectionLabels{{
    {TorvaPage::kIdLimiterCaption,
     {20, 350, 80, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Limiter"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "DRC")},
    {TorvaPage::kIdHighPassCaption,
     {270, 350, 80, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "High-pass filter"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "HighPass")},
    {kIdMicGainCaption,
     {30, 460, 80, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Mic gain"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC Gain")},
    {TorvaPage::kIdMicGainValue, {360, 500, 80, 20}, "2dB", nullptr},
    {kIdMonoCaption,
     {470, 350, 60, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Mono"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "Mono")},
    {kIdStereoCaption,
     {530, 350, 60, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Stereo"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "Stereo")},
    {kIdMeterMonoCaption,
     {650, 365, 50, 20},
     "L+R",
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "L+R")},
    {kIdMeterLeftCaption, {650, 355, 50, 20}, "L", QT_TRANSLATE_NOOP("quavelo::ControlPage", "L")},
    {kIdMeterRightCaption, {650, 375, 50, 20}, "R", QT_TRANSLATE_NOOP("quavelo::ControlPage", "R")},
    {TorvaPage::kIdMixCaption,
     {500, 460, 80, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Monitor mix"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIX Solo")},
    {kIdMixMicCaption,
     {510, 535, 80, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Mic"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC")},
    {kIdMixPlaybackCaption,
     {900, 535, 80, 20},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Playback"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "Playback")},
    {TorvaPage::kIdPresetCaption,
     {655, 5, 80, 30},
     QT_TRANSLATE_NOOP("ControlPageTemplate", "Preset"),
     QT_TRANSLATE_NOOP("quavelo::ControlPage", "Preset")},
    {TorvaPage::kIdMixReadout, {600, 560, 150, 20}, "", nullptr, false},
    {kIdGainLCaption, {10, 500, 30, 20}, "L", nullptr},
    {kIdGainRCaption, {10, 550, 30, 20}, "R", nullptr},
    {TorvaPage::kIdGain2Value, {360, 550, 80, 20}, "0dB", nullptr},
}};

// The preview panel: names at x 750 and values at x 880, one row per 20 pixels from y 10. The
// five band rows show the frequency under the name column and the gain under the value column;
// the last name label stays hidden.
struct PreviewRowEntry {
    int nameId;
    int valueId;  // 0: the row has no value
    const char* first;
    const char* caption;
};
constexpr std::array<PreviewRowEntry, 14> kPreviewRows{{
    {1068, 1069, "Gain", QT_TRANSLATE_NOOP("quavelo::ControlPage", "Gain")},
    {1070, 1071, "SIGNAL", QT_TRANSLATE_NOOP("quavelo::ControlPage", "SIGNAL")},
    {1072, 1073, "COMPRESSOR", QT_TRANSLATE_NOOP("quavelo::ControlPage", "DRC")},
    {1074, 1075, "HIGHPASS", QT_TRANSLATE_NOOP("quavelo::ControlPage", "HIGHPASS")},
    {1076, 0, "SOLO MIX", QT_TRANSLATE_NOOP("quavelo::ControlPage", "SOLO MIX")},
    {1077, 1078, "MIC", QT_TRANSLATE_NOOP("quavelo::ControlPage", "MIC")},
    {1079, 1080, "PHONE", QT_TRANSLATE_NOOP("quavelo::ControlPage", "PHONE")},
    {1081, 1082, "EQ", QT_TRANSLATE_NOOP("quavelo::ControlPage", "EQ")},
    {1083, 1084, "", nullptr},
    {1085, 1086, "", nullptr},
    {1087, 1088, "", nullptr},
    {1089, 1090, "", nullptr},
    {1091, 1092, "", nullptr},
    {1093, 0, "", nullptr},
}};
constexpr int kIdHiddenPreviewLabel = 1093;

ControlPage::PreviewLayout Preview() {
    ControlPage::PreviewLayout preview;
    for (std::size_t row = 0; row < kPreviewRows.size(); ++row) {
        const PreviewRowEntry& entry = kPreviewRows[row];
        const int y = 10 + 20 * static_cast<int>(row);
        preview.labels.push_back({entry.nameId,
                                  {750, y, 100, 16},
                                  entry.first,
                                  entry.caption,
                                  entry.nameId != kIdHiddenPreviewLabel});
        if (entry.valueId != 0) {
            preview.labels.push_back({entry.valueId, {880, y, 100, 16}, "", nullptr});
        }
    }
    // The value label of each preview row (ModelProfile::previewRows), and the band rows:
    // frequency 1083 + 2n, gain 1084 + 2n.
    preview.rowValues = {1069, 1071, 1073, 1075, 1078, 1080, 1082};
    for (int band = 0; band < kEqBands; ++band) {
        preview.bands[band] = {1083 + 2 * band, 1084 + 2 * band};
    }
    return preview;
}

const PageSend kStereoSend{[](DeviceCommands& c, const DeviceParams&) { return c.SetStereo(); }};

}  // namespace

TorvaPage::TorvaPage(PageContext& context, QWidget* parent, Clock clock)
    : ControlPage(context, Model::Torva, kSectionLabels, std::move(clock), parent) {
    stereoSwitch_ = MakeSwitch(this, kIdStereoSwitch, {500, 375, 50, 28}, SkinImage::SwitchOff,
                               SkinImage::SwitchOn);
    connect(stereoSwitch_, &ImageButton::clicked, this, &TorvaPage::OnStereoSwitch);
    meterLeft_ = MakeLevelMeter(this, kIdMeterLeft, {700, 360, 200, 10});
    meterMono_ = MakeLevelMeter(this, kIdMeterMono, {700, 370, 200, 10});
    meterRight_ = MakeLevelMeter(this, kIdMeterRight, {700, 380, 200, 10});
    ShowStereo(false);
    CreateGainControls({50, 480}, {50, 530});
    CreatePresetControls(Preview());
    stereoSwitch_->setAccessibleName(tr("Stereo"));
    meterMono_->setAccessibleName(tr("Level"));
    meterLeft_->setAccessibleName(tr("Level left"));
    meterRight_->setAccessibleName(tr("Level right"));
}

std::vector<QWidget*> TorvaPage::OwnControls() const { return {stereoSwitch_}; }

void TorvaPage::RefreshOwnControls() {
    stereoSwitch_->SetChecked(Params().stereo);
    ShowStereo(Params().stereo == 1);
}

void TorvaPage::ShowStereo(bool stereo) {
    Label(kIdMeterLeftCaption)->setVisible(stereo);
    Label(kIdMeterRightCaption)->setVisible(stereo);
    meterLeft_->setVisible(stereo);
    meterRight_->setVisible(stereo);
    Label(kIdMeterMonoCaption)->setVisible(!stereo);
    meterMono_->setVisible(!stereo);
}

void TorvaPage::OnStereoSwitch() {
    const int on = ToggleSwitch(stereoSwitch_);
    ShowStereo(on == 1);
    Params().stereo = on;
    Send(kStereoSend);
}

void TorvaPage::ShowLevels(const LevelReading& reading) {
    const MeterPositions meters = MeterPositionsOf(reading);
    meterLeft_->SetPos(meters.first);
    meterRight_->SetPos(meters.second);
    meterMono_->SetPos(meters.mean);
}

}  // namespace quavelo
