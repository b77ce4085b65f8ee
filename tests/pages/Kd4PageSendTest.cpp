// What the KD4 page sends, when, and from which thread: the send jobs of every control, the
// deferred slider and graph sends, "Please Wait", the disconnected page and failed sends.

#include <gtest/gtest.h>

#include <functional>

#include "device/ControlSends.h"
#include "device/SettingsBlocks.h"
#include "pages/Kd4PageRig.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using test::Kd4PageRig;

// What a job sends when the page starts it: the 20 ms settle pause unless the job skips it, then
// the commands, run here directly on the same model.
std::vector<std::string> Expected(Kd4PageRig& rig, bool settle,
                                  const std::function<void(DeviceCommands&)>& commands) {
    rig.TakeSent();
    if (settle) rig.sleeper.SleepFor(20ms);
    commands(rig.commands);
    return rig.TakeSent();
}

// ---- the job of each control ----

struct JobCase {
    const char* name;
    std::function<void(Kd4PageRig&)> prepare;
    std::function<void(test::Kd4PageHands&)> act;
    bool settle;
    std::function<void(DeviceCommands&, const DeviceParams&)> sends;
};

class Kd4JobTest : public testing::TestWithParam<JobCase> {};

TEST_P(Kd4JobTest, SendsItsGroupOnTheSendWorker) {
    const JobCase& c = GetParam();
    Kd4PageRig rig;
    if (c.prepare) c.prepare(rig);
    rig.page.RefreshFromParams();
    rig.Connect();
    c.act(rig.hands);
    const std::vector<std::string> sent = rig.TakeSent();
    const std::vector<std::thread::id> writers = rig.notingLink.Writers();
    ASSERT_FALSE(writers.empty());
    for (std::thread::id writer : writers) {
        EXPECT_NE(writer, std::this_thread::get_id()) << "a report written on the UI thread";
    }
    EXPECT_EQ(sent, Expected(rig, c.settle,
                             [&](DeviceCommands& commands) { c.sends(commands, rig.params); }));
    EXPECT_EQ(rig.params.commandBusy, 0);
}

void Graph(Kd4PageRig& rig) { rig.params.eqMode = 1; }
void SlidersOff(Kd4PageRig& rig) { rig.params.eqEnabled = 0; }

