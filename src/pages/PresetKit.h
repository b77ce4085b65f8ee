#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "device/DeviceParams.h"
#include "device/Messages.h"
#include "device/PresetFile.h"
#include "device/Prompt.h"

class QWidget;

namespace quavelo {

class ImageButton;

// The preset store both control pages share: ten slot buttons, and Save and Read of the selected
// slot's file with their questions and messages. Which fields a Read applies, what it sends and
// how the preview looks differ between the pages and stay with them.

inline constexpr int kIdFirstSlotButton = 1058;  // 1058..1067: slots 0..9, captions "1".."10"
inline constexpr int kIdSaveButton = 1033;
inline constexpr int kIdReadButton = 1034;
inline constexpr int kNoSlot = -1;

using SlotButtons = std::array<ImageButton*, kPresetSlots>;

// The ten slot buttons at 655, 40 + 25 k, 80 x 25: switches (SlotButton, SlotButtonSelected)
// with white captions "1" .. "10", none checked.
SlotButtons MakeSlotButtons(QWidget* page);
// Checks the button of `slot` and unchecks the others (all of them for kNoSlot).
void CheckSlotButton(const SlotButtons& buttons, int slot);

// Save of `slot` (kNoSlot when none is chosen): the slot is asked for and confirmed, then the
// model's image replaces the slot's file atomically. A failed write is reported with the file
// and the reason, and the slot keeps its old content. True when the file was written.
bool SavePresetSlot(Prompt& prompt, const PresetMessages& messages, const DeviceParams& params,
                    const std::filesystem::path& dataDirectory, int slot);

// The file half of a Read: the slot is asked for and confirmed, then its file read. A missing,
// unreadable or short file is "not saved" and yields nothing, so nothing of it is applied.
// The fields as stored; the caller applies them, which clamps them into their ranges.
std::optional<PresetFields> ReadPresetSlot(Prompt& prompt, const PresetMessages& messages,
                                           const std::filesystem::path& dataDirectory, int slot);

// The fields of a slot's file for its preview, without any message; nothing for no slot or an
// empty or unusable file.
std::optional<PresetFields> PeekPresetSlot(const std::filesystem::path& dataDirectory, int slot);

}  // namespace quavelo
