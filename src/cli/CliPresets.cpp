#include "cli/CliPresets.h"

#include <optional>
#include <string>

#include "cli/CliOutput.h"
#include "device/ControlSends.h"
#include "device/Messages.h"
#include "device/PresetFile.h"
#include "link/AtomicFile.h"

namespace quavelo {

namespace {

ExitCode Fail(CliSession& session, const std::string& message) {
    session.Err() << "quavelo-cli: " << message << '\n';
    return ExitCode::kPresetUnavailable;
}

// Writes the slot; kDone, or the reason and that the slot is unchanged.
ExitCode WriteSlot(CliSession& session, int slot, const PresetImage& image) {
    const std::filesystem::path* folder = session.DataFolder();
    if (folder == nullptr) return ExitCode::kPresetUnavailable;
    const std::filesystem::path path = PresetFilePath(*folder, slot - 1);
    const std::string error = WritePresetFile(path, image);
    if (error.empty()) return ExitCode::kDone;
    return Fail(session, "cannot save slot " + std::to_string(slot) + " (" + path.string() +
                             "): " + error + "; the slot is unchanged");
}

}  // namespace

std::optional<PresetImage> ReadSlot(CliSession& session, int slot) {
    const std::filesystem::path* folder = session.DataFolder();
    if (folder == nullptr) return std::nullopt;
    const PresetReadResult read = ReadPresetFile(PresetFilePath(*folder, slot - 1));
    if (!read.image) {
        session.Err() << "quavelo-cli: " << session.Text(session.Profile().presetMessages.notSaved)
                      << " (slot " << slot << ": " << read.error << ")\n";
    }
    return read.image;
}

ExitCode ShowPreset(CliSession& session, std::ostream& out, bool json, int slot) {
    const auto image = ReadSlot(session, slot);
    if (!image) return ExitCode::kPresetUnavailable;
    PrintPresetPreview(out, session.Profile(), DecodePresetImage(*image), json);
    return ExitCode::kDone;
}

ExitCode SavePreset(CliSession& session, int slot) {
    if (session.DataFolder() == nullptr) return ExitCode::kPresetUnavailable;
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    return WriteSlot(session, slot, BuildPresetImage(session.Params()));
}

ExitCode LoadPreset(CliSession& session, int slot) {
    const auto image = ReadSlot(session, slot);
    if (!image) return ExitCode::kPresetUnavailable;
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    ApplyPreset(DecodePresetImage(*image), session.Params(), session.Profile());
    if (SendPresetRecall(session.Commands())) return ExitCode::kDone;
    session.Err() << "quavelo-cli: " << session.Text(message::kSendFailed) << '\n';
    return ExitCode::kSendFailed;
}

ExitCode ExportPreset(CliSession& session, int slot, const std::filesystem::path& file) {
    const auto image = ReadSlot(session, slot);
    if (!image) return ExitCode::kPresetUnavailable;
    const std::string error = WriteFileAtomically(file, *image);
    if (error.empty()) return ExitCode::kDone;
    return Fail(session, "cannot export slot " + std::to_string(slot) + " to " + file.string() +
                             ": " + error);
}

ExitCode ImportPreset(CliSession& session, const std::filesystem::path& file, int slot) {
    const PresetReadResult read = ReadPresetToImport(file);
    if (!read.image) {
        return Fail(session, "cannot import " + file.string() + ": " + read.error + "; slot " +
                                 std::to_string(slot) + " is unchanged");
    }
    return WriteSlot(session, slot, *read.image);
}

}  // namespace quavelo
