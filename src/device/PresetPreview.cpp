#include "device/PresetPreview.h"

#include <cstdint>
#include <string>

#include "device/ValueDisplay.h"

namespace quavelo {

namespace {

// Values are computed in 64 bits: a damaged file may hold any 32-bit number, and negating or
// offsetting one must not overflow.
std::string Db(std::int64_t value) { return std::to_string(value) + "dB"; }

std::string OnOff(std::int32_t value) { return value == 0 ? "OFF" : "ON"; }

std::string Limiter(const PresetFields& f) {
    if (f.limiterOn == 0) return "Close";
    switch (f.limiterLevel) {
        case 1:
            return "-10dB";
        case 2:
            return "-20dB";
        case 3:
            return "-30B";
        default:
            return {};
    }
}

std::string HighPass(const PresetFields& f) {
    if (f.hpfOn == 0) return "Close";
    switch (f.hpfFreq) {
        case 1:
            return "75Hz";
        case 2:
            return "150Hz";
        default:
            return {};
    }
}

std::string Equaliser(const PresetFields& f) {
    if (f.eqMode == 0) return "PEG";
    if (f.eqMode == 1) return "GEG";
    return {};
}

std::string BothGains(const PresetFields& f) {
    return Db(MicGainDb(f.micGain)) + "," + Db(MicGainDb(f.gain2));
}
std::string MicGain(const PresetFields& f) { return Db(MicGainDb(f.micGain)); }
std::string Signal(const PresetFields& f) { return f.stereo != 0 ? "Stereo" : "MONO"; }
std::string Monitor(const PresetFields& f) { return Db(std::int64_t{f.gain2} - 80); }
std::string Locked(const PresetFields& f) { return OnOff(f.kd4Lock); }
std::string Mute(const PresetFields& f) { return OnOff(f.kd4Mute); }
std::string Indicator(const PresetFields& f) { return OnOff(f.kd4Indicator); }
std::string MicCut(const PresetFields& f) { return Db(-std::int64_t{f.monitorMicCut}); }
std::string PlaybackCut(const PresetFields& f) { return Db(-std::int64_t{f.monitorPlaybackCut}); }

}  // namespace

const std::array<PreviewRow, 7> kTorvaPreviewRows{{{"Gain", BothGains},
                                                   {"SIGNAL", Signal},
                                                   {"DRC", Limiter},
                                                   {"HIGHPASS", HighPass},
                                                   {"MIC", MicCut},
                                                   {"PHONE", PlaybackCut},
                                                   {"EQ", Equaliser}}};

const std::array<PreviewRow, 11> kKd4PreviewRows{{{"Gain", MicGain},
                                                  {"COMPRESSOR", Limiter},
                                                  {"HIGHPASS", HighPass},
                                                  {"MONITOR", Monitor},
                                                  {"LOCKED", Locked},
                                                  {"MIC MUTE", Mute},
                                                  {"INDICATOR", Indicator},
                                                  {"SOLO MIX", nullptr},
                                                  {"MIC", MicCut},
                                                  {"PLAYBACK", PlaybackCut},
                                                  {"EQ", Equaliser}}};

PresetPreview MakePresetPreview(const ModelProfile& profile, const PresetFields& f) {
    PresetPreview preview;
    for (const PreviewRow& row : profile.previewRows) {
        preview.values.push_back(row.value != nullptr ? row.value(f) : std::string());
    }
    // The five band rows: the slider set for eqMode 0, the graph set for 1, nothing otherwise.
    const std::array<PresetBand, kEqBands>* bands = nullptr;
    if (f.eqMode == 0) bands = &f.sliderBands;
    if (f.eqMode == 1) bands = &f.graphBands;
    if (bands == nullptr) return preview;
    for (int i = 0; i < kEqBands; ++i) {
        preview.bandFreq[i] = std::to_string((*bands)[i].freq) + "Hz";
        preview.bandGain[i] = Db((*bands)[i].gain / 10 - 15);
    }
    return preview;
}

}  // namespace quavelo
