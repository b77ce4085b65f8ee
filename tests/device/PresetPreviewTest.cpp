#include "device/PresetPreview.h"

#include <gtest/gtest.h>

#include <limits>

namespace quavelo {
namespace {

PresetFields Typical() {
    PresetFields f;
    for (int i = 0; i < kEqBands; ++i) {
        f.sliderBands[i] = {kDefaultBandFreq[i], 150};
        f.graphBands[i] = {kDefaultBandFreq[i] + 1, 160};
    }
    f.micGain = 20;
    f.gain2 = 3;
    f.limiterOn = 1;
    f.limiterLevel = 1;
    f.hpfOn = 1;
    f.hpfFreq = 1;
    f.monitorPlaybackCut = 80;
    return f;
}

TEST(PresetPreviewTest, TorvaRows) {
    const TorvaPresetPreview p = MakeTorvaPresetPreview(Typical());
    EXPECT_EQ(p.gain, "15dB,2dB");  // 20 x 0.75 + 0.5 = 15.5; 3 x 0.75 + 0.5 = 2.75
    EXPECT_EQ(p.signal, "MONO");
    EXPECT_EQ(p.drc, "-10dB");
    EXPECT_EQ(p.highpass, "75Hz");
    EXPECT_EQ(p.mic, "0dB");
    EXPECT_EQ(p.phone, "-80dB");
    EXPECT_EQ(p.eq, "PEG");
    EXPECT_EQ(p.bandFreq[0], "100Hz");
    EXPECT_EQ(p.bandFreq[4], "10000Hz");
    EXPECT_EQ(p.bandGain[2], "0dB");
}

struct SwitchTextCase {
    std::int32_t on;
    std::int32_t level;
    const char* limiter;
    const char* highpass;
};

class SwitchTextTest : public testing::TestWithParam<SwitchTextCase> {};

TEST_P(SwitchTextTest, LimiterAndHighPassTexts) {
    PresetFields f = Typical();
    f.limiterOn = f.hpfOn = GetParam().on;
    f.limiterLevel = f.hpfFreq = GetParam().level;
    const TorvaPresetPreview torva = MakeTorvaPresetPreview(f);
    const Kd4PresetPreview kd4 = MakeKd4PresetPreview(f);
    EXPECT_EQ(torva.drc, GetParam().limiter);
    EXPECT_EQ(kd4.compressor, GetParam().limiter);
    EXPECT_EQ(torva.highpass, GetParam().highpass);
    EXPECT_EQ(kd4.highpass, GetParam().highpass);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, SwitchTextTest, testing::Values(
    SwitchTextCase{0, 3, "Close", "Close"},
    SwitchTextCase{1, 1, "-10dB", "75Hz"},
    SwitchTextCase{1, 2, "-20dB", "150Hz"},
    SwitchTextCase{1, 3, "-30B", ""},      // written so, without the "d"
    SwitchTextCase{1, 0, "", ""},
    SwitchTextCase{1, 4, "", ""},
    SwitchTextCase{7, 1, "-10dB", "75Hz"}));
// clang-format on

TEST(PresetPreviewTest, EqualiserRowsFollowTheStoredMode) {
    PresetFields f = Typical();
    f.graphBands[1].gain = 145;
    f.eqMode = 1;
    TorvaPresetPreview p = MakeTorvaPresetPreview(f);
    EXPECT_EQ(p.eq, "GEG");
    EXPECT_EQ(p.bandFreq[0], "101Hz");
    EXPECT_EQ(p.bandGain[1], "-1dB") << "145 / 10 - 15";
    EXPECT_EQ(p.bandGain[0], "1dB");

    f.eqMode = 7;
    p = MakeTorvaPresetPreview(f);
    EXPECT_EQ(p.eq, "");
    for (int i = 0; i < kEqBands; ++i) EXPECT_EQ(p.bandFreq[i] + p.bandGain[i], "") << i;
}

TEST(PresetPreviewTest, Kd4Rows) {
    PresetFields f = Typical();
    f.gain2 = 0;
    f.kd4Lock = 1;
    f.kd4SwitchA = 0;
    f.kd4SwitchB = 1;
    f.sliderBands[0].gain = 155;
    const Kd4PresetPreview p = MakeKd4PresetPreview(f);
    EXPECT_EQ(p.gain, "15dB");
    EXPECT_EQ(p.monitor, "-80dB");
    EXPECT_EQ(p.locked, "ON");
    EXPECT_EQ(p.micMute, "OFF");
    EXPECT_EQ(p.indicator, "ON");
    EXPECT_EQ(p.playback, "-80dB");
    EXPECT_EQ(p.bandGain[0], "0dB");
    EXPECT_EQ(kKd4PreviewCaptions.front(), std::string("Gain"));
    EXPECT_EQ(kKd4PreviewCaptions.back(), std::string("EQ"));
}

TEST(PresetPreviewTest, ExtremeValuesFormatWithoutOverflow) {
    PresetFields f;
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    f.monitorMicCut = kMin;
    f.monitorPlaybackCut = kMax;
    f.gain2 = kMin;
    f.micGain = kMax;
    f.sliderBands[0] = {kMin, kMin};
    const TorvaPresetPreview t = MakeTorvaPresetPreview(f);
    const Kd4PresetPreview k = MakeKd4PresetPreview(f);
    EXPECT_EQ(t.mic, "2147483648dB");
    EXPECT_EQ(t.phone, "-2147483647dB");
    EXPECT_EQ(k.monitor, "-2147483728dB");
    EXPECT_EQ(t.bandFreq[0], "-2147483648Hz");
    EXPECT_EQ(t.gain.substr(0, 10), "1610612735");
}

}  // namespace
}  // namespace quavelo
