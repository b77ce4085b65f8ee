// The TORVA page's equaliser editor: band sliders, the response graph, the view buttons and Reset.

#include <gtest/gtest.h>

#include <QTest>

#include "device/SettingsBlocks.h"
#include "pages/CControlDlg.h"
#include "pages/TorvaPageRig.h"

namespace quavelo {
namespace {

using test::Sent;
using test::TorvaPageRig;

// How many times graph band `band` (1..5) was sent: its store block ends each band command.
int BandSends(const TorvaPageRig& rig, int band) {
    const Report block = BandBlock(rig.params, band);
    int sends = 0;
    for (const HidReport& report : rig.link.Written()) {
        if (std::equal(report.begin(), report.begin() + 6, block.begin())) ++sends;
    }
    return sends;
}

struct BandSliderCase {
    int position;
    int gain;
    const char* readout;
};

class CControlDlgBandSliderTest : public testing::TestWithParam<BandSliderCase> {};

TEST_P(CControlDlgBandSliderTest, PositionStoresTheGainAndShowsWholeDb) {
    TorvaPageRig rig;
    rig.MoveSlider(EqEditor::kIdFirstBandSlider + 2, GetParam().position);
    EXPECT_EQ(rig.params.sliderBands[2].gain, GetParam().gain);
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutBand), QStringLiteral("Band:3"));
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutQ), QStringLiteral("Q:2.0"));
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutFreq), QStringLiteral("FREQ:1000"));
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutGain), QString::fromUtf8(GetParam().readout));
}

INSTANTIATE_TEST_SUITE_P(Table, CControlDlgBandSliderTest,
                         testing::Values(BandSliderCase{0, 300, "Gain:15"},
                                         BandSliderCase{300, 0, "Gain:-15"},
                                         BandSliderCase{155, 145, "Gain:0"}),
                         [](const auto& info) { return std::to_string(info.param.position); });

TEST(CControlDlgEqualiserTest, RefreshShowsTheStoredViewInTenthsOfADb) {
    TorvaPageRig rig;
    rig.params.sliderBands[0].gain = 145;
    rig.params.sliderBands[4].gain = 400;  // beyond the slider's range
    rig.page.RefreshFromParams();
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:-0.5"));
    EXPECT_EQ(rig.Control<CBitmapSlider>(EqEditor::kIdFirstBandSlider)->GetPos(), 155);
    EXPECT_EQ(rig.Control<CBitmapSlider>(EqEditor::kIdFirstBandSlider + 4)->GetPos(), 0);

    rig.params.eqMode = 1;
    rig.params.graphBands[0].freq = 120;
    rig.params.graphBands[0].gain = 175;
    rig.page.RefreshFromParams();
    EXPECT_TRUE(rig.Visible(EqEditor::kIdGraph));
    for (int id : {1009, 1014, 1023, 1027, 1035, 1039}) EXPECT_FALSE(rig.Visible(id)) << id;
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutFreq), QStringLiteral("FREQ:120"));
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:2.5"));
    EXPECT_DOUBLE_EQ(rig.Graph()->FrequencyX(0), 120.0);
    EXPECT_DOUBLE_EQ(rig.Graph()->GainY(0), 2.5);
    EXPECT_DOUBLE_EQ(rig.Graph()->BandInputs().gain[0], 2.5);
    EXPECT_DOUBLE_EQ(rig.Graph()->BandInputs().q[0], 2.0);
}

TEST(CControlDlgEqualiserTest, ModeButtonOfTheShownViewSendsNothing) {
    TorvaPageRig rig;
    rig.Connect();
    rig.Click(EqEditor::kIdPeq);
    EXPECT_EQ(Sent(rig.trace), std::vector<std::string>{});
}

struct ViewCase {
    const char* name;
    int button;
    int eqEnabled;
};

class CControlDlgViewTest : public testing::TestWithParam<ViewCase> {};

TEST_P(CControlDlgViewTest, ShowsTheViewAndSendsItsBandsThenTheSettings) {
    const ViewCase& c = GetParam();
    const bool graph = c.button == EqEditor::kIdGeq;
    TorvaPageRig rig;
    rig.params.eqEnabled = c.eqEnabled;
    rig.params.eqMode = graph ? 0 : 1;
    rig.page.RefreshFromParams();
    rig.Connect();
    rig.Click(c.button);
    EXPECT_EQ(rig.params.eqMode, graph ? 1 : 0);
    EXPECT_EQ(rig.Visible(EqEditor::kIdGraph), graph);
    EXPECT_EQ(rig.Visible(EqEditor::kIdFirstBandSlider), !graph);
    EXPECT_EQ(rig.Control<PngButton>(EqEditor::kIdGeq)->Checked(), graph ? 1 : 0);
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:0"));
    // The editor of the new view takes input only while the equaliser is on.
    const int editor = graph ? EqEditor::kIdGraph : EqEditor::kIdFirstBandSlider;
    EXPECT_EQ(rig.Control(editor)->isEnabled(), c.eqEnabled == 1);

    const std::vector<std::string> sent = Sent(rig.trace);
    rig.trace.Clear();
    DeviceCommands& d = rig.commands;
    for (int band = 1; band <= kEqBands; ++band) {
        if (graph) {
            c.eqEnabled ? d.SetGraphBand(band) : d.SetGraphBandFlat(band);
        } else {
            c.eqEnabled ? d.SetSliderBand(band) : d.SetSliderBandFlat(band);
        }
    }
    d.Pause(std::chrono::milliseconds(50));
    d.StoreSettings();
    EXPECT_EQ(sent, Sent(rig.trace));
}

