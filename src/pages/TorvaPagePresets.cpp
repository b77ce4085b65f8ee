// The preset section of the TORVA page: the ten slots, Save, Read and the preview panel.

#include "device/ControlSends.h"
#include "device/Messages.h"
#include "device/PresetPreview.h"
#include "pages/PageKit.h"
#include "pages/TorvaPage.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

// The value label of each preview row (ModelProfile::previewRows), and the band rows: frequency
// 1083 + 2n, gain 1084 + 2n.
constexpr std::array<int, 7> kRowValueLabels{1069, 1071, 1073, 1075, 1078, 1080, 1082};
constexpr int kIdFirstBandRow = 1083;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void TorvaPage::OnSlotButton(int slot) {
    selectedSlot_ = slot;
    CheckSlotButton(slotButtons_, slot);
    ShowPresetPreview();
}

void TorvaPage::OnSave() {
    if (SavePresetSlot(context_.prompt, ProfileOf(Model::Torva).presetMessages, context_.params,
                       context_.dataDirectory, selectedSlot_)) {
        ShowPresetPreview();
    }
}

void TorvaPage::OnRead() {
    const std::optional<PresetFields> fields =
        ReadPresetSlot(context_.prompt, ProfileOf(Model::Torva).presetMessages,
                       context_.dataDirectory, selectedSlot_);
    if (!fields) return;
    ApplyPreset(*fields, context_.params, ProfileOf(Model::Torva));
    RefreshFromParams();
    if (!Connected()) return;
    if (!SendPresetRecall(context_.commands)) {
        context_.prompt.Info(message::kSendFailed);
    }
}

void TorvaPage::ShowPresetPreview() {
    for (int id : kRowValueLabels) PreviewLabel(id)->SetText({});
    for (int id = kIdFirstBandRow; id < kIdFirstBandRow + 2 * kEqBands; ++id) {
        PreviewLabel(id)->SetText({});
    }
    const std::optional<PresetFields> fields =
        PeekPresetSlot(context_.dataDirectory, selectedSlot_);
    if (!fields) return;

    // Every value comes from the file as stored, not from the model.
    const PresetPreview preview = MakePresetPreview(ProfileOf(Model::Torva), *fields);
    for (std::size_t row = 0; row < kRowValueLabels.size(); ++row) {
        PreviewLabel(kRowValueLabels[row])->SetText(Text(preview.values[row]));
    }
    for (int band = 0; band < kEqBands; ++band) {
        PreviewLabel(kIdFirstBandRow + 2 * band)->SetText(Text(preview.bandFreq[band]));
        PreviewLabel(kIdFirstBandRow + 2 * band + 1)->SetText(Text(preview.bandGain[band]));
    }
}

}  // namespace quavelo
