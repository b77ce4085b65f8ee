// The preset section of the TORVA page: the ten slots, Save, Read and the preview panel.

#include "device/ControlSends.h"
#include "device/PresetPreview.h"
#include "pages/PageKit.h"
#include "pages/TorvaPage.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

constexpr PresetMessages kTorvaPresetMessages{"没有选择保存序号", "是否替换预设设置?",
                                              "是否调用预设设置?", "没有保存"};

// The value labels of the preview panel, emptied before each preview.
constexpr int kIdGainValue = 1069;
constexpr int kIdSignalValue = 1071;
constexpr int kIdDrcValue = 1073;
constexpr int kIdHighPassValue = 1075;
constexpr int kIdMicCutValue = 1078;
constexpr int kIdPhoneCutValue = 1080;
constexpr int kIdEqValue = 1082;
constexpr int kIdFirstBandRow = 1083;  // band n: frequency 1083 + 2n, gain 1084 + 2n

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void TorvaPage::OnSlotButton(int slot) {
    selectedSlot_ = slot;
    CheckSlotButton(slotButtons_, slot);
    ShowPresetPreview();
}

void TorvaPage::OnSave() {
    if (SavePresetSlot(context_.prompt, kTorvaPresetMessages, context_.params,
                       context_.dataDirectory, selectedSlot_)) {
        ShowPresetPreview();
    }
}

void TorvaPage::OnRead() {
    const std::optional<PresetFields> fields = ReadPresetSlot(
        context_.prompt, kTorvaPresetMessages, context_.dataDirectory, selectedSlot_);
    if (!fields) return;
    ApplyPresetTorva(*fields, context_.params);
    RefreshFromParams();
    if (!Connected()) return;
    if (!SendPresetRecallTorva(context_.commands, context_.params)) {
        context_.prompt.Info(kSendFailedMessage);
    }
}

void TorvaPage::ShowPresetPreview() {
    for (int id : {kIdGainValue, kIdSignalValue, kIdDrcValue, kIdHighPassValue, kIdMicCutValue,
                   kIdPhoneCutValue, kIdEqValue}) {
        PreviewLabel(id)->SetText({});
    }
    for (int id = kIdFirstBandRow; id < kIdFirstBandRow + 2 * kEqBands; ++id) {
        PreviewLabel(id)->SetText({});
    }
    const std::optional<PresetFields> fields =
        PeekPresetSlot(context_.dataDirectory, selectedSlot_);
    if (!fields) return;

    // Every value comes from the file as stored, not from the model.
    const TorvaPresetPreview preview = MakeTorvaPresetPreview(*fields);
    PreviewLabel(kIdGainValue)->SetText(Text(preview.gain));
    PreviewLabel(kIdSignalValue)->SetText(Text(preview.signal));
    PreviewLabel(kIdDrcValue)->SetText(Text(preview.drc));
    PreviewLabel(kIdHighPassValue)->SetText(Text(preview.highpass));
    PreviewLabel(kIdMicCutValue)->SetText(Text(preview.mic));
    PreviewLabel(kIdPhoneCutValue)->SetText(Text(preview.phone));
    PreviewLabel(kIdEqValue)->SetText(Text(preview.eq));
    for (int band = 0; band < kEqBands; ++band) {
        PreviewLabel(kIdFirstBandRow + 2 * band)->SetText(Text(preview.bandFreq[band]));
        PreviewLabel(kIdFirstBandRow + 2 * band + 1)->SetText(Text(preview.bandGain[band]));
    }
}

}  // namespace quavelo
