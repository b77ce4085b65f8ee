// The preset section of the KD4 page: the ten slots, Save, Read and the preview table. The KD4
// keeps no presets itself: choosing, saving and previewing a slot send nothing.

#include "device/ControlSends.h"
#include "device/PresetPreview.h"
#include "pages/Kd4Page.h"
#include "pages/PageKit.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

// The value label of each preview row (ModelProfile::previewRows), -1 for the heading row, and
// the band rows: labels 21..30, frequency 21 + 2n, gain 22 + 2n.
constexpr std::array<int, 11> kRowValueLabels{1, 3, 5, 7, 9, 11, 13, -1, 16, 18, 20};
constexpr int kFirstBandRow = 21;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void Kd4Page::OnSlotButton(int slot) {
    selectedSlot_ = slot;
    CheckSlotButton(slotButtons_, slot);
    ShowPresetPreview();
}

void Kd4Page::OnSave() {
    if (SavePresetSlot(context_.prompt, ProfileOf(Model::Kd4).presetMessages, context_.params,
                       context_.dataDirectory, selectedSlot_)) {
        ShowPresetPreview();
    }
}

void Kd4Page::OnRead() {
    if (Busy()) return;
    const std::optional<PresetFields> fields =
        ReadPresetSlot(context_.prompt, ProfileOf(Model::Kd4).presetMessages,
                       context_.dataDirectory, selectedSlot_);
    if (!fields) return;
    ApplyPreset(*fields, context_.params, ProfileOf(Model::Kd4));
    // The refresh also applies the recalled lock to the page.
    RefreshFromParams();
    if (Connected()) StartRecallSend();
}

void Kd4Page::ShowPresetPreview() {
    for (int index : kRowValueLabels) {
        if (index >= 0) PreviewLabel(index)->SetText({});
    }
    for (int index = kFirstBandRow; index < kPreviewLabels; ++index) {
        PreviewLabel(index)->SetText({});
    }
    const std::optional<PresetFields> fields =
        PeekPresetSlot(context_.dataDirectory, selectedSlot_);
    if (!fields) return;

    // Every value comes from the file as stored, not from the model. "LOCKED" shows the padlock
    // and "INDICATOR" the indicator switch, as on the page.
    const PresetPreview preview = MakePresetPreview(ProfileOf(Model::Kd4), *fields);
    for (std::size_t row = 0; row < kRowValueLabels.size(); ++row) {
        if (kRowValueLabels[row] >= 0) {
            PreviewLabel(kRowValueLabels[row])->SetText(Text(preview.values[row]));
        }
    }
    for (int band = 0; band < kEqBands; ++band) {
        PreviewLabel(kFirstBandRow + 2 * band)->SetText(Text(preview.bandFreq[band]));
        PreviewLabel(kFirstBandRow + 2 * band + 1)->SetText(Text(preview.bandGain[band]));
    }
}

}  // namespace quavelo
