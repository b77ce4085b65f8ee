// The KD4 path: requests written by the command object, answers and status blocks received on
// HidControl's reader thread and decoded there by the KD4 parser.

#include <gtest/gtest.h>

#include "device/DeviceMap.h"
#include "sim/SimLinkRig.h"

namespace quavelo {
namespace {

using test::ReadBackFields;
using test::SimLinkRig;
using test::StoreMismatches;
using test::WaitUntil;

// Clears the flags as the main window does before a read-back, then requests it.
bool RequestReadBack(SimLinkRig& rig) {
    for (SharedInt& seen : rig.params.blockSeen) seen = 0;
    rig.params.readbackDone = 0;
    return rig.commands.RequestAllSettingsKd4();
}

TEST(EndToEndKd4Test, ReadBackCompletesOnTheReaderThreadWithWhatEarlierCommandsStored) {
    SimLinkRig rig(kModelKd4);
    ASSERT_TRUE(rig.Open());
    DeviceParams& p = rig.params;
    p.micGain = 20;
    p.gain2 = 60;
    p.monitorMicCut = 0;
    p.monitorPlaybackCut = 30;
    p.eqEnabled = 0;
    p.eqMode = 1;
    p.kd4Lock = 1;
    p.kd4SwitchB = 1;
    p.graphBands[1].freq = 300;
    p.graphBands[1].gain = 200;
    p.sliderBands[4].gain = 0;
    DeviceCommands& d = rig.commands;
    ASSERT_TRUE(d.SetMicGainKd4(20) && d.SetGain2Kd4(60) && d.SetMonitorPlaybackCutKd4(30) &&
                d.SetGraphBandKd4(2) && d.SetSliderBandKd4(5) && d.StoreSettingsKd4());
    const auto sent = ReadBackFields(p, kModelKd4);
    rig.link.Close();

    p.ResetToInitialValues();
    p.micGain = 0;
    p.gain2 = 0;
    p.kd4Lock = 0;
    p.kd4SwitchB = 0;
    ASSERT_TRUE(rig.Open());
    ASSERT_TRUE(rig.StartKd4Reader());
    ASSERT_TRUE(RequestReadBack(rig));
    ASSERT_TRUE(WaitUntil([&] { return p.readbackDone == 1; }));
    EXPECT_EQ(ReadBackFields(p, kModelKd4), sent);
    EXPECT_EQ(StoreMismatches(p, rig.device.Store(), kModelKd4), std::vector<std::string>{});
    EXPECT_EQ(rig.device.DspValue(dsp::kMicGain2), 0x93u) << "both channels got the gain";
}

TEST(EndToEndKd4Test, DeviceControlsRaiseStatusReadyWithTheNewValues) {
    SimLinkRig rig(kModelKd4);
    ASSERT_TRUE(rig.Open());
    ASSERT_TRUE(rig.StartKd4Reader());
    DeviceParams& p = rig.params;

    ASSERT_TRUE(rig.device.TurnGainKnob(12));
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.micGain, 12);
    EXPECT_EQ(p.kd4SwitchA, 0);
    EXPECT_EQ(p.kd4Lock, 0);
    EXPECT_EQ(p.monitorPlaybackCut, 80) << "the balance the store holds";

    p.statusReady = 0;
    ASSERT_TRUE(rig.device.PressMute());
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.kd4SwitchA, 1);
    EXPECT_EQ(p.micGain, 12);

    p.statusReady = 0;
    ASSERT_TRUE(rig.device.PressLock());
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.kd4Lock, 1);

    p.statusReady = 0;
    ASSERT_TRUE(rig.device.TurnGainKnob(-5));
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.micGain, 7);

    // The change is the device's own: a read-back finds it in the store.
    ASSERT_TRUE(RequestReadBack(rig));
    ASSERT_TRUE(WaitUntil([&] { return p.readbackDone == 1; }));
    EXPECT_EQ(p.micGain, 7);
    EXPECT_EQ(p.kd4SwitchA, 1);
    EXPECT_EQ(p.kd4Lock, 1);
}

TEST(EndToEndKd4Test, LevelRequestReachesTheMeter) {
    SimLinkRig rig(kModelKd4);
    ASSERT_TRUE(rig.Open());
    ASSERT_TRUE(rig.StartKd4Reader());
    for (std::uint32_t step = 0; step < 3; ++step) {
        rig.params.meterReady = 0;
        ASSERT_TRUE(rig.commands.RequestLevelKd4());
        ASSERT_TRUE(WaitUntil([&] { return rig.params.meterReady == 1; }));
        EXPECT_EQ(rig.params.meterLevel, SimulatedLevel(0, step));
    }
}

}  // namespace
}  // namespace quavelo