INSTANTIATE_TEST_SUITE_P(
    Table, Kd4JobTest,
    testing::Values(JobCase{"MicGainKey",
                            {},
                            [](auto& h) { h.KeySlider(1028, 30); },
                            true,
                            [](auto& d, auto& p) { d.SetMicGainKd4(p.micGain); }},
                    JobCase{"MonitorLevelKey",
                            {},
                            [](auto& h) { h.KeySlider(1096, 12); },
                            true,
                            [](auto& d, auto& p) { d.SetGain2Kd4(p.gain2); }},
                    JobCase{"MixKey",
                            {},
                            [](auto& h) { h.KeySlider(1029, 60); },
                            true,
                            [](auto& d, auto& p) { SendMonitorMixKd4(d, p); }},
                    JobCase{"BandKey",
                            {},
                            [](auto& h) { h.KeySlider(1026, 40); },
                            true,
                            [](auto& d, auto&) { d.SetSliderBandKd4(4); }},
                    JobCase{"LimiterSwitch",
                            {},
                            [](auto& h) { h.Click(1015); },
                            true,
                            [](auto& d, auto& p) { d.SetLimiterKd4(p.limiterOn, p.limiterLevel); }},
                    JobCase{"HighPassSwitch",
                            {},
                            [](auto& h) { h.Click(1016); },
                            true,
                            [](auto& d, auto& p) { d.SetHighPassKd4(p.hpfOn, p.hpfFreq); }},
                    JobCase{"LimiterLevel",
                            {},
                            [](auto& h) { h.Choose(1018, 2); },
                            true,
                            [](auto& d, auto& p) { d.SetLimiterKd4(p.limiterOn, p.limiterLevel); }},
                    JobCase{"HighPassCorner",
                            {},
                            [](auto& h) { h.Choose(1019, 1); },
                            true,
                            [](auto& d, auto& p) { d.SetHighPassKd4(p.hpfOn, p.hpfFreq); }},
                    JobCase{"GeqButton",
                            {},
                            [](auto& h) { h.Click(1031); },
                            false,
                            [](auto& d, auto& p) { SendEqViewKd4(d, p); }},
                    JobCase{"PeqButtonWhileOff",
                            [](Kd4PageRig& rig) {
                                Graph(rig);
                                SlidersOff(rig);
                            },
                            [](auto& h) { h.Click(1030); }, false,
                            [](auto& d, auto& p) { SendEqViewKd4(d, p); }},
                    JobCase{"EqSwitch",
                            {},
                            [](auto& h) { h.Click(1095); },
                            true,
                            [](auto& d, auto& p) { SendEqSwitchKd4(d, p); }},
                    JobCase{"ResetSliders",
                            {},
                            [](auto& h) { h.Click(1032); },
                            true,
                            [](auto& d, auto& p) { SendEqResetKd4(d, p); }},
                    JobCase{"ResetGraph", Graph, [](auto& h) { h.Click(1032); }, true,
                            [](auto& d, auto& p) { SendEqResetKd4(d, p); }},
                    JobCase{"LockSwitch",
                            {},
                            [](auto& h) { h.Click(1100); },
                            false,
                            [](auto& d, auto&) { SendSwitchesKd4(d); }},
                    JobCase{"MuteSwitch",
                            {},
                            [](auto& h) { h.Click(1101); },
                            false,
                            [](auto& d, auto&) { SendSwitchesKd4(d); }},
                    JobCase{"IndicatorSwitch",
                            {},
                            [](auto& h) { h.Click(1017); },
                            false,
                            [](auto& d, auto&) { SendSwitchesKd4(d); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Kd4PageSendTest, ResetRestoresTheGraphFrequenciesOnlyInTheGraphView) {
    for (int mode : {0, 1}) {
        Kd4PageRig rig;
        rig.params.eqMode = mode;
        for (int k = 0; k < kEqBands; ++k) {
            rig.params.graphBands[k].freq = 500 + k;
            rig.params.graphBands[k].gain = 40;
            rig.params.graphBands[k].q = 7;
            rig.params.sliderBands[k].gain = 60;
        }
        rig.page.RefreshFromParams();
        rig.hands.Click(EqEditor::kIdReset);
        for (int k = 0; k < kEqBands; ++k) {
            const EqBandValue graph = rig.params.graphBands[k].Value();
            EXPECT_EQ(graph.freq, mode == 1 ? kDefaultBandFreq[k] : 500 + k) << mode;
            EXPECT_EQ(graph.gain, mode == 1 ? 150 : 40) << mode;
            EXPECT_EQ(graph.q, 7) << mode;
            EXPECT_EQ(rig.params.sliderBands[k].gain, mode == 0 ? 150 : 60) << mode;
        }
        EXPECT_EQ(rig.hands.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:0.0"));
    }
}

TEST(Kd4PageSendTest, ViewButtonOfTheShownViewSendsNothing) {
    Kd4PageRig rig;
    rig.Connect();
    rig.hands.Click(EqEditor::kIdPeq);
    EXPECT_TRUE(rig.TakeSent().empty());
    EXPECT_EQ(rig.params.eqMode, 0);
}

TEST(Kd4PageSendTest, LimiterOnStoresLevelOneAndOffKeepsTheLevel) {
    Kd4PageRig rig;
    rig.params.limiterOn = 0;
    rig.params.limiterLevel = 0;
    rig.page.RefreshFromParams();
    rig.hands.Click(CKd4Dlg::kIdLimiterSwitch);
    EXPECT_EQ(rig.params.limiterOn, 1);
    EXPECT_EQ(rig.params.limiterLevel, 1);
    EXPECT_TRUE(rig.hands.Enabled(CKd4Dlg::kIdLimiterList));
    rig.params.limiterLevel = 3;
    rig.hands.Click(CKd4Dlg::kIdLimiterSwitch);
    EXPECT_EQ(rig.params.limiterOn, 0);
    EXPECT_EQ(rig.params.limiterLevel, 3);
    EXPECT_FALSE(rig.hands.Enabled(CKd4Dlg::kIdLimiterList));
    EXPECT_TRUE(rig.hands.Control<CComBoxBtn>(CKd4Dlg::kIdLimiterList)->DisabledLook());
}

// ---- deferred sends ----

TEST(Kd4PageSendTest, SliderDragSendsAfterTwoHundredQuietMillisecondsAndAtTheRelease) {
    Kd4PageRig rig;
    rig.Connect();
    test::Kd4PageHands& h = rig.hands;
    const int id = CKd4Dlg::kIdMicGainSlider;
    h.PressSlider(id);
    for (int pos : {4, 8, 12, 16}) {
        h.DragSlider(id, pos);
        rig.Tick(150ms);
        EXPECT_TRUE(rig.TakeSent().empty()) << "each movement restarts the wait";
    }
    EXPECT_TRUE(rig.page.SliderSendDue());
    rig.Tick(49ms);
    EXPECT_TRUE(rig.TakeSent().empty());
    rig.Tick(1ms);
    const int dragged = rig.params.micGain;
    EXPECT_GE(dragged, 15);
    std::vector<std::string> sent = rig.TakeSent();
    EXPECT_EQ(sent, Expected(rig, true, [&](auto& d) { d.SetMicGainKd4(dragged); }));
    rig.Tick(500ms);
    EXPECT_TRUE(rig.TakeSent().empty()) << "one group per quiet period";

    h.DragSlider(id, 30);
    h.ReleaseSlider(id);
    EXPECT_FALSE(rig.page.SliderSendDue());
    sent = rig.TakeSent();
    EXPECT_EQ(sent, Expected(rig, true, [&](auto& d) { d.SetMicGainKd4(rig.params.micGain); }));
    rig.Tick(500ms);
    EXPECT_TRUE(rig.TakeSent().empty()) << "the release took the due send with it";
}

TEST(Kd4PageSendTest, AValueWaitingForTheTimerIsSentWhenAnotherSliderMoves) {
    Kd4PageRig rig;
    rig.Connect();
    test::Kd4PageHands& h = rig.hands;
    h.PressSlider(CKd4Dlg::kIdMicGainSlider);
    h.DragSlider(CKd4Dlg::kIdMicGainSlider, 20);
    h.ReleaseSlider(CKd4Dlg::kIdMicGainSlider);
    rig.TakeSent();
    h.PressSlider(CKd4Dlg::kIdMicGainSlider);
    h.DragSlider(CKd4Dlg::kIdMicGainSlider, 40);
    h.KeySlider(CKd4Dlg::kIdGain2Slider, 50);
    const std::vector<std::string> sent = rig.TakeSent();
    EXPECT_EQ(sent, Expected(rig, true, [&](auto& d) {
                  d.SetMicGainKd4(rig.params.micGain);
                  d.Pause(20ms);
                  d.SetGain2Kd4(50);
              }));
}

// Graph band `band` (1..5) sends made so far: each ends with the band's store block.
int GraphBandSends(Kd4PageRig& rig, int band) {
    rig.sendWorker.WaitIdle();
    const Report block = BandBlock(rig.params, band);
    int sends = 0;
    for (const HidReport& report : rig.link.Written()) {
        if (std::equal(report.begin(), report.begin() + 6, block.begin())) ++sends;
    }
    return sends;
}

TEST(Kd4PageSendTest, GraphDragSendsEveryFiveHundredMillisecondsAndAtTheRelease) {
    Kd4PageRig rig;
    rig.params.eqMode = 1;
    rig.page.RefreshFromParams();
    rig.Connect();
    CMultiColorPlotCtrl* graph = rig.hands.Graph();
    const QPoint start = rig.hands.HandleCentre(1);
    QTest::mousePress(graph, Qt::LeftButton, {}, start);
    EXPECT_EQ(GraphBandSends(rig, 2), 1) << "the selection goes at once";

    std::vector<int> sendsAfterStep;
    QPoint at = start;
    for (int step = 1; step <= 30; ++step) {
        at = start + QPoint(step * 3, -step);
        QTest::mouseMove(graph, at);
        rig.Tick(100ms);
        sendsAfterStep.push_back(GraphBandSends(rig, 2));
    }
    // The first step goes with the first tick; then a step goes at the first tick 500 ms or more
    // after the last send: after 100, 600, 1100, ... 2600 ms.
    EXPECT_EQ(sendsAfterStep[0], 2);
    EXPECT_EQ(sendsAfterStep[4], 2);
    EXPECT_EQ(sendsAfterStep[5], 3);
    EXPECT_EQ(sendsAfterStep[9], 3);
    EXPECT_EQ(sendsAfterStep[10], 4);
    EXPECT_EQ(sendsAfterStep[29], 7);
    QTest::mouseRelease(graph, Qt::LeftButton, {}, at);
    EXPECT_EQ(GraphBandSends(rig, 2), 8) << "the release";
    EXPECT_FALSE(rig.page.GraphSendDue());
    rig.Tick(1s);
    EXPECT_EQ(GraphBandSends(rig, 2), 8);
    EXPECT_EQ(rig.params.graphBands[1].freq, static_cast<int>(graph->FrequencyX(1)));
    EXPECT_GT(rig.params.graphBands[1].gain, 150);
}

TEST(Kd4PageSendTest, GraphDoubleClickSetsZeroDbAtItsFrequencyAndSendsTheBandAtOnce) {
    Kd4PageRig rig;
    rig.params.eqMode = 1;
    rig.params.graphBands[3].gain = 250;
    rig.page.RefreshFromParams();
    rig.Connect();
    CMultiColorPlotCtrl* graph = rig.hands.Graph();
    const QPoint at = rig.hands.HandleCentre(3);
    QTest::mouseClick(graph, Qt::LeftButton, {}, at);
    rig.TakeSent();
    QTest::mouseDClick(graph, Qt::LeftButton, {}, at);
    QTest::mouseRelease(graph, Qt::LeftButton, {}, at);
    EXPECT_EQ(rig.params.graphBands[3].gain, 150);
    EXPECT_EQ(rig.params.graphBands[3].freq, 4000);
    EXPECT_DOUBLE_EQ(graph->GainY(3), 0.0);
    EXPECT_EQ(rig.hands.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:0.0"));
    const std::vector<std::string> sent = rig.TakeSent();
    EXPECT_EQ(sent, Expected(rig, true, [](auto& d) { d.SetGraphBandKd4(4); }));
}

// ---- disconnected, busy, failures ----

TEST(Kd4PageSendTest, DisconnectedPageChangesTheModelAndNeverSendsEvenAfterConnecting) {
    Kd4PageRig rig;
    test::Kd4PageHands& h = rig.hands;
    h.PressSlider(CKd4Dlg::kIdMicGainSlider);
    h.DragSlider(CKd4Dlg::kIdMicGainSlider, 30);
    EXPECT_EQ(rig.params.micGain, h.Position(CKd4Dlg::kIdMicGainSlider));
    EXPECT_GE(rig.params.micGain, 28);
    EXPECT_FALSE(rig.page.SliderSendDue());
    h.ReleaseSlider(CKd4Dlg::kIdMicGainSlider);
    for (int id : {1015, 1016, 1017, 1031, 1032, 1095, 1100, 1101}) h.Click(id);
    h.Choose(CKd4Dlg::kIdHighPassList, 1);
    CMultiColorPlotCtrl* graph = h.Graph();
    const QPoint start = h.HandleCentre(0);
    QTest::mousePress(graph, Qt::LeftButton, {}, start);
    QTest::mouseMove(graph, start + QPoint(30, -20));
    EXPECT_FALSE(rig.page.GraphSendDue());
    EXPECT_EQ(rig.params.eqMode, 1);
    EXPECT_EQ(rig.params.hpfFreq, 2);

    rig.Connect();
    rig.Tick(1s);
    EXPECT_TRUE(rig.TakeSent().empty());
    EXPECT_TRUE(rig.prompt.Infos().empty());
}

TEST(Kd4PageSendTest, JobsStartedBeforeADisconnectAreDropped) {
    Kd4PageRig rig;
    rig.Connect();
    rig.hands.PressSlider(CKd4Dlg::kIdGain2Slider);
    rig.hands.DragSlider(CKd4Dlg::kIdGain2Slider, 30);
    rig.params.connected = 0;
    rig.Tick(200ms);
    EXPECT_TRUE(rig.TakeSent().empty());
}

class Kd4BusyTest : public testing::TestWithParam<int> {};

TEST_P(Kd4BusyTest, ButtonSaysPleaseWaitAndChangesNothing) {
    Kd4PageRig rig;
    rig.Connect();
    rig.params.commandBusy = 1;
    const PresetImage before = BuildPresetImage(rig.params);
    const int checked = rig.hands.Checked(GetParam());
    rig.hands.Click(GetParam());
    EXPECT_EQ(BuildPresetImage(rig.params), before);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"Please Wait"});
    EXPECT_EQ(rig.hands.Checked(GetParam()), checked);
    rig.params.commandBusy = 0;
    rig.sendWorker.WaitIdle();
    EXPECT_TRUE(rig.link.Written().empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, Kd4BusyTest,
                         testing::Values(1015, 1016, 1017, 1030, 1031, 1032, 1095, 1100, 1101));

TEST(Kd4PageSendTest, BusyListChoiceSaysPleaseWaitAndShowsTheModelsLevelAgain) {
    Kd4PageRig rig;
    rig.Connect();
    rig.params.commandBusy = 1;
    rig.hands.Choose(CKd4Dlg::kIdLimiterList, 2);
    EXPECT_EQ(rig.params.limiterLevel, 1);
    EXPECT_EQ(rig.hands.Control<CComBoxBtn>(CKd4Dlg::kIdLimiterList)->GetCurSel(), 0);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"Please Wait"});
    rig.params.commandBusy = 0;
}

TEST(Kd4PageSendTest, SlidersAndTheGraphWaitInLineWhileBusy) {
    Kd4PageRig rig;
    rig.Connect();
    rig.params.commandBusy = 1;
    rig.hands.KeySlider(CKd4Dlg::kIdMicGainSlider, 10);
    EXPECT_TRUE(rig.prompt.Infos().empty());
    const std::vector<std::string> sent = rig.TakeSent();
    EXPECT_EQ(sent, Expected(rig, true, [](auto& d) { d.SetMicGainKd4(10); }));
}

TEST(Kd4PageSendTest, FailedBandInResetSaysSoOnceStopsAndLaterChangesStillSend) {
    Kd4PageRig rig;
    rig.Connect();
    rig.link.FailWritesFrom(3);  // the settings go; the first band's first report fails
    rig.hands.Click(EqEditor::kIdReset);
    rig.TakeSent();
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"发送失败"});
    EXPECT_EQ(rig.link.WriteAttempts(), 3);
    EXPECT_EQ(rig.params.commandBusy, 0);

    rig.link.FailWritesFrom(1000);
    rig.hands.KeySlider(CKd4Dlg::kIdMicGainSlider, 12);
    const std::vector<std::string> sent = rig.TakeSent();
    EXPECT_EQ(sent, Expected(rig, true, [](auto& d) { d.SetMicGainKd4(12); }));
    EXPECT_EQ(rig.prompt.Infos().size(), 1U);
}

}  // namespace
}  // namespace quavelo
