#include "device/ValueDisplay.h"

#include <gtest/gtest.h>

#include <climits>

#include "device/PresetPreview.h"

namespace quavelo {
namespace {

TEST(ValueDisplayTest, ShowsTheEndsOfEachRange) {
    const EqBandValue band{4000, 145, 25, 0};
    // clang-format off
    const std::pair<std::string, std::string> texts[] = {
        {MicGainText(0), "0dB"}, {MicGainText(3), "2dB"}, {MicGainText(47), "35dB"},
        {MonitorLevelText(0), "-80dB"}, {MonitorLevelText(80), "0dB"},
        {MixReadout(12, 80), "回放-80:话筒-12"}, {MakeBandReadout(2, band, GainFormat::WholeDb).gain, "Gain:0"},
        {MakeBandReadout(2, band, GainFormat::TenthsDb).gain, "Gain:-0.5"}};
    const std::array<int, 3> mix[] = {  // slider position, mic cut, playback cut
        {191, 0, 0}, {161, 0, 0}, {221, 0, 0}, {160, 0, 1}, {222, 1, 0}, {0, 0, 80}, {382, 80, 0},
        {-10, 0, 80}, {999, 80, 0}};
    // clang-format on
    for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);
    for (const auto& [position, mic, playback] : mix) {
        const MonitorCutPair cuts = MixCutsFromPosition(position);
        EXPECT_EQ(std::pair(cuts.micCut, cuts.playbackCut), std::pair(mic, playback)) << position;
    }
    EXPECT_EQ(MixPositionFromCuts(0, 0), 191);
    EXPECT_EQ(MixPositionFromCuts(80, 0) * 1000 + MixPositionFromCuts(0, 80), 381001);
}

TEST(PresetPreviewTest, ShowsTheValuesAsStored) {
    PresetFields f;
    for (int i = 0; i < kEqBands; ++i) f.graphBands[i] = {kDefaultBandFreq[i] + 1, 145};
    f.micGain = 20;
    f.gain2 = 3;
    f.eqMode = 1;
    f.limiterOn = f.hpfOn = f.limiterLevel = 1;
    f.hpfFreq = 3;
    f.monitorPlaybackCut = INT_MIN;
    f.kd4Lock = f.kd4SwitchB = 1;
    const TorvaPresetPreview t = MakeTorvaPresetPreview(f);
    const Kd4PresetPreview k = MakeKd4PresetPreview(f);
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {t.gain, "15dB,2dB"}, {t.signal, "MONO"}, {t.drc, "-10dB"}, {t.highpass, ""}, {t.mic, "0dB"},
        {t.phone, "2147483648dB"}, {t.eq, "GEG"}, {t.bandFreq[1], "251Hz"}, {t.bandGain[1], "-1dB"},
        {k.gain, "15dB"}, {k.compressor, "-10dB"}, {k.monitor, "-77dB"}, {k.locked, "ON"},
        {k.micMute, "OFF"}, {k.indicator, "ON"}, {k.eq, "GEG"}};
    // clang-format on
    for (const auto& [text, expected] : rows) EXPECT_EQ(text, expected);
    f.limiterLevel = 3;
    f.hpfOn = 0;
    f.eqMode = 7;
    const TorvaPresetPreview other = MakeTorvaPresetPreview(f);
    EXPECT_EQ(other.drc + "|" + other.highpass + "|" + other.eq + other.bandFreq[0], "-30B|Close|");
}

}  // namespace
}  // namespace quavelo