INSTANTIATE_TEST_SUITE_P(Table, CControlDlgViewTest,
                         testing::Values(ViewCase{"GraphOn", EqEditor::kIdGeq, 1},
                                         ViewCase{"GraphOffSendsFlatBands", EqEditor::kIdGeq, 0},
                                         ViewCase{"SlidersOffSendsFlatBands", EqEditor::kIdPeq, 0},
                                         ViewCase{"SlidersOn", EqEditor::kIdPeq, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the graph ----

// The page in the graph view, connected, with nothing sent yet.
struct GraphRig : TorvaPageRig {
    GraphRig() {
        params.eqMode = 1;
        page.RefreshFromParams();
        Connect();
    }
};

TEST(CControlDlgGraphTest, DragSendsOncePerHundredAndOneStepsAndAtTheRelease) {
    GraphRig rig;
    CMultiColorPlotCtrl* graph = rig.Graph();
    const QPoint start = rig.HandleCentre(2);
    QTest::mousePress(graph, Qt::LeftButton, {}, start);
    EXPECT_EQ(BandSends(rig, 3), 1) << "the selection";

    QPoint at = start;
    std::vector<int> sendsAfterStep{0};
    for (int step = 1; step <= 250; ++step) {
        at = start + QPoint(step % 2 == 0 ? 20 : 40, -10 - step % 40);
        QTest::mouseMove(graph, at);
        sendsAfterStep.push_back(BandSends(rig, 3));
    }
    EXPECT_EQ(sendsAfterStep[100], 1);
    EXPECT_EQ(sendsAfterStep[101], 2);
    EXPECT_EQ(sendsAfterStep[201], 2);
    EXPECT_EQ(sendsAfterStep[202], 3);
    EXPECT_EQ(sendsAfterStep[250], 3);
    QTest::mouseRelease(graph, Qt::LeftButton, {}, at);
    EXPECT_EQ(BandSends(rig, 3), 4) << "the release";

    // The model, the readout and the response follow the handle; Q stays.
    const EqBandValue band = rig.params.graphBands[2].Value();
    EXPECT_EQ(band.freq, static_cast<int>(graph->FrequencyX(2)));
    EXPECT_GT(band.freq, 1000);
    EXPECT_GT(band.gain, 150);
    EXPECT_EQ(band.q, kDefaultBandQ);
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutFreq), QStringLiteral("FREQ:%1").arg(band.freq));
    EXPECT_DOUBLE_EQ(graph->BandInputs().frequency[2], band.freq);
}

TEST(CControlDlgGraphTest, DoubleClickSetsZeroDbAndSendsTheBand) {
    GraphRig rig;
    rig.params.graphBands[3].gain = 250;
    rig.page.RefreshFromParams();
    CMultiColorPlotCtrl* graph = rig.Graph();
    test::DoubleClickOn(*graph, rig.HandleCentre(3));
    EXPECT_EQ(rig.params.graphBands[3].gain, 150);
    EXPECT_EQ(rig.params.graphBands[3].freq, 4000);
    EXPECT_DOUBLE_EQ(graph->GainY(3), 0.0);
    EXPECT_DOUBLE_EQ(graph->BandInputs().gain[3], 0.0);
    EXPECT_EQ(rig.Text(EqEditor::kIdReadoutGain), QStringLiteral("Gain:0.0"));
    EXPECT_EQ(rig.link.Written().back(), BandBlock(rig.params, 4)) << "ends with the band's block";
}

TEST(CControlDlgGraphTest, ResetRestoresTheFrequenciesAndKeepsQ) {
    GraphRig rig;
    for (int k = 0; k < kEqBands; ++k) {
        rig.params.graphBands[k].freq = 500 + k;
        rig.params.graphBands[k].gain = 40 + k;
        rig.params.graphBands[k].q = 7 + k;
        rig.params.sliderBands[k].gain = 60;
    }
    rig.page.RefreshFromParams();
    rig.Click(EqEditor::kIdReset);
    for (int k = 0; k < kEqBands; ++k) {
        EXPECT_EQ(rig.params.graphBands[k].freq, kDefaultBandFreq[k]);
        EXPECT_EQ(rig.params.graphBands[k].gain, 150);
        EXPECT_EQ(rig.params.graphBands[k].q, 7 + k);
        EXPECT_EQ(rig.params.sliderBands[k].gain, 60) << "the other set stays";
        EXPECT_DOUBLE_EQ(rig.Graph()->FrequencyX(k), kDefaultBandFreq[k]);
    }
    const std::vector<std::string> sent = Sent(rig.trace);
    rig.trace.Clear();
    rig.commands.StoreSettings();
    for (int band = 1; band <= kEqBands; ++band) rig.commands.SetGraphBand(band);
    EXPECT_EQ(sent, Sent(rig.trace));
}

TEST(CControlDlgGraphTest, ResetStopsAtTheFirstFailedSendAndSaysSoOnce) {
    TorvaPageRig rig;
    rig.Connect();
    rig.link.FailWritesFrom(2);  // the settings block goes; the first band's first report fails
    rig.Click(EqEditor::kIdReset);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"发送失败"});
    EXPECT_EQ(rig.link.WriteAttempts(), 2);
}

}  // namespace
}  // namespace quavelo
