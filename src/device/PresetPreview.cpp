#include "device/PresetPreview.h"

#include <cstdint>
#include <string>

#include "device/ValueDisplay.h"

namespace quavelo {

namespace {

// Values are computed in 64 bits: a damaged file may hold any 32-bit number, and negating or
// offsetting one must not overflow.
std::string Db(std::int64_t value) { return std::to_string(value) + "dB"; }

std::string LimiterText(std::int32_t on, std::int32_t level) {
    if (on == 0) return "Close";
    switch (level) {
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

std::string HighPassText(std::int32_t on, std::int32_t freq) {
    if (on == 0) return "Close";
    switch (freq) {
        case 1:
            return "75Hz";
        case 2:
            return "150Hz";
        default:
            return {};
    }
}

std::string OnOff(std::int32_t value) { return value == 0 ? "OFF" : "ON"; }

// The equaliser row and the five band rows: the slider set for eqMode 0, the graph set for 1,
// nothing for any other value.
template <typename Preview>
void FillBands(const PresetFields& f, Preview& preview) {
    const std::array<PresetBand, kEqBands>* bands = nullptr;
    if (f.eqMode == 0) {
        preview.eq = "PEG";
        bands = &f.sliderBands;
    } else if (f.eqMode == 1) {
        preview.eq = "GEG";
        bands = &f.graphBands;
    }
    if (bands == nullptr) return;
    for (int i = 0; i < kEqBands; ++i) {
        preview.bandFreq[i] = std::to_string((*bands)[i].freq) + "Hz";
        preview.bandGain[i] = Db((*bands)[i].gain / 10 - 15);
    }
}

}  // namespace

TorvaPresetPreview MakeTorvaPresetPreview(const PresetFields& f) {
    TorvaPresetPreview p;
    p.gain = Db(MicGainDb(f.micGain)) + "," + Db(MicGainDb(f.gain2));
    p.signal = f.stereo != 0 ? "Stereo" : "MONO";
    p.drc = LimiterText(f.limiterOn, f.limiterLevel);
    p.highpass = HighPassText(f.hpfOn, f.hpfFreq);
    p.mic = Db(-std::int64_t{f.monitorMicCut});
    p.phone = Db(-std::int64_t{f.monitorPlaybackCut});
    FillBands(f, p);
    return p;
}

Kd4PresetPreview MakeKd4PresetPreview(const PresetFields& f) {
    Kd4PresetPreview p;
    p.gain = Db(MicGainDb(f.micGain));
    p.compressor = LimiterText(f.limiterOn, f.limiterLevel);
    p.highpass = HighPassText(f.hpfOn, f.hpfFreq);
    p.monitor = Db(std::int64_t{f.gain2} - 80);
    p.locked = OnOff(f.kd4Lock);
    p.micMute = OnOff(f.kd4Mute);
    p.indicator = OnOff(f.kd4Indicator);
    p.mic = Db(-std::int64_t{f.monitorMicCut});
    p.playback = Db(-std::int64_t{f.monitorPlaybackCut});
    FillBands(f, p);
    return p;
}

}  // namespace quavelo
