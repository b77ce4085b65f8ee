// The preset section of the KD4 page: the ten slots, Save, Read and the preview table. The KD4
// keeps no presets itself: choosing, saving and previewing a slot send nothing.

#include "device/ControlSends.h"
#include "device/PresetPreview.h"
#include "pages/Kd4Page.h"
#include "pages/PageKit.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

constexpr PresetMessages kKd4PresetMessages{"Dont select the saving sequence number",
                                            "Do you replace preset settings?",
                                            "Do you recall preset settings?", "没有保存"};

// The value labels of the preview table, emptied before each preview. The band rows are labels
// 21..30: frequency 21 + 2n, gain 22 + 2n.
constexpr int kGainValue = 1;
constexpr int kCompressorValue = 3;
constexpr int kHighPassValue = 5;
constexpr int kMonitorValue = 7;
constexpr int kLockedValue = 9;
constexpr int kMicMuteValue = 11;
constexpr int kIndicatorValue = 13;
constexpr int kMicCutValue = 16;
constexpr int kPlaybackCutValue = 18;
constexpr int kEqValue = 20;
constexpr int kFirstBandRow = 21;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void Kd4Page::OnSlotButton(int slot) {
    selectedSlot_ = slot;
    CheckSlotButton(slotButtons_, slot);
    ShowPresetPreview();
}

void Kd4Page::OnSave() {
    if (SavePresetSlot(context_.prompt, kKd4PresetMessages, context_.params, context_.dataDirectory,
                       selectedSlot_)) {
        ShowPresetPreview();
    }
}

void Kd4Page::OnRead() {
    if (Busy()) return;
    const std::optional<PresetFields> fields =
        ReadPresetSlot(context_.prompt, kKd4PresetMessages, context_.dataDirectory, selectedSlot_);
    if (!fields) return;
    ApplyPresetKd4(*fields, context_.params);
    // The refresh also applies the recalled lock to the page.
    RefreshFromParams();
    if (Connected()) StartRecallSend();
}

void Kd4Page::ShowPresetPreview() {
    for (int index : {kGainValue, kCompressorValue, kHighPassValue, kMonitorValue, kLockedValue,
                      kMicMuteValue, kIndicatorValue, kMicCutValue, kPlaybackCutValue, kEqValue}) {
        PreviewLabel(index)->SetText({});
    }
    for (int index = kFirstBandRow; index < kPreviewLabels; ++index) {
        PreviewLabel(index)->SetText({});
    }
    const std::optional<PresetFields> fields =
        PeekPresetSlot(context_.dataDirectory, selectedSlot_);
    if (!fields) return;

    // Every value comes from the file as stored, not from the model. "LOCKED" shows the padlock
    // and "INDICATOR" the indicator switch, as on the page.
    const Kd4PresetPreview preview = MakeKd4PresetPreview(*fields);
    PreviewLabel(kGainValue)->SetText(Text(preview.gain));
    PreviewLabel(kCompressorValue)->SetText(Text(preview.compressor));
    PreviewLabel(kHighPassValue)->SetText(Text(preview.highpass));
    PreviewLabel(kMonitorValue)->SetText(Text(preview.monitor));
    PreviewLabel(kLockedValue)->SetText(Text(preview.locked));
    PreviewLabel(kMicMuteValue)->SetText(Text(preview.micMute));
    PreviewLabel(kIndicatorValue)->SetText(Text(preview.indicator));
    PreviewLabel(kMicCutValue)->SetText(Text(preview.mic));
    PreviewLabel(kPlaybackCutValue)->SetText(Text(preview.playback));
    PreviewLabel(kEqValue)->SetText(Text(preview.eq));
    for (int band = 0; band < kEqBands; ++band) {
        PreviewLabel(kFirstBandRow + 2 * band)->SetText(Text(preview.bandFreq[band]));
        PreviewLabel(kFirstBandRow + 2 * band + 1)->SetText(Text(preview.bandGain[band]));
    }
}

}  // namespace quavelo
