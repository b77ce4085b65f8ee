#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "device/PresetFile.h"

namespace quavelo {

// The preset commands. Slots are 1..10 (files SAVE0.dat .. SAVE9.dat in the data directory); a
// slot that is empty or cannot be read or written gives kPresetUnavailable with the reason.

// The slot's file; nothing, with the reason written (the preset messages' notSaved), when it
// cannot be used.
std::optional<PresetImage> ReadSlot(CliSession& session, int slot);
// The slot's preview as the model's page shows it; needs no device.
ExitCode ShowPreset(CliSession& session, std::ostream& out, bool json, int slot);
// Reads the settings back, then writes them to the slot.
ExitCode SavePreset(CliSession& session, int slot);
// Reads the settings back, loads the slot into them as the model's page Read does, and sends what
// that Read sends.
ExitCode LoadPreset(CliSession& session, int slot);
// Copies the slot to `file` (replaced atomically); needs no device.
ExitCode ExportPreset(CliSession& session, int slot, const std::filesystem::path& file);
// Copies `file` into the slot, atomically, when it is a preset (ReadPresetToImport); otherwise
// the slot is left as it was. Needs no device.
ExitCode ImportPreset(CliSession& session, const std::filesystem::path& file, int slot);

}  // namespace quavelo
