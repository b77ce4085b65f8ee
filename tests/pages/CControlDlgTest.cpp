// The TORVA page's set-up, refresh and processing controls.

#include "pages/CControlDlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "pages/TorvaPageRig.h"
#include "widgets/CMyProgressCtrl.h"

namespace quavelo {
namespace {

using test::Sent;
using test::TorvaPageRig;
using Page = CControlDlg;

TEST(CControlDlgSetUpTest, FirstTextsGiveWayToTheEnglishCaptions) {
    test::PageRig rig;
    CControlDlg page(rig.context);
    const auto text = [&page](int id) { return FindControl<CStaticST>(&page, id)->Text(); };
    EXPECT_EQ(text(Page::kIdLimiterCaption), QStringLiteral("限幅器"));
    EXPECT_EQ(text(1072), QStringLiteral("COMPRESSOR"));

    page.OnInitDialog();
    const std::vector<std::pair<int, const char*>> captions{
        {1008, "DRC"},    {1044, "HighPass"}, {1045, "MIC Gain"}, {1047, "Mono"},
        {1048, "Stereo"}, {1052, "MIX Solo"}, {1053, "MIC"},      {1054, "Playback"},
        {1057, "Preset"}, {1072, "DRC"},      {1079, "PHONE"}};
    for (const auto& [id, caption] : captions)
        EXPECT_EQ(text(id), QString::fromUtf8(caption)) << id;
    for (const auto& [id, caption] : std::vector<std::pair<int, const char*>>{
             {1095, "EQ"}, {1031, "GEQ"}, {1032, "Reset"}, {1034, "Read"}, {1067, "10"}}) {
        EXPECT_EQ(FindControl<PngButton>(&page, id)->text(), QString::fromUtf8(caption)) << id;
    }
}

TEST(CControlDlgSetUpTest, StartsInTheSliderViewWithEveryControlOnThePage) {
    TorvaPageRig rig;
    EXPECT_TRUE(rig.Visible(1023));
    for (int id : {EqEditor::kIdGraph, Page::kIdMixReadout, 1093}) EXPECT_FALSE(rig.Visible(id));
    EXPECT_EQ(rig.Control<PngButton>(EqEditor::kIdPeq)->Checked(), 1);
    EXPECT_EQ(rig.Control<PngButton>(EqEditor::kIdGeq)->Checked(), 0);
    for (int id = 1002; id <= 1099; ++id) {
        if (id == 1005 || id == 1006 || id == 1007 || id == 1020 || id == 1021) continue;
        const QWidget* control = rig.Control(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_TRUE(QRect(0, 0, 1000, 650).contains(control->geometry())) << id;
    }
    // Sliders and drop-downs take their images' sizes.
    EXPECT_EQ(rig.Control(1023)->geometry(), QRect(80, 10, 52, 272));
    EXPECT_EQ(rig.Control(Page::kIdLimiterList)->geometry(), QRect(120, 360, 78, 28));
    EXPECT_TRUE(rig.trace.Events().empty()) << "building the page sends nothing";
}

// ---- refresh ----

struct RefreshCase {
    const char* name;
    std::function<void(DeviceParams&)> set;
    std::function<void(TorvaPageRig&)> check;
};

void PrintTo(const RefreshCase& c, std::ostream* out) { *out << c.name; }

void ExpectMix(TorvaPageRig& rig, int position, const char* readout) {
    EXPECT_EQ(rig.Control<CBitmapSlider>(Page::kIdMixSlider)->GetPos(), position);
    EXPECT_EQ(rig.Text(Page::kIdMixReadout), QString::fromUtf8(readout));
}

void ExpectGains(TorvaPageRig& rig, int step, const char* text) {
    EXPECT_EQ(rig.Control<CBitmapSlider>(Page::kIdMicGainSlider)->GetPos(), step);
    EXPECT_EQ(rig.Text(Page::kIdMicGainValue), QString::fromUtf8(text));
    EXPECT_EQ(rig.Text(Page::kIdGain2Value), QString::fromUtf8(text));
}

const RefreshCase kRefreshCases[] = {
    {"StereoShowsTheLeftAndRightMeters", [](auto& p) { p.stereo = 1; },
     [](auto& r) {
         EXPECT_EQ(r.template Control<PngButton>(Page::kIdStereoSwitch)->Checked(), 1);
         for (int id : {1003, 1004, 1050, 1051}) EXPECT_TRUE(r.Visible(id)) << id;
         for (int id : {1002, 1049}) EXPECT_FALSE(r.Visible(id)) << id;
     }},
    {"MonoShowsTheMeanMeter", [](auto& p) { p.stereo = 0; },
     [](auto& r) {
         for (int id : {1003, 1004, 1050, 1051}) EXPECT_FALSE(r.Visible(id)) << id;
         for (int id : {1002, 1049}) EXPECT_TRUE(r.Visible(id)) << id;
     }},
    {"Gain47",
     [](auto& p) {
         p.micGain = 47;
         p.gain2 = 47;
     },
     [](auto& r) { ExpectGains(r, 47, "35dB"); }},
    {"Gain3",
     [](auto& p) {
         p.micGain = 3;
         p.gain2 = 3;
     },
     [](auto& r) { ExpectGains(r, 3, "2dB"); }},
    {"MicCut80",
     [](auto& p) {
         p.monitorMicCut = 80;
         p.monitorPlaybackCut = 0;
     },
     [](auto& r) { ExpectMix(r, 381, "回放0:话筒-80"); }},
    {"PlaybackCut80",
     [](auto& p) {
         p.monitorMicCut = 0;
         p.monitorPlaybackCut = 80;
     },
     [](auto& r) { ExpectMix(r, 1, "回放-80:话筒0"); }},
    {"NoCut",
     [](auto& p) {
         p.monitorMicCut = 0;
         p.monitorPlaybackCut = 0;
     },
     [](auto& r) { ExpectMix(r, 191, "回放0:话筒0"); }},
    {"LimiterOffAtLevelZeroGreysTheFirstItem",
     [](auto& p) {
         p.limiterOn = 0;
         p.limiterLevel = 0;
         p.hpfFreq = 2;
     },
     [](auto& r) {
         auto* limiter = r.template Control<CComBoxBtn>(Page::kIdLimiterList);
         EXPECT_EQ(limiter->text(), QStringLiteral("LOW"));
         EXPECT_FALSE(limiter->isEnabled());
         EXPECT_TRUE(limiter->DisabledLook());
         auto* highPass = r.template Control<CComBoxBtn>(Page::kIdHighPassList);
         EXPECT_EQ(highPass->text(), QStringLiteral("150Hz"));
         EXPECT_TRUE(highPass->isEnabled());
     }},
};

class CControlDlgRefreshTest : public testing::TestWithParam<RefreshCase> {};

TEST_P(CControlDlgRefreshTest, ControlsFollowTheModel) {
    TorvaPageRig rig;
    rig.params.stereo = 1 - rig.params.stereo;
    rig.page.RefreshFromParams();
    GetParam().set(rig.params);
    rig.page.RefreshFromParams();
    GetParam().check(rig);
    EXPECT_TRUE(rig.trace.Events().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, CControlDlgRefreshTest, testing::ValuesIn(kRefreshCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CControlDlgMetersTest, PollerReadingsReachTheirMeters) {
    TorvaPageRig rig;
    rig.page.SetLevelMeters(30, 70, 50);
    EXPECT_EQ(rig.Control<CMyProgressCtrl>(Page::kIdMeterLeft)->GetPos(), 30);
    EXPECT_EQ(rig.Control<CMyProgressCtrl>(Page::kIdMeterRight)->GetPos(), 70);
    EXPECT_EQ(rig.Control<CMyProgressCtrl>(Page::kIdMeterMono)->GetPos(), 50);
}

// ---- the controls ----

// One user action: what it leaves in the model and on the page, and what the same change sends
// through the command object directly.
struct ControlCase {
    const char* name;
    std::function<void(TorvaPageRig&)> prepare;
    std::function<void(TorvaPageRig&)> act;
    std::function<void(TorvaPageRig&)> check;
    std::function<void(DeviceCommands&)> sends;
};

void PrintTo(const ControlCase& c, std::ostream* out) { *out << c.name; }

const ControlCase kControlCases[] = {
    {"LimiterOffKeepsItsLevel",
     {},
     [](auto& r) { r.Click(Page::kIdLimiterSwitch); },
     [](auto& r) {
         EXPECT_EQ(r.params.limiterOn, 0);
         EXPECT_EQ(r.params.limiterLevel, 1);
         EXPECT_TRUE(r.template Control<CComBoxBtn>(Page::kIdLimiterList)->DisabledLook());
     },
     [](auto& c) { c.SetLimiter(0, 1); }},
    {"LimiterOnAtLevelZeroStoresOne",
     [](auto& r) {
         r.params.limiterOn = 0;
         r.params.limiterLevel = 0;
         r.page.RefreshFromParams();
     },
     [](auto& r) { r.Click(Page::kIdLimiterSwitch); },
     [](auto& r) {
         EXPECT_EQ(r.params.limiterOn, 1);
         EXPECT_EQ(r.params.limiterLevel, 1);
         EXPECT_TRUE(r.Control(Page::kIdLimiterList)->isEnabled());
     },
     [](auto& c) { c.SetLimiter(1, 1); }},
    {"HighPassOff",
     {},
     [](auto& r) { r.Click(Page::kIdHighPassSwitch); },
     [](auto& r) {
         EXPECT_EQ(r.params.hpfOn, 0);
         EXPECT_FALSE(r.Control(Page::kIdHighPassList)->isEnabled());
     },
     [](auto& c) { c.SetHighPass(0, 1); }},
    {"Stereo",
     {},
     [](auto& r) { r.Click(Page::kIdStereoSwitch); },
     [](auto& r) {
         EXPECT_EQ(r.params.stereo, 1);
         EXPECT_TRUE(r.Visible(Page::kIdMeterRight));
         EXPECT_FALSE(r.Visible(Page::kIdMeterMono));
     },
     [](auto& c) { c.SetStereo(1); }},
    {"LimiterLevelHigh",
     {},
     [](auto& r) { r.Choose(Page::kIdLimiterList, 2); },
     [](auto& r) { EXPECT_EQ(r.params.limiterLevel, 3); },
     [](auto& c) { c.SetLimiter(1, 3); }},
    {"HighPass150Hz",
     {},
     [](auto& r) { r.Choose(Page::kIdHighPassList, 1); },
     [](auto& r) { EXPECT_EQ(r.params.hpfFreq, 2); },
     [](auto& c) { c.SetHighPass(1, 2); }},
    {"MicGain",
     {},
     [](auto& r) { r.MoveSlider(Page::kIdMicGainSlider, 3); },
     [](auto& r) {
         EXPECT_EQ(r.params.micGain, 3);
         EXPECT_EQ(r.Text(Page::kIdMicGainValue), QStringLiteral("2dB"));
     },
     [](auto& c) { c.SetMicGain(3); }},
    {"Gain2",
     {},
     [](auto& r) { r.MoveSlider(Page::kIdGain2Slider, 47); },
     [](auto& r) {
         EXPECT_EQ(r.params.gain2, 47);
         EXPECT_EQ(r.Text(Page::kIdGain2Value), QStringLiteral("35dB"));
     },
     [](auto& c) { c.SetGain2(47); }},
    {"BandSlider",
     {},
     [](auto& r) { r.MoveSlider(EqEditor::kIdFirstBandSlider + 2, 100); },
     [](auto& r) { EXPECT_EQ(r.params.sliderBands[2].gain, 200); },
     [](auto& c) { c.SetSliderBand(3); }},
    {"EqSwitchOffSendsFlatBandsWaitsAndStores",
     {},
     [](auto& r) { r.Click(EqEditor::kIdEqSwitch); },
     [](auto& r) {
         EXPECT_EQ(r.params.eqEnabled, 0);
         EXPECT_FALSE(r.Control(EqEditor::kIdFirstBandSlider)->isEnabled());
         EXPECT_TRUE(r.Graph()->isEnabled()) << "only the editor in use";
     },
     [](auto& c) {
         for (int band = 1; band <= kEqBands; ++band) c.SetSliderBandFlat(band);
         c.Pause(std::chrono::milliseconds(100));
         c.StoreSettings();
     }},
};

class CControlDlgControlTest : public testing::TestWithParam<ControlCase> {};

TEST_P(CControlDlgControlTest, DisconnectedChangesTheModelAndSendsNothing) {
    TorvaPageRig rig;
    if (GetParam().prepare) GetParam().prepare(rig);
    GetParam().act(rig);
    GetParam().check(rig);
    EXPECT_EQ(Sent(rig.trace), std::vector<std::string>{});
}

TEST_P(CControlDlgControlTest, ConnectedSendsWhatItsCommandSends) {
    TorvaPageRig rig;
    if (GetParam().prepare) GetParam().prepare(rig);
    rig.Connect();
    GetParam().act(rig);
    GetParam().check(rig);
    const std::vector<std::string> sent = Sent(rig.trace);
    ASSERT_FALSE(sent.empty());
    rig.trace.Clear();
    GetParam().sends(rig.commands);
    EXPECT_EQ(sent, Sent(rig.trace));
}

INSTANTIATE_TEST_SUITE_P(Table, CControlDlgControlTest, testing::ValuesIn(kControlCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MixCase {
    int position;
    int micCut;
    int playbackCut;
    const char* readout;
};

class CControlDlgMixTest : public testing::TestWithParam<MixCase> {};

TEST_P(CControlDlgMixTest, PositionGivesOneCutTheReadoutAndBothSends) {
    TorvaPageRig rig;
    rig.Connect();
    // Start from the other side, so both cuts change.
    rig.params.monitorMicCut = GetParam().playbackCut > 0 ? 30 : 0;
    rig.params.monitorPlaybackCut = GetParam().playbackCut > 0 ? 0 : 30;
    rig.MoveSlider(Page::kIdMixSlider, GetParam().position);
    EXPECT_EQ(rig.params.monitorMicCut, GetParam().micCut);
    EXPECT_EQ(rig.params.monitorPlaybackCut, GetParam().playbackCut);
    EXPECT_EQ(rig.Text(Page::kIdMixReadout), QString::fromUtf8(GetParam().readout));

    const std::vector<std::string> sent = Sent(rig.trace);
    rig.trace.Clear();
    rig.commands.SetMonitorMicCut(GetParam().micCut);
    rig.commands.SetMonitorPlaybackCut(GetParam().playbackCut);
    EXPECT_EQ(sent, Sent(rig.trace)) << "the microphone cut, then the playback cut";
}

INSTANTIATE_TEST_SUITE_P(
    Table, CControlDlgMixTest,
    testing::Values(MixCase{191, 0, 0, "回放0:话筒0"}, MixCase{190, 0, 0, "回放0:话筒0"},
                    MixCase{161, 0, 0, "回放0:话筒0"}, MixCase{160, 0, 1, "回放-1:话筒0"},
                    MixCase{0, 0, 80, "回放-80:话筒0"}, MixCase{382, 80, 0, "回放0:话筒-80"}),
    [](const auto& info) { return std::to_string(info.param.position); });

}  // namespace
}  // namespace quavelo
