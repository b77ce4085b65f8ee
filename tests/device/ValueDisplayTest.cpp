#include "device/ValueDisplay.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "device/PresetPreview.h"

namespace quavelo {
namespace {

TEST(ValueDisplayTest, TextsAtTheEndsOfTheirRanges) {
    // clang-format off
    const std::pair<std::string, std::string> texts[] = {
        {MicGainText(0), "0dB"}, {MicGainText(1), "1dB"}, {MicGainText(3), "2dB"},
        {MicGainText(47), "35dB"}, {MonitorLevelText(0), "-80dB"}, {MonitorLevelText(80), "0dB"},
        {MixReadout(0, 0), "回放0:话筒0"}, {MixReadout(12, 80), "回放-80:话筒-12"},
        {MakeBandReadout(2, {4000, 145, 25, 0}, GainFormat::WholeDb).gain, "Gain:0"},
        {MakeBandReadout(2, {4000, 145, 25, 0}, GainFormat::TenthsDb).gain, "Gain:-0.5"},
        {MakeBandReadout(2, {4000, 145, 25, 0}, GainFormat::WholeDb).q, "Q:2.5"}};
    const std::pair<int, int> percents[] = {{0, 0}, {1 << 20, 50}, {1 << 21, 100},
        {(1 << 21) + 1, 100}, {INT_MAX, 100}, {-5, 0}, {20971, 0}, {20972, 1}};
    // clang-format on
    for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);
    for (const auto& [level, percent] : percents) EXPECT_EQ(LevelPercent(level), percent) << level;
}

TEST(ValueDisplayTest, MixSliderCentreAndEnds) {
    // clang-format off
    const std::array<int, 3> positions[] = {  // position, mic cut, playback cut
        {191, 0, 0}, {161, 0, 0}, {221, 0, 0}, {160, 0, 1}, {222, 1, 0}, {0, 0, 80}, {382, 80, 0},
        {-10, 0, 80}, {999, 80, 0}};
    const std::array<int, 3> cuts[] = {  // mic cut, playback cut, position
        {0, 0, 191}, {80, 0, 381}, {0, 80, 1}, {0, 1, 161}, {5000, 0, 382}};
    // clang-format on
    for (const auto& [position, mic, playback] : positions) {
        const MonitorCutPair pair = MixCutsFromPosition(position);
        EXPECT_EQ(std::pair(pair.micCut, pair.playbackCut), std::pair(mic, playback)) << position;
    }
    for (const auto& [mic, playback, position] : cuts) {
        EXPECT_EQ(MixPositionFromCuts(mic, playback), position) << mic << " " << playback;
    }
}

TEST(ValueDisplayTest, BandSlidersAndGraphHandlesStayInTheBandRanges) {
    EXPECT_EQ(BandGainFromSliderPosition(0), 300);
    EXPECT_EQ(BandGainFromSliderPosition(301), 0);
    EXPECT_EQ(BandSliderPosition(-20), 300);
    EXPECT_EQ(BandGainFromGraph(-0.55), 144) << "truncated";
    EXPECT_EQ(BandGainFromGraph(99.0), 300);
    EXPECT_EQ(BandGainFromGraph(std::nan("")), 150);
    EXPECT_EQ(BandFreqFromGraph(1e12), 20000);
}

TEST(PresetPreviewTest, ShowsTheValuesAsStored) {
    PresetFields f;
    for (int i = 0; i < kEqBands; ++i) f.graphBands[i] = {kDefaultBandFreq[i] + 1, 155};
    f.graphBands[1].gain = 145;
    f.micGain = 20;
    f.gain2 = 3;
    f.eqMode = 1;
    f.monitorPlaybackCut = INT_MIN;
    f.kd4Lock = f.kd4SwitchB = 1;
    const TorvaPresetPreview t = MakeTorvaPresetPreview(f);
    const Kd4PresetPreview k = MakeKd4PresetPreview(f);
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {t.gain, "15dB,2dB"}, {t.signal, "MONO"}, {t.mic, "0dB"}, {t.phone, "2147483648dB"},
        {t.eq, "GEG"}, {t.bandFreq[1], "251Hz"}, {t.bandGain[1], "-1dB"}, {t.bandGain[0], "0dB"},
        {k.gain, "15dB"}, {k.monitor, "-77dB"}, {k.locked, "ON"}, {k.micMute, "OFF"},
        {k.indicator, "ON"}, {k.eq, "GEG"}, {k.bandGain[1], "-1dB"}};
    const std::tuple<int, int, const char*, const char*> switches[] = {  // on, level, texts
        {0, 3, "Close", "Close"}, {1, 1, "-10dB", "75Hz"}, {1, 2, "-20dB", "150Hz"},
        {1, 3, "-30B", ""}, {1, 0, "", ""}, {7, 1, "-10dB", "75Hz"}};
    // clang-format on
    for (const auto& [text, expected] : rows) EXPECT_EQ(text, expected);
    for (const auto& [on, level, limiter, highpass] : switches) {
        f.limiterOn = f.hpfOn = on;
        f.limiterLevel = f.hpfFreq = level;
        EXPECT_EQ(MakeTorvaPresetPreview(f).drc + "|" + MakeKd4PresetPreview(f).compressor + "|" +
                      MakeTorvaPresetPreview(f).highpass + "|" + MakeKd4PresetPreview(f).highpass,
                  std::string(limiter) + "|" + limiter + "|" + highpass + "|" + highpass);
    }
    f.eqMode = 7;
    EXPECT_EQ(MakeTorvaPresetPreview(f).eq + MakeTorvaPresetPreview(f).bandFreq[0], "");
}

}  // namespace
}  // namespace quavelo
