#include "pages/PresetKit.h"

#include <QString>

#include <string>

#include "pages/PageKit.h"
#include "widgets/ImageButton.h"

namespace quavelo {

namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < kPresetSlots; }

}  // namespace

SlotButtons MakeSlotButtons(QWidget* page) {
    SlotButtons buttons{};
    for (int k = 0; k < kPresetSlots; ++k) {
        buttons[k] = MakeSwitch(page, kIdFirstSlotButton + k, {655, 40 + 25 * k, 80, 25},
                                SkinImage::SlotButton, SkinImage::SlotButtonSelected,
                                QString::number(k + 1));
    }
    return buttons;
}

void CheckSlotButton(const SlotButtons& buttons, int slot) {
    for (ImageButton* button : buttons) button->SetChecked(0);
    if (ValidSlot(slot)) buttons[slot]->SetChecked(1);
}

bool SavePresetSlot(Prompt& prompt, const PresetMessages& messages, const DeviceParams& params,
                    const std::filesystem::path& dataDirectory, int slot) {
    if (!ValidSlot(slot)) {
        prompt.Info(messages.noSlot);
        return false;
    }
    if (!prompt.Confirm(messages.confirmSave)) return false;
    const std::filesystem::path path = PresetFilePath(dataDirectory, slot);
    const std::string error = WritePresetFile(path, BuildPresetImage(params));
    if (!error.empty()) {
        prompt.Info(path.string() + ": " + error);
        return false;
    }
    return true;
}

std::optional<PresetFields> ReadPresetSlot(Prompt& prompt, const PresetMessages& messages,
                                           const std::filesystem::path& dataDirectory, int slot) {
    if (!ValidSlot(slot)) {
        prompt.Info(messages.noSlot);
        return std::nullopt;
    }
    if (!prompt.Confirm(messages.confirmRead)) return std::nullopt;
    const PresetReadResult file = ReadPresetFile(PresetFilePath(dataDirectory, slot));
    if (!file.image) {
        prompt.Info(messages.notSaved);
        return std::nullopt;
    }
    return DecodePresetImage(*file.image);
}

std::optional<PresetFields> PeekPresetSlot(const std::filesystem::path& dataDirectory, int slot) {
    if (!ValidSlot(slot)) return std::nullopt;
    const PresetReadResult file = ReadPresetFile(PresetFilePath(dataDirectory, slot));
    if (!file.image) return std::nullopt;
    return DecodePresetImage(*file.image);
}

}  // namespace quavelo
