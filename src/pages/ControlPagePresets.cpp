// The preset section of a control page: the ten slots, Save, Read and the preview panel.
// Choosing, saving and previewing a slot send nothing; a Read sends the recalled settings.

#include "device/ControlSends.h"
#include "device/PresetPreview.h"
#include "pages/ControlPage.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

const PageSend kRecallSend{
    .group = [](DeviceCommands& c, const DeviceParams&) { return SendPresetRecall(c); },
    .reportsFailure = true};

}  // namespace

void ControlPage::OnSlotButton(int slot) {
    selectedSlot_ = slot;
    CheckSlotButton(slotButtons_, slot);
    ShowPresetPreview();
}

void ControlPage::OnSave() {
    if (SavePresetSlot(context_.prompt, profile_.presetMessages, context_.params,
                       context_.dataDirectory, selectedSlot_)) {
        ShowPresetPreview();
    }
}

void ControlPage::OnRead() {
    if (Busy()) return;
    const std::optional<PresetFields> fields = ReadPresetSlot(
        context_.prompt, profile_.presetMessages, context_.dataDirectory, selectedSlot_);
    if (!fields) return;
    ApplyPreset(*fields, context_.params, profile_);
    // The refresh also applies a recalled lock to the page.
    RefreshFromParams();
    Send(kRecallSend);
}

void ControlPage::ShowPresetPreview() {
    for (int id : previewRowValues_) {
        if (id != 0) Label(id)->SetText({});
    }
    for (const auto& [freq, gain] : previewBands_) {
        Label(freq)->SetText({});
        Label(gain)->SetText({});
    }
    const std::optional<PresetFields> fields =
        PeekPresetSlot(context_.dataDirectory, selectedSlot_);
    if (!fields) return;

    // Every value comes from the file as stored, not from the model.
    const PresetPreview preview = MakePresetPreview(profile_, *fields);
    for (std::size_t row = 0; row < previewRowValues_.size(); ++row) {
        if (previewRowValues_[row] != 0) {
            Label(previewRowValues_[row])->SetText(ReadoutText(preview.values[row]));
        }
    }
    for (int band = 0; band < kEqBands; ++band) {
        Label(previewBands_[band].first)->SetText(ReadoutText(preview.bandFreq[band]));
        Label(previewBands_[band].second)->SetText(ReadoutText(preview.bandGain[band]));
    }
}

}  // namespace quavelo
