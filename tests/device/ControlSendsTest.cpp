#include "device/ControlSends.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "device/CommandRig.h"
#include "device/ValueDisplay.h"

namespace quavelo {
namespace {

using namespace test;
using namespace std::chrono_literals;
using Group = std::function<bool(DeviceCommands&, const DeviceParams&)>;

// The rig's model with the graph set (1) or the slider set (0) in use, the equaliser on or off.
enum EqState { SliderSetOff, SliderSet, GraphSetOff, GraphSet };
void Use(Model model, EqState state, DeviceParams& p) {
    p.deviceModel = model;
    Set({{&p.eqMode, state / 2}, {&p.eqEnabled, state % 2}});
}

// A group is checked against the commands it stands for, called one by one on a second rig with
// the same model: the same reports, pauses and log lines in the same order. The KD4 preset recall
// and view buttons are in the reviewed traces; the TORVA recall is what a push sends, after the
// settings block.
struct GroupCase {
    const char* name;
    Model model;
    EqState state;
    Group group;
    std::function<void(DeviceCommands&, const DeviceParams&)> commands;
};

void PrintTo(const GroupCase& c, std::ostream* out) { *out << c.name; }

class ControlSendsTest : public testing::TestWithParam<GroupCase> {};

TEST_P(ControlSendsTest, SendsTheCommandsOfItsControl) {
    CommandRig group;
    CommandRig commands;
    Use(GetParam().model, GetParam().state, group.params);
    Use(GetParam().model, GetParam().state, commands.params);
    EXPECT_TRUE(GetParam().group(group.commands, group.params));
    GetParam().commands(commands.commands, commands.params);
    EXPECT_EQ(group.trace.Events(), commands.trace.Events());
}

// clang-format off
const auto kSlider = BandSet::Slider;
const auto kGraph = BandSet::Graph;
INSTANTIATE_TEST_SUITE_P(Groups, ControlSendsTest, testing::Values(
    GroupCase{"TorvaBandsFlatWhileOff", Model::Torva, SliderSetOff,
        [](auto& c, auto& p) { return SendEqBands(c, p, OnFailure::Continue); },
        [](auto& c, auto&) { for (int n = 1; n <= 5; ++n) c.SetBand(kSlider, n); }},
    GroupCase{"TorvaView", Model::Torva, GraphSetOff, SendEqView,
        [](auto& c, auto&) { for (int n = 1; n <= 5; ++n) c.SetBand(kGraph, n);
                             c.Pause(50ms); c.StoreSettings(); }},
    GroupCase{"TorvaEqSwitch", Model::Torva, SliderSet, SendEqSwitch,
        [](auto& c, auto&) { for (int n = 1; n <= 5; ++n) c.SetBand(kSlider, n);
                             c.Pause(100ms); c.StoreSettings(); }},
    GroupCase{"TorvaReset", Model::Torva, SliderSet, SendEqReset,
        [](auto& c, auto&) { c.StoreSettings(); for (int n = 1; n <= 5; ++n) c.SetBand(kSlider, n); }},
    GroupCase{"TorvaMonitorMix", Model::Torva, GraphSet, SendMonitorMix,
        [](auto& c, auto&) { c.SetMonitorMicCut(); c.SetMonitorPlaybackCut(); }},
    GroupCase{"Kd4ViewFlatWhileOff", Model::Kd4, SliderSetOff, SendEqView,
        [](auto& c, auto&) {
            c.StoreSettings(); c.Pause(100ms); c.StoreSettings(); c.Pause(100ms);
            for (int n = 1; n <= 5; ++n) { c.SetBand(kSlider, n); c.Pause(120ms); } }},
    GroupCase{"Kd4EqSwitch", Model::Kd4, GraphSetOff, SendEqSwitch,
        [](auto& c, auto&) { for (int n = 1; n <= 5; ++n) c.SetBand(kGraph, n);
                             c.Pause(100ms); c.StoreSettings(); }},
    GroupCase{"Kd4Reset", Model::Kd4, SliderSet, SendEqReset,
        [](auto& c, auto&) { c.StoreSettings(); for (int n = 1; n <= 5; ++n) c.SetBand(kSlider, n); }},
    GroupCase{"Kd4MonitorMix", Model::Kd4, GraphSet, SendMonitorMix,
        [](auto& c, auto&) { c.SetMonitorMicCut(); c.Pause(50ms); c.SetMonitorPlaybackCut(); }},
    GroupCase{"Kd4Switches", Model::Kd4, GraphSet, [](auto& c, auto&) { return SendStatusSwitches(c); },
        [](auto& c, auto&) { for (int i = 0; i < 3; ++i) { c.StoreSettings(); c.Pause(100ms); } }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Which groups stop at a failed command and which go on: the write that fails, the attempts the
// group then makes and what it reports.
TEST(ControlSendsTest, StopsOrGoesOnAfterAFailure) {
    const Group recall = [](auto& c, auto&) { return SendPresetRecall(c); };
    // clang-format off
    const std::tuple<const char*, Model, EqState, Group, int, int, bool> cases[] = {
        {"TORVA view", Model::Torva, GraphSet, SendEqView, 1, 1 + 4 * 8 + 1, false},
        {"TORVA reset, band 3", Model::Torva, SliderSet, SendEqReset, 1 + 8 + 8 + 1, 18, false},
        {"TORVA mix", Model::Torva, GraphSet, SendMonitorMix, 1, 3, false},
        {"TORVA recall, settings", Model::Torva, GraphSet, recall, 1, 1 + 5 * 8 + 28, true},
        {"TORVA recall, mic gain", Model::Torva, GraphSet, recall, 1 + 5 * 8 + 1, 42, false},
        {"KD4 view", Model::Kd4, GraphSet, SendEqView, 1, 1 + 2 + 5 * 8, false},
        {"KD4 EQ switch", Model::Kd4, GraphSet, SendEqSwitch, 1, 1 + 4 * 8 + 2, false},
        {"KD4 reset, settings", Model::Kd4, SliderSet, SendEqReset, 1, 1 + 5 * 8, true},
        {"KD4 reset, band 2", Model::Kd4, SliderSet, SendEqReset, 2 + 8 + 1, 11, false},
        {"KD4 mix", Model::Kd4, GraphSet, SendMonitorMix, 1, 4, false},
        {"KD4 switches", Model::Kd4, GraphSet, [](auto& c, auto&) { return SendStatusSwitches(c); }, 1, 5, false},
        {"KD4 recall, mic gain", Model::Kd4, GraphSet, recall, 2 + 5 * 8 + 1, 43, false}};
    // clang-format on
    for (const auto& [name, model, state, group, failing, attempts, result] : cases) {
        CommandRig rig;
        Use(model, state, rig.params);
        rig.link.FailWrite(failing);
        EXPECT_EQ(group(rig.commands, rig.params), result) << name;
        EXPECT_EQ(rig.link.WriteAttempts(), attempts) << name;
    }
}

TEST(ControlSendsTest, StoringKeepsTheModelsRules) {
    DeviceParams p;
    p.ResetToInitialValues();
    // clang-format off
    Set({{&p.limiterLevel, 0}, {&p.hpfFreq, 0}, {&p.graphBands[4].freq, 777},
         {&p.graphBands[4].gain, 10}, {&p.sliderBands[4].gain, 10}});
    // clang-format on
    StoreLimiterSwitch(p, 0);
    EXPECT_EQ(p.limiterLevel, 0) << "switching off keeps level 0";
    StoreLimiterSwitch(p, 1);
    StoreHighPassSwitch(p, 1);
    StoreMonitorMicCut(p, 20);
    EXPECT_EQ((std::vector<int>{p.limiterOn, p.limiterLevel, p.hpfOn, p.hpfFreq, p.monitorMicCut,
                                p.monitorPlaybackCut}),
              (std::vector<int>{1, 1, 1, 1, 20, 0}));
    StoreMonitorPlaybackCut(p, 200);
    EXPECT_EQ(std::pair(p.monitorMicCut + 0, p.monitorPlaybackCut + 0), std::pair(0, 80));
    p.eqMode = 0;
    ResetEqualiser(p);
    std::vector<int> reset{p.sliderBands[4].gain, p.graphBands[4].gain, p.graphBands[4].freq};
    p.eqMode = 1;
    ResetEqualiser(p);
    reset.insert(reset.end(), {p.graphBands[4].gain, p.graphBands[4].freq, p.graphBands[4].q});
    EXPECT_EQ(reset, (std::vector<int>{150, 10, 777, 150, 10000, 20}))
        << "the slider gains; then the graph gains and frequencies, not Q";
}

TEST(ValueDisplayTest, ShowsTheEndsOfEachRange) {
    const EqBandValue band{4000, 145, 25, 0};
    // clang-format off
    const std::pair<std::string, std::string> texts[] = {
        {MicGainText(0), "0dB"}, {MicGainText(3), "2dB"}, {MicGainText(47), "35dB"},
        {MonitorLevelText(0), "-80dB"}, {MonitorLevelText(80), "0dB"},
        {MakeBandReadout(2, band, GainFormat::WholeDb).gain, "Gain:0"},
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

}  // namespace
}  // namespace quavelo
