#pragma once

#include <array>
#include <string>
#include <vector>

#include "device/ModelProfile.h"
#include "device/PresetFile.h"

namespace quavelo {

// What a model's page shows of a preset slot before it is recalled: one value per row of the
// model's preview (ModelProfile::previewRows; a heading row has no value and shows empty), and
// the five bands of the equaliser set the file has in use. Every value comes from the file's
// fields as stored, not clamped, so the user sees what the file holds.
struct PresetPreview {
    std::vector<std::string> values;             // one per preview row
    std::array<std::string, kEqBands> bandFreq;  // "%dHz", empty without an "EQ" value
    std::array<std::string, kEqBands> bandGain;  // "%ddB" of gain / 10 - 15
};
PresetPreview MakePresetPreview(const ModelProfile& profile, const PresetFields& fields);

// The rows of each model's preview, for the profiles.
// TORVA: "Gain" ("%ddB,%ddB" of both microphone gains), "SIGNAL" ("Stereo" / "MONO"), "DRC"
// ("Close", "-10dB", "-20dB", "-30B" or empty), "HIGHPASS" ("Close", "75Hz", "150Hz" or empty),
// "MIC" and "PHONE" ("%ddB" of the negated cuts), "EQ" ("PEG" for the slider set, "GEG" for the
// graph set, or empty).
extern const std::array<PreviewRow, 7> kTorvaPreviewRows;
// KD4: "Gain", "COMPRESSOR" (as "DRC"), "HIGHPASS", "MONITOR" ("%ddB" of gain2 - 80), "LOCKED",
// "MIC MUTE" and "INDICATOR" ("OFF" / "ON" of kd4Lock, kd4Mute, kd4Indicator), the heading
// "SOLO MIX", "MIC", "PLAYBACK" and "EQ".
extern const std::array<PreviewRow, 11> kKd4PreviewRows;

}  // namespace quavelo
