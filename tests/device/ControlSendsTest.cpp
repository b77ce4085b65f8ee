#include "device/ControlSends.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "device/CommandRig.h"

namespace quavelo {
namespace {

using namespace test;
using namespace std::chrono_literals;

// A group is checked against the commands it stands for, called one by one on a second rig with
// the same model: the same reports, pauses and log lines in the same order.
struct GroupCase {
    const char* name;
    std::function<void(DeviceParams&)> setup;
    std::function<bool(DeviceCommands&, const DeviceParams&)> group;
    std::function<void(DeviceCommands&, const DeviceParams&)> expected;
};

void PrintTo(const GroupCase& c, std::ostream* out) { *out << c.name; }

class ControlSendsTest : public testing::TestWithParam<GroupCase> {};

TEST_P(ControlSendsTest, SendsTheCommandsOfItsControl) {
    CommandRig actual;
    CommandRig expected;
    GetParam().setup(actual.params);
    GetParam().setup(expected.params);
    EXPECT_TRUE(GetParam().group(actual.commands, actual.params));
    GetParam().expected(expected.commands, expected.params);
    EXPECT_EQ(actual.trace.Events(), expected.trace.Events());
    EXPECT_FALSE(actual.trace.Events().empty());
}

void GraphSet(DeviceParams& p) { p.eqMode = 1; }
void SliderSet(DeviceParams& p) { p.eqMode = 0; }
void GraphSetOff(DeviceParams& p) {
    p.eqMode = 1;
    p.eqEnabled = 0;
}
void SliderSetOff(DeviceParams& p) {
    p.eqMode = 0;
    p.eqEnabled = 0;
}

void GraphBands(DeviceCommands& c) {
    for (int n = 1; n <= 5; ++n) c.SetGraphBand(n);
}
void SliderBandsFlat(DeviceCommands& c) {
    for (int n = 1; n <= 5; ++n) c.SetSliderBandFlat(n);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Groups, ControlSendsTest, testing::Values(
    GroupCase{"TorvaBandsOfTheGraphSet", GraphSet,
        [](auto& c, auto& p) { return SendEqBandsTorva(c, p, OnFailure::Stop); },
        [](auto& c, auto&) { GraphBands(c); }},
    GroupCase{"TorvaBandsFlatWhileOff", SliderSetOff,
        [](auto& c, auto& p) { return SendEqBandsTorva(c, p, OnFailure::Stop); },
        [](auto& c, auto&) { SliderBandsFlat(c); }},
    GroupCase{"TorvaGraphBandsFlat", GraphSetOff,
        [](auto& c, auto& p) { return SendEqBandsTorva(c, p, OnFailure::Continue); },
        [](auto& c, auto&) { for (int n = 1; n <= 5; ++n) c.SetGraphBandFlat(n); }},
    GroupCase{"TorvaViewWaits50", GraphSet, SendEqViewTorva,
        [](auto& c, auto&) { GraphBands(c); c.Pause(50ms); c.StoreSettings(); }},
    GroupCase{"TorvaSwitchWaits100", SliderSetOff, SendEqSwitchTorva,
        [](auto& c, auto&) { SliderBandsFlat(c); c.Pause(100ms); c.StoreSettings(); }},
    GroupCase{"TorvaResetStoresFirst", GraphSet, SendEqResetTorva,
        [](auto& c, auto&) { c.StoreSettings(); GraphBands(c); }},
    GroupCase{"TorvaMixMicFirst", [](auto&) {}, SendMonitorMixTorva,
        [](auto& c, auto& p) { c.SetMonitorMicCut(p.monitorMicCut);
                               c.SetMonitorPlaybackCut(p.monitorPlaybackCut); }},
    GroupCase{"TorvaRecall", GraphSet, SendPresetRecallTorva,
        [](auto& c, auto& p) {
            c.StoreSettings(); GraphBands(c); c.SetMicGain(p.micGain); c.SetGain2(p.gain2);
            c.SetHighPass(p.hpfOn, p.hpfFreq); c.SetLimiter(p.limiterOn, p.limiterLevel);
            c.SetStereo(p.stereo); c.SetMonitorMicCut(p.monitorMicCut);
            c.SetMonitorPlaybackCut(p.monitorPlaybackCut); }},
    GroupCase{"Kd4ViewStoresTwiceThenBands", SliderSet, SendEqViewKd4,
        [](auto& c, auto&) {
            c.StoreSettingsKd4(); c.Pause(100ms); c.StoreSettingsKd4(); c.Pause(100ms);
            for (int n = 1; n <= 5; ++n) { c.SetSliderBandKd4(n); c.Pause(120ms); } }},
    GroupCase{"Kd4ViewFlatWhileOff", GraphSetOff, SendEqViewKd4,
        [](auto& c, auto&) {
            c.StoreSettingsKd4(); c.Pause(100ms); c.StoreSettingsKd4(); c.Pause(100ms);
            for (int n = 1; n <= 5; ++n) { c.SetGraphBandFlatKd4(n); c.Pause(120ms); } }},
    GroupCase{"Kd4SwitchBandsThenStore", GraphSet, SendEqSwitchKd4,
        [](auto& c, auto&) {
            for (int n = 1; n <= 5; ++n) c.SetGraphBandKd4(n);
            c.Pause(100ms); c.StoreSettingsKd4(); }},
    GroupCase{"Kd4Reset", SliderSet, SendEqResetKd4,
        [](auto& c, auto&) { c.StoreSettingsKd4(); for (int n = 1; n <= 5; ++n) c.SetSliderBandKd4(n); }},
    GroupCase{"Kd4MixPauses50", [](auto&) {}, SendMonitorMixKd4,
        [](auto& c, auto& p) { c.SetMonitorMicCutKd4(p.monitorMicCut); c.Pause(50ms);
                               c.SetMonitorPlaybackCutKd4(p.monitorPlaybackCut); }},
    GroupCase{"Kd4SwitchesThreeTimes", [](auto&) {},
        [](auto& c, auto&) { return SendSwitchesKd4(c); },
        [](auto& c, auto&) { for (int i = 0; i < 3; ++i) { c.StoreSettingsKd4(); c.Pause(100ms); } }},
    GroupCase{"Kd4Recall", GraphSet, SendPresetRecallKd4,
        [](auto& c, auto& p) {
            c.StoreSettingsKd4(); for (int n = 1; n <= 5; ++n) c.SetGraphBandKd4(n);
            c.SetMicGainKd4(p.micGain); c.SetGain2Kd4(p.gain2);
            c.SetHighPassKd4(p.hpfOn, p.hpfFreq); c.SetLimiterKd4(p.limiterOn, p.limiterLevel);
            c.SetMonitorMicCutKd4(p.monitorMicCut);
            c.SetMonitorPlaybackCutKd4(p.monitorPlaybackCut); }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

int Writes(const CommandRig& rig) {
    int writes = 0;
    for (const auto& e : rig.trace.Events()) writes += (e[0] == 'W' || e[0] == 'X') ? 1 : 0;
    return writes;
}

TEST(ControlSendsFailureTest, ResetStopsAtTheFirstFailedBand) {
    CommandRig rig;
    rig.params.eqMode = 0;
    rig.link.FailWrite(1 + 8 + 8 + 1);  // settings block, bands 1 and 2, first write of band 3
    EXPECT_FALSE(SendEqResetTorva(rig.commands, rig.params));
    EXPECT_EQ(Writes(rig), 18) << "nothing after the failed write";
}

TEST(ControlSendsFailureTest, Kd4ResetDoesNotCheckItsSettingsWrite) {
    CommandRig rig;
    rig.params.eqMode = 0;
    rig.link.FailWrite(1);
    EXPECT_TRUE(SendEqResetKd4(rig.commands, rig.params));
    EXPECT_EQ(Writes(rig), 1 + 5 * 8) << "the bands are sent although the settings failed";
}

TEST(ControlSendsFailureTest, ViewButtonsSendEverythingWhateverFails) {
    CommandRig rig;
    rig.params.eqMode = 1;
    rig.link.FailWrite(1);
    EXPECT_FALSE(SendEqViewTorva(rig.commands, rig.params));
    EXPECT_EQ(Writes(rig), 1 + 4 * 8 + 1) << "band 1 stopped at its first write; the rest went";
}

TEST(ControlSendsFailureTest, RecallStopsAtTheFirstFailedCommandAfterTheSettings) {
    CommandRig rig;
    rig.link.FailWrite(1);
    rig.link.FailWrite(1 + 5 * 8 + 1);  // the microphone gain's code
    EXPECT_FALSE(SendPresetRecallTorva(rig.commands, rig.params));
    EXPECT_EQ(Writes(rig), 1 + 5 * 8 + 1);
}

TEST(ControlStoreTest, SwitchingOnStoresLevelOneWhenItIsZero) {
    DeviceParams p;
    p.limiterLevel = 0;
    p.hpfFreq = 0;
    StoreLimiterSwitch(p, 0);
    StoreHighPassSwitch(p, 0);
    EXPECT_EQ(p.limiterLevel, 0) << "switching off keeps the level";
    EXPECT_EQ(p.hpfFreq, 0);
    StoreLimiterSwitch(p, 1);
    StoreHighPassSwitch(p, 1);
    EXPECT_EQ(p.limiterOn, 1);
    EXPECT_EQ(p.limiterLevel, 1);
    EXPECT_EQ(p.hpfOn, 1);
    EXPECT_EQ(p.hpfFreq, 1);
    p.limiterLevel = 3;
    StoreLimiterSwitch(p, 1);
    EXPECT_EQ(p.limiterLevel, 3);
}

TEST(ControlStoreTest, OneMonitorCutClearsTheOther) {
    DeviceParams p;
    p.monitorPlaybackCut = 80;
    StoreMonitorMicCut(p, 20);
    EXPECT_EQ(p.monitorMicCut, 20);
    EXPECT_EQ(p.monitorPlaybackCut, 0);
    StoreMonitorPlaybackCut(p, 200);
    EXPECT_EQ(p.monitorMicCut, 0);
    EXPECT_EQ(p.monitorPlaybackCut, 80) << "held in range";
}

TEST(ControlStoreTest, ResetTouchesOnlyTheSetInUse) {
    DeviceParams p;
    p.ResetToInitialValues();
    for (int i = 0; i < kEqBands; ++i) {
        p.graphBands[i].freq = 777;
        p.graphBands[i].gain = 10;
        p.graphBands[i].q = 33;
        p.sliderBands[i].gain = 20;
    }
    p.eqMode = 0;
    ResetEqualiser(p);
    EXPECT_EQ(p.sliderBands[4].gain, 150);
    EXPECT_EQ(p.sliderBands[4].freq, 10000);
    EXPECT_EQ(p.graphBands[0].gain, 10) << "the graph set is not in use";
    p.eqMode = 1;
    ResetEqualiser(p);
    for (int i = 0; i < kEqBands; ++i) {
        EXPECT_EQ(p.graphBands[i].gain, 150);
        EXPECT_EQ(p.graphBands[i].freq, kDefaultBandFreq[i]);
        EXPECT_EQ(p.graphBands[i].q, 33) << "Q is kept";
    }
}

}  // namespace
}  // namespace quavelo
