#pragma once

#include <cstdint>
#include <string>

#include "device/DeviceParams.h"

namespace quavelo {

// How the panel shows and positions the model's values. The pages, the preset previews and the
// command-line tool share these, so a value reads the same everywhere.

// A microphone gain step in whole dB: trunc(step x 0.75 + 0.5); "%ddB" of it.
int MicGainDb(std::int32_t step);
std::string MicGainText(std::int32_t step);
// The KD4 monitor level: "%ddB" of gain2 - 80 (80 is 0 dB).
std::string MonitorLevelText(std::int32_t gain2);

// A level value as the meters show it, 0..100: trunc(single(min(value, 2^21)) x 2^-21 x 100),
// with values below 0 shown as 0.
int LevelPercent(std::int32_t level);

// One reading of the level meters: the raw level values, full scale 2^21. A model with one meter
// (the KD4) fills `first` only.
struct LevelReading {
    std::int32_t first = 0;
    std::int32_t second = 0;

    bool operator==(const LevelReading&) const = default;
};
// The three meters of a two-channel reading, 0..100: each value held at 2^21 and shown as
// LevelPercent shows it, and the mean (first + second) / 2 of the held values.
struct MeterPositions {
    int first = 0;
    int second = 0;
    int mean = 0;

    bool operator==(const MeterPositions&) const = default;
};
MeterPositions MeterPositionsOf(const LevelReading& reading);

// The monitor mix slider runs 0..382 with the centre 191: left of the centre it cuts the
// playback, right of it the microphone, on a logarithmic scale that reaches 80 dB at both ends.
inline constexpr int kMixSliderMax = 382;
inline constexpr int kMixSliderCentre = 191;
struct MonitorCutPair {
    std::int32_t micCut = 0;
    std::int32_t playbackCut = 0;
};
// The cuts a slider position stores: trunc(10^(|position - 191| / 100) - 1), the distance taken
// in single precision before the division.
MonitorCutPair MixCutsFromPosition(int position);
// Where the slider stands for a pair of cuts: 191 +/- trunc(100 log10(cut + 1)), in 0..382.
int MixPositionFromCuts(std::int32_t micCut, std::int32_t playbackCut);

// Band sliders run 0..300 from +15 dB at the top (position 0) to -15 dB (position 300).
inline constexpr int kBandSliderMax = 300;
std::int32_t BandGainFromSliderPosition(int position);
int BandSliderPosition(std::int32_t gain);

// The response graph's handle values and the model's band units.
std::int32_t BandGainFromGraph(double gainDb);  // trunc(y x 10 + 150)
double GraphGainFromBand(std::int32_t gain);    // (gain - 150) / 10.0
std::int32_t BandFreqFromGraph(double freqHz);  // trunc(x)

// The band readout: "Band:%d" of the band number + 1, "Q:%0.1f" of q / 10, "FREQ:%d", and the
// gain either as "Gain:%d" of (gain - 150) / 10 truncated (while a band is edited) or as
// "Gain:%0.1f" of (gain - 150) / 10.0 (after a refresh or a reset to 0 dB).
struct BandReadout {
    std::string band;
    std::string q;
    std::string freq;
    std::string gain;
};
enum class GainFormat { WholeDb, TenthsDb };
BandReadout MakeBandReadout(int bandIndex, const EqBandValue& band, GainFormat format);

}  // namespace quavelo
