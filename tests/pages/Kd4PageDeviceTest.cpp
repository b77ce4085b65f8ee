// The KD4 page against the simulated KD4: the command object over HidControl over the simulated
// device, with the page's send jobs on a send worker, as the panel runs it with --simulate.

#include <gtest/gtest.h>

#include "device/Encoding.h"
#include "pages/Kd4PageRig.h"
#include "sim/SimLinkRig.h"

namespace quavelo {
namespace {

using test::SimLinkRig;
using test::StoreMismatches;

// The page connected to a simulated KD4 that holds the panel's initial settings, as the main
// window leaves it after the read-back.
struct SimKd4Page {
    SimLinkRig sim{kModelKd4};
    test::TempDir dataDir;
    Kd4SendWorker sendWorker{sim.params, sim.sleeper};
    PageContext context{sim.params, sim.commands, sim.prompt, sendWorker, dataDir.Path()};
    CKd4Dlg page{context};
    test::Kd4PageHands hands{page};

    SimKd4Page() {
        page.resize(1000, 650);
        page.OnInitDialog();
        page.show();
        if (sim.Open()) sim.params.connected = 1;
        page.RefreshFromParams();
        sim.device.TakeReceived();
    }
    ~SimKd4Page() { sendWorker.WaitIdle(); }

    // The reports `commands` write for the model as it is now, recorded apart from the device.
    std::vector<std::vector<std::uint8_t>> ReportsOf(
        const std::function<void(DeviceCommands&)>& commands) {
        test::FakeReportLink link;
        test::RecordingSleeper sleeper;
        test::RecordingLogSink log;
        test::RecordingPrompt prompt;
        DeviceCommands apart{link, sim.params, sleeper, log, prompt};
        commands(apart);
        std::vector<std::vector<std::uint8_t>> reports;
        for (const HidReport& report : link.Written())
            reports.emplace_back(report.begin(), report.end());
        return reports;
    }
};

TEST(Kd4PageDeviceTest, SliderAndGraphJobsStartedTogetherNeverInterleaveOnTheWire) {
    SimKd4Page rig;
    ASSERT_EQ(rig.sim.params.connected, 1);
    SimFaults faults;
    faults.latency = std::chrono::milliseconds(3);  // each job takes a while on the wire
    rig.sim.device.SetFaults(faults);
    DeviceParams& p = rig.sim.params;

    for (int round = 0; round < 4; ++round) {
        p.eqMode = 0;
        rig.page.RefreshFromParams();
        rig.hands.KeySlider(EqEditor::kIdFirstBandSlider + 1, 60 + 40 * round);
        p.eqMode = 1;
        rig.page.RefreshFromParams();
        QTest::mousePress(rig.hands.Graph(), Qt::LeftButton, {}, rig.hands.HandleCentre(3));
        QTest::mouseRelease(rig.hands.Graph(), Qt::LeftButton, {}, rig.hands.HandleCentre(3));
        rig.sendWorker.WaitIdle();

        const auto slider = rig.ReportsOf([](DeviceCommands& d) { d.SetSliderBandKd4(2); });
        const auto graph = rig.ReportsOf([](DeviceCommands& d) { d.SetGraphBandKd4(4); });
        const auto received = rig.sim.device.TakeReceived();
        // The slider's whole group, then the graph's group for each graph report of the click.
        ASSERT_GT(received.size(), slider.size()) << round;
        const std::size_t graphReports = received.size() - slider.size();
        ASSERT_EQ(graphReports % graph.size(), 0U) << round;
        auto expected = slider;
        for (std::size_t i = 0; i < graphReports / graph.size(); ++i) {
            expected.insert(expected.end(), graph.begin(), graph.end());
        }
        EXPECT_EQ(received, expected) << round;

        const EqBandValue s = p.sliderBands[1].Value();
        const EqBandValue g = p.graphBands[3].Value();
        EXPECT_EQ(rig.sim.device.FilterWords(2), PeakingCoefficients(s.freq, s.q, s.gain)) << round;
        EXPECT_EQ(rig.sim.device.FilterWords(4), PeakingCoefficients(g.freq, g.q, g.gain)) << round;
    }
}

TEST(Kd4PageDeviceTest, RecallingALockedPresetLocksThePageAndTheDevice) {
    SimKd4Page rig;
    ASSERT_EQ(rig.sim.params.connected, 1);
    DeviceParams stored;
    stored.ResetToInitialValues();
    stored.kd4Lock = 1;
    stored.micGain = 33;
    stored.sliderBands[2].gain = 90;
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 5), BuildPresetImage(stored)), "");
    rig.sim.prompt.SetDefaultConfirmAnswer(true);
    rig.hands.Click(kIdFirstSlotButton + 5);
    rig.hands.Click(kIdReadButton);
    rig.sendWorker.WaitIdle();

    EXPECT_TRUE(rig.hands.Visible(CKd4Dlg::kIdLockOverlay));
    EXPECT_FALSE(rig.hands.Enabled(CKd4Dlg::kIdMicGainSlider));
    EXPECT_EQ(rig.sim.params.kd4Lock, 1);
    EXPECT_EQ(StoreMismatches(rig.sim.params, rig.sim.device.Store(), kModelKd4),
              std::vector<std::string>{})
        << "the device holds the recalled settings, the lock among them";
    EXPECT_TRUE(rig.sim.prompt.Infos().empty());
}

TEST(Kd4PageDeviceTest, StatusSwitchesReachTheDeviceStore) {
    SimKd4Page rig;
    ASSERT_EQ(rig.sim.params.connected, 1);
    for (int id : {CKd4Dlg::kIdMuteSwitch, CKd4Dlg::kIdIndicatorSwitch, CKd4Dlg::kIdLockSwitch}) {
        rig.hands.Click(id);
        rig.sendWorker.WaitIdle();
    }
    EXPECT_EQ(rig.sim.params.kd4SwitchA, 1);
    EXPECT_EQ(rig.sim.params.kd4SwitchB, 1);
    EXPECT_EQ(rig.sim.params.kd4Lock, 1);
    EXPECT_EQ(StoreMismatches(rig.sim.params, rig.sim.device.Store(), kModelKd4),
              std::vector<std::string>{});
}

}  // namespace
}  // namespace quavelo
