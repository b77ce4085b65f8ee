#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "device/DeviceParams.h"

namespace quavelo {

// A preset is a 708-byte file holding an image of the settings part of the parameter model:
// 32-bit little-endian integers at fixed offsets, no header, no checksum. Ten slots live in the
// data directory as SAVE0.dat .. SAVE9.dat (slot buttons "1" .. "10").
inline constexpr std::size_t kPresetFileSize = 708;
inline constexpr int kPresetSlots = 10;
using PresetImage = std::array<std::uint8_t, kPresetFileSize>;

// Byte offsets of the fields in a preset image.
namespace preset {
inline constexpr std::size_t kGraphBands = 0;       // ten 24-byte band records
inline constexpr std::size_t kSliderBands = 240;    // ten 24-byte band records
inline constexpr std::size_t kBandRecordSize = 24;  // freq, gain, q, two unused words, filterType
inline constexpr std::size_t kBandFreq = 0;
inline constexpr std::size_t kBandGain = 4;
inline constexpr std::size_t kBandQ = 8;
inline constexpr std::size_t kBandFilterType = 20;
inline constexpr std::size_t kEqEnabled = 480;
inline constexpr std::size_t kEqMode = 484;
inline constexpr std::size_t kStereo = 488;
inline constexpr std::size_t kKd4Lock = 492;
inline constexpr std::size_t kKd4Mute = 496;
inline constexpr std::size_t kMonitorMicCut = 532;
inline constexpr std::size_t kMonitorPlaybackCut = 536;
inline constexpr std::size_t kMicGain = 540;
inline constexpr std::size_t kGain2 = 544;
inline constexpr std::size_t kHpfFreq = 548;
inline constexpr std::size_t kHpfOn = 552;
inline constexpr std::size_t kKd4Indicator = 556;
inline constexpr std::size_t kLimiterLevel = 560;
inline constexpr std::size_t kLimiterOn = 564;
}  // namespace preset

// The file of slot 0..9 in `dataDir`.
std::filesystem::path PresetFilePath(const std::filesystem::path& dataDir, int slot);

// The image of the model's settings. Bytes that are unused or held run-time state in the model's
// memory (500..531, 568..707, and the unused words of each band record) are written as zeros.
PresetImage BuildPresetImage(const DeviceParams& params);

// The settings fields of an image exactly as the file holds them, unchecked. Previews show these;
// the Apply functions below clamp them before they reach the model.
struct PresetBand {
    std::int32_t freq = 0;
    std::int32_t gain = 0;
};
struct PresetFields {
    std::array<PresetBand, kEqBands> graphBands{};
    std::array<PresetBand, kEqBands> sliderBands{};
    std::int32_t eqEnabled = 0;
    std::int32_t eqMode = 0;
    std::int32_t stereo = 0;
    std::int32_t kd4Lock = 0;
    std::int32_t kd4Mute = 0;
    std::int32_t monitorMicCut = 0;
    std::int32_t monitorPlaybackCut = 0;
    std::int32_t micGain = 0;
    std::int32_t gain2 = 0;
    std::int32_t hpfFreq = 0;
    std::int32_t hpfOn = 0;
    std::int32_t kd4Indicator = 0;
    std::int32_t limiterLevel = 0;
    std::int32_t limiterOn = 0;
};
PresetFields DecodePresetImage(const PresetImage& image);

// Recall as the model's page does: eqEnabled, eqMode, the five slider gains, the five graph gains
// and frequencies, the status switches the model has (kd4Indicator, kd4Mute, kd4Lock), stereo
// where the model has it, micGain, gain2, both monitor cuts, hpfOn, hpfFreq, limiterOn,
// limiterLevel. Q, filter types, slider frequencies and the settings the model lacks keep their
// values. Every value is clamped into its field's range (gain2 into the model's); a band
// frequency of 0 becomes the band's default, and a pair of monitor cuts that are both non-zero
// is reduced to the playback cut, as the device's balance byte would carry it.
void ApplyPreset(const PresetFields& fields, DeviceParams& params, const ModelProfile& profile);

// Reading a slot. A missing, unreadable or short file is an empty slot; `error` says why.
struct PresetReadResult {
    std::optional<PresetImage> image;
    std::string error;
};
PresetReadResult ReadPresetFile(const std::filesystem::path& path);

// Reading a preset taken in from elsewhere (import), stricter than a slot: the file must hold
// exactly 708 bytes, and every field a recall reads must hold a value that a writer of presets
// could have stored (CheckPresetImage); otherwise `error` says what is wrong.
PresetReadResult ReadPresetToImport(const std::filesystem::path& path);

// Empty when every field a recall reads lies within what a writer of presets stores: the
// switches, eqMode and stereo 0 or 1; micGain 0..47; gain2 0..80 (the wider of the models'
// ranges); both monitor cuts 0..80; hpfFreq 0..2 and limiterLevel 0..3 (a stored 0 reads as the
// first level); the five gains of both band sets 0..300; the five graph band frequencies 0 (the
// band's default) or 20..20000 Hz. Unused bytes, q, filter types and slider frequencies are not
// read by a recall and not looked at. Otherwise the first field out of line and its value.
std::string CheckPresetImage(const PresetImage& image);

// Writing a slot: the image goes to a temporary file in the same folder, which is flushed and
// then renamed over the slot, so a failed save leaves the slot's previous content intact.
// Returns the empty string on success, else the reason.
std::string WritePresetFile(const std::filesystem::path& path, const PresetImage& image);

}  // namespace quavelo
