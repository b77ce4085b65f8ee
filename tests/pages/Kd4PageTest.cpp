// The KD4 page's look and refresh: captions, slider positions and read-outs, the lock and its
// overlay.

#include <gtest/gtest.h>

#include "pages/Kd4PageRig.h"

namespace quavelo {
namespace {

using test::Kd4PageRig;

TEST(Kd4PageTest, SetUpShowsTheEnglishCaptionsAndHidesTheUnusedLabels) {
    Kd4PageRig rig;
    const test::Kd4PageHands& h = rig.hands;
    const std::vector<std::pair<int, const char*>> captions{
        {1008, "DRC"},      {1044, "HighPass"}, {1047, "INDICATOR"},  {1052, "MIX Solo"},
        {1053, "MIC"},      {1054, "Playback"}, {1057, "Preset"},     {1097, "GAIN"},
        {1098, "Solo"},     {1068, "Gain"},     {1070, "COMPRESSOR"}, {1072, "HIGHPASS"},
        {1074, "MONITOR"},  {1076, "LOCKED"},   {1078, "MIC MUTE"},   {1080, "INDICATOR"},
        {1082, "SOLO MIX"}, {1083, "MIC"},      {1085, "PLAYBACK"},   {1087, "EQ"}};
    for (const auto& [id, text] : captions) {
        EXPECT_EQ(h.Text(id), QString::fromUtf8(text)) << id;
        EXPECT_TRUE(h.Visible(id)) << id;
    }
    for (int id : {1045, 1048, 1049, 1050, 1051, 1094}) EXPECT_FALSE(h.Visible(id)) << id;
    for (int id : {1030, 1031, 1032, 1033, 1034, 1095}) {
        EXPECT_FALSE(h.Control<PngButton>(id)->text().isEmpty()) << id;
    }
    EXPECT_FALSE(h.Visible(CKd4Dlg::kIdLockOverlay));
    EXPECT_EQ(h.Control(1106)->geometry(), QRect(880, 250, 100, 14)) << "the last band's gain";
}

// ---- slider positions and read-outs ----

struct SliderCase {
    const char* name;
    int id;
    int position;
    const char* readout;
    std::function<bool(const DeviceParams&)> stored;
};

class Kd4SliderTest : public testing::TestWithParam<SliderCase> {};

TEST_P(Kd4SliderTest, PositionStoresTheValueAndShowsIt) {
    const SliderCase& c = GetParam();
    Kd4PageRig rig;
    rig.hands.KeySlider(c.id, c.position);
    EXPECT_TRUE(c.stored(rig.params));
    const int readout = c.id == CKd4Dlg::kIdMicGainSlider ? CKd4Dlg::kIdMicGainValue
                        : c.id == CKd4Dlg::kIdGain2Slider ? CKd4Dlg::kIdGain2Value
                        : c.id == CKd4Dlg::kIdMixSlider   ? CKd4Dlg::kIdMixReadout
                                                          : EqEditor::kIdReadoutGain;
    EXPECT_EQ(rig.hands.Text(readout), QString::fromUtf8(c.readout));
    EXPECT_TRUE(rig.TakeSent().empty()) << "disconnected";
}

bool Cuts(const DeviceParams& p, int mic, int playback) {
    return p.monitorMicCut == mic && p.monitorPlaybackCut == playback;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Kd4SliderTest,
    testing::Values(
        SliderCase{"MicGainMax", 1028, 47, "35dB", [](auto& p) { return p.micGain == 47; }},
        SliderCase{"MicGainOne", 1028, 1, "1dB", [](auto& p) { return p.micGain == 1; }},
        SliderCase{"MicGainZero", 1028, 0, "0dB", [](auto& p) { return p.micGain == 0; }},
        SliderCase{"Gain2Zero", 1096, 0, "-80dB", [](auto& p) { return p.gain2 == 0; }},
        SliderCase{"Gain2Max", 1096, 80, "0dB", [](auto& p) { return p.gain2 == 80; }},
        SliderCase{"MixCentre", 1029, 191, "回放0:话筒0", [](auto& p) { return Cuts(p, 0, 0); }},
        SliderCase{"MixStillZeroLeft", 1029, 161, "回放0:话筒0",
                   [](auto& p) { return Cuts(p, 0, 0); }},
        SliderCase{"MixStillZeroRight", 1029, 221, "回放0:话筒0",
                   [](auto& p) { return Cuts(p, 0, 0); }},
        SliderCase{"MixFirstPlaybackCut", 1029, 160, "回放-1:话筒0",
                   [](auto& p) { return Cuts(p, 0, 1); }},
        SliderCase{"MixFirstMicCut", 1029, 222, "回放0:话筒-1",
                   [](auto& p) { return Cuts(p, 1, 0); }},
        SliderCase{"MixLeftEnd", 1029, 0, "回放-80:话筒0", [](auto& p) { return Cuts(p, 0, 80); }},
        SliderCase{"MixRightEnd", 1029, 382, "回放0:话筒-80",
                   [](auto& p) { return Cuts(p, 80, 0); }},
        SliderCase{"BandTop", 1025, 0, "Gain:15",
                   [](auto& p) { return p.sliderBands[2].gain == 300; }},
        SliderCase{"BandMiddle", 1025, 155, "Gain:0",
                   [](auto& p) { return p.sliderBands[2].gain == 145; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Kd4PageTest, BandSliderShowsItsBandInTheReadout) {
    Kd4PageRig rig;
    rig.hands.KeySlider(EqEditor::kIdFirstBandSlider + 2, 300);
    EXPECT_EQ(rig.hands.Text(EqEditor::kIdReadoutBand), QStringLiteral("Band:3"));
    EXPECT_EQ(rig.hands.Text(EqEditor::kIdReadoutFreq), QStringLiteral("FREQ:1000"));
    EXPECT_EQ(rig.hands.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:-15"));
}

struct RefreshCase {
    const char* name;
    int micCut;
    int playbackCut;
    int position;
    const char* readout;
};

class Kd4MixRefreshTest : public testing::TestWithParam<RefreshCase> {};

TEST_P(Kd4MixRefreshTest, StoredCutsPlaceTheMixThumb) {
    const RefreshCase& c = GetParam();
    Kd4PageRig rig;
    rig.params.monitorMicCut = c.micCut;
    rig.params.monitorPlaybackCut = c.playbackCut;
    rig.page.RefreshFromParams();
    EXPECT_EQ(rig.hands.Position(CKd4Dlg::kIdMixSlider), c.position);
    EXPECT_EQ(rig.hands.Text(CKd4Dlg::kIdMixReadout), QString::fromUtf8(c.readout));
}

INSTANTIATE_TEST_SUITE_P(Table, Kd4MixRefreshTest,
                         testing::Values(RefreshCase{"None", 0, 0, 191, "回放0:话筒0"},
                                         RefreshCase{"PlaybackMax", 0, 80, 1, "回放-80:话筒0"},
                                         RefreshCase{"MicMax", 80, 0, 381, "回放0:话筒-80"},
                                         RefreshCase{"PlaybackOne", 0, 1, 161, "回放-1:话筒0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Kd4PageTest, RefreshShowsEveryValueOfTheModel) {
    Kd4PageRig rig;
    DeviceParams& p = rig.params;
    p.micGain = 60;  // beyond the slider: held at its end
    p.gain2 = 64;
    p.limiterOn = 0;
    p.limiterLevel = 0;
    p.hpfOn = 1;
    p.hpfFreq = 2;
    p.kd4SwitchA = 1;
    p.kd4SwitchB = 1;
    p.eqMode = 1;
    p.eqEnabled = 0;
    p.graphBands[0].gain = 145;
    rig.page.RefreshFromParams();
    const test::Kd4PageHands& h = rig.hands;
    EXPECT_EQ(h.Position(CKd4Dlg::kIdMicGainSlider), 47);
    EXPECT_EQ(h.Position(CKd4Dlg::kIdGain2Slider), 64);
    EXPECT_EQ(h.Text(CKd4Dlg::kIdGain2Value), QStringLiteral("-16dB"));
    EXPECT_EQ(h.Checked(CKd4Dlg::kIdMuteSwitch), 1);
    EXPECT_EQ(h.Checked(CKd4Dlg::kIdIndicatorSwitch), 1);
    EXPECT_EQ(h.Checked(CKd4Dlg::kIdLockSwitch), 0);
    EXPECT_EQ(h.Checked(CKd4Dlg::kIdLimiterSwitch), 0);

    auto* limiterList = h.Control<CComBoxBtn>(CKd4Dlg::kIdLimiterList);
    EXPECT_EQ(limiterList->GetCurSel(), 0) << "level 0 shows LOW";
    EXPECT_TRUE(limiterList->DisabledLook());
    EXPECT_FALSE(limiterList->isEnabled()) << "the limiter is off";
    auto* highPassList = h.Control<CComBoxBtn>(CKd4Dlg::kIdHighPassList);
    EXPECT_EQ(highPassList->GetCurSel(), 1);
    EXPECT_TRUE(highPassList->isEnabled());

    EXPECT_TRUE(h.Visible(EqEditor::kIdGraph));
    EXPECT_FALSE(h.Visible(EqEditor::kIdFirstBandSlider));
    EXPECT_EQ(h.Checked(EqEditor::kIdGeq), 1);
    EXPECT_EQ(h.Checked(EqEditor::kIdPeq), 0);
    EXPECT_FALSE(h.Enabled(EqEditor::kIdGraph)) << "the equaliser is off";
    EXPECT_EQ(h.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:-0.5"));
}

// ---- the lock ----

// Everything the lock disables; the status switches and the slot buttons stay usable.
const std::vector<int> kLockedControls{1015, 1016, 1018, 1019, 1023, 1027, 1028, 1029, 1030,
                                       1031, 1032, 1033, 1034, 1055, 1056, 1095, 1096};
const std::vector<int> kNeverLocked{1017, 1058, 1067, 1100, 1101};

TEST(Kd4PageTest, DeviceLockDisablesTheProcessingControlsAndShowsTheOverlay) {
    Kd4PageRig rig;
    rig.params.kd4Lock = 1;
    rig.page.RefreshFromParams();
    const test::Kd4PageHands& h = rig.hands;
    for (int id : kLockedControls) EXPECT_FALSE(h.Enabled(id)) << id;
    for (int id : kNeverLocked) EXPECT_TRUE(h.Enabled(id)) << id;
    EXPECT_EQ(h.Checked(CKd4Dlg::kIdLockSwitch), 1);

    QWidget* overlay = h.Control(CKd4Dlg::kIdLockOverlay);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->geometry(), rig.page.rect());
    // The overlay lets the pointer through: the lock switch under it can still be reached.
    EXPECT_EQ(rig.page.childAt(QPoint(880, 360)), h.Control(CKd4Dlg::kIdLockSwitch));
    EXPECT_EQ(rig.page.childAt(QPoint(700, 60)), h.Control(kIdFirstSlotButton));

    rig.page.resize(1000, 700);
    EXPECT_EQ(overlay->geometry(), QRect(0, 0, 1000, 700)) << "follows the page's size";

    rig.params.kd4Lock = 0;
    rig.page.RefreshFromParams();
    EXPECT_FALSE(overlay->isVisible());
    for (int id : kLockedControls) EXPECT_TRUE(h.Enabled(id)) << id;
}

TEST(Kd4PageTest, UnlockingGivesTheListsAndTheEditorTheirOwnStateBack) {
    Kd4PageRig rig;
    rig.params.limiterOn = 0;
    rig.params.hpfOn = 0;
    rig.params.eqEnabled = 0;
    rig.params.kd4Lock = 1;
    rig.page.RefreshFromParams();
    rig.hands.Click(CKd4Dlg::kIdLockSwitch);
    EXPECT_EQ(rig.params.kd4Lock, 0);
    EXPECT_FALSE(rig.hands.Visible(CKd4Dlg::kIdLockOverlay));
    EXPECT_TRUE(rig.hands.Enabled(CKd4Dlg::kIdLimiterSwitch));
    for (int id : {1018, 1019, 1023, 1027}) EXPECT_FALSE(rig.hands.Enabled(id)) << id;
    EXPECT_TRUE(rig.hands.Control<CComBoxBtn>(CKd4Dlg::kIdLimiterList)->DisabledLook());
}

TEST(Kd4PageTest, LockSwitchLocksWhileThePreviewStillFollowsTheSlots) {
    Kd4PageRig rig;
    DeviceParams stored;
    stored.ResetToInitialValues();
    stored.micGain = 47;
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 4), BuildPresetImage(stored)), "");

    rig.hands.Click(CKd4Dlg::kIdLockSwitch);
    EXPECT_EQ(rig.params.kd4Lock, 1);
    EXPECT_TRUE(rig.hands.Visible(CKd4Dlg::kIdLockOverlay));
    EXPECT_FALSE(rig.hands.Enabled(kIdSaveButton));
    EXPECT_FALSE(rig.hands.Enabled(kIdReadButton));
    rig.hands.Click(kIdFirstSlotButton + 4);
    EXPECT_EQ(rig.page.SelectedSlot(), 4);
    EXPECT_EQ(rig.hands.Text(1069), QStringLiteral("35dB"));
    EXPECT_TRUE(rig.TakeSent().empty()) << "disconnected";
}

}  // namespace
}  // namespace quavelo
