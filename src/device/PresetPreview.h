#pragma once

#include <array>
#include <string>

#include "device/PresetFile.h"

namespace quavelo {

// The value texts of the TORVA page's preset panel, from a file's fields as stored (not clamped).
struct TorvaPresetPreview {
    std::string gain;      // "Gain": "%ddB,%ddB" of both microphone gains
    std::string signal;    // "SIGNAL": "Stereo" / "MONO"
    std::string drc;       // "DRC": "Close", "-10dB", "-20dB", "-30B" or empty
    std::string highpass;  // "HIGHPASS": "Close", "75Hz", "150Hz" or empty
    std::string mic;       // "MIC": "%ddB" of the negated microphone cut
    std::string phone;     // "PHONE": "%ddB" of the negated playback cut
    std::string eq;        // "EQ": "PEG" (slider set) / "GEG" (graph set) or empty
    std::array<std::string, kEqBands> bandFreq;  // "%dHz", empty unless eq is shown
    std::array<std::string, kEqBands> bandGain;  // "%ddB" of gain / 10 - 15
};

// The value column of the KD4 page's preset table, row by row.
struct Kd4PresetPreview {
    std::string gain;        // "Gain": "%ddB" of the microphone gain
    std::string compressor;  // "COMPRESSOR": as the TORVA "DRC" row
    std::string highpass;    // "HIGHPASS"
    std::string monitor;     // "MONITOR": "%ddB" of gain2 - 80
    std::string locked;      // "LOCKED": "OFF" / "ON" of kd4Lock (the padlock)
    std::string micMute;     // "MIC MUTE": "OFF" / "ON" of kd4Mute
    std::string indicator;   // "INDICATOR": "OFF" / "ON" of kd4Indicator
    std::string mic;         // "MIC": "%ddB" of the negated microphone cut
    std::string playback;    // "PLAYBACK": "%ddB" of the negated playback cut
    std::string eq;          // "EQ": "PEG" / "GEG" or empty
    std::array<std::string, kEqBands> bandFreq;
    std::array<std::string, kEqBands> bandGain;
};

// Captions of the KD4 table's left column, top to bottom ("SOLO MIX" heads the two cut rows and
// has no value).
inline constexpr std::array<const char*, 11> kKd4PreviewCaptions{
    "Gain",      "COMPRESSOR", "HIGHPASS", "MONITOR",  "LOCKED", "MIC MUTE",
    "INDICATOR", "SOLO MIX",   "MIC",      "PLAYBACK", "EQ"};

TorvaPresetPreview MakeTorvaPresetPreview(const PresetFields& fields);
Kd4PresetPreview MakeKd4PresetPreview(const PresetFields& fields);

}  // namespace quavelo
