#include "device/ValueDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "device/DeviceMap.h"

namespace quavelo {

namespace {

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::int32_t CutFromDistance(int distance) {
    const double exponent = static_cast<double>(static_cast<float>(distance)) / 100.0;
    return ranges::kMonitorCut.Clamp(static_cast<std::int64_t>(std::pow(10.0, exponent) - 1.0));
}

int PositionOffset(std::int32_t cut) {
    return static_cast<int>(100.0 * std::log10(static_cast<double>(cut) + 1.0));
}

}  // namespace

int MicGainDb(std::int32_t step) {
    return static_cast<int>(static_cast<double>(step) * 0.75 + 0.5);
}

std::string MicGainText(std::int32_t step) { return std::to_string(MicGainDb(step)) + "dB"; }

std::string MonitorLevelText(std::int32_t gain2) {
    return std::to_string(std::int64_t{gain2} - 80) + "dB";
}

int LevelPercent(std::int32_t level) {
    const std::int32_t limited = std::clamp(level, 0, kLevelFullScale);
    return static_cast<int>(static_cast<double>(static_cast<float>(limited)) / kLevelFullScale *
                            100.0);
}

MeterPositions MeterPositionsOf(const LevelReading& reading) {
    const std::int32_t a = std::min(reading.first, kLevelFullScale);
    const std::int32_t b = std::min(reading.second, kLevelFullScale);
    const std::int32_t mean = static_cast<std::int32_t>(
        (static_cast<std::int64_t>(a) + static_cast<std::int64_t>(b)) / 2);
    return {LevelPercent(a), LevelPercent(b), LevelPercent(mean)};
}

MonitorCutPair MixCutsFromPosition(int position) {
    const int p = std::clamp(position, 0, kMixSliderMax);
    if (p < kMixSliderCentre) return {0, CutFromDistance(kMixSliderCentre - p)};
    return {CutFromDistance(p - kMixSliderCentre), 0};
}

int MixPositionFromCuts(std::int32_t micCut, std::int32_t playbackCut) {
    int position = kMixSliderCentre;
    if (micCut >= 1) {
        position += PositionOffset(micCut);
    } else if (playbackCut >= 1) {
        position -= PositionOffset(playbackCut);
    }
    return std::clamp(position, 0, kMixSliderMax);
}

std::int32_t BandGainFromSliderPosition(int position) {
    return kBandSliderMax - std::clamp(position, 0, kBandSliderMax);
}

int BandSliderPosition(std::int32_t gain) {
    return static_cast<int>(
        std::clamp<std::int64_t>(kBandSliderMax - std::int64_t{gain}, 0, kBandSliderMax));
}

std::int32_t BandGainFromGraph(double gainDb) {
    if (!std::isfinite(gainDb)) return kDefaultBandGain;
    return ranges::kBandGain.Clamp(static_cast<std::int64_t>(gainDb * 10.0 + 150.0));
}

double GraphGainFromBand(std::int32_t gain) { return (gain - 150) / 10.0; }

std::int32_t BandFreqFromGraph(double freqHz) {
    if (!std::isfinite(freqHz)) return ranges::kBandFreq.min;
    return ranges::kBandFreq.Clamp(static_cast<std::int64_t>(std::clamp(freqHz, -1e9, 1e9)));
}

BandReadout MakeBandReadout(int bandIndex, const EqBandValue& band, GainFormat format) {
    BandReadout r;
    r.band = "Band:" + std::to_string(bandIndex + 1);
    r.q = Format("Q:%0.1f", band.q / 10.0);
    r.freq = "FREQ:" + std::to_string(band.freq);
    if (format == GainFormat::WholeDb) {
        r.gain = "Gain:" + std::to_string((std::int64_t{band.gain} - 150) / 10);
    } else {
        r.gain = Format("Gain:%0.1f", (std::int64_t{band.gain} - 150) / 10.0);
    }
    return r;
}

}  // namespace quavelo
