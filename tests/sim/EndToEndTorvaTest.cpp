// The command object over HidControl over the simulated device: what the commands send is what
// the device holds, and what the device holds is what a read-back gives.

#include <gtest/gtest.h>

#include <sstream>

#include "device/DeviceMap.h"
#include "device/Encoding.h"
#include "sim/SimLinkRig.h"
#include "support/EventTrace.h"
#include "support/FakeReportLink.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using test::ReadBackFields;
using test::SimLinkRig;
using test::StoreMismatches;

Coefficients Words(std::array<std::uint32_t, 5> w) {
    Coefficients c{};
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = static_cast<std::int32_t>(w[i]);
    return c;
}

enum class BandCommand { kGraph, kGraphFlat, kSlider, kSliderFlat };

struct BandLoadCase {
    const char* name;
    std::int32_t model;
    BandCommand command;
    int band;
    int freq;  // graph bands only; slider bands keep their fixed frequencies
    int gain;
    std::optional<Coefficients> words;  // when empty: the peaking words of the band as sent
};

void PrintTo(const BandLoadCase& c, std::ostream* out) { *out << c.name; }

const Coefficients kBand3Plus6 =
    Words({0x00840693, 0xFF0A35EA, 0x0073E276, 0x00F5CA16, 0xFF8816F7});
const Coefficients kBand3Flat = Words({0x00800000, 0xFF0A35EA, 0x0077E909, 0x00F5CA16, 0xFF8816F7});

class BandLoadTest : public testing::TestWithParam<BandLoadCase> {};

TEST_P(BandLoadTest, FilterHoldsTheBandsWordsAndTheStoreItsBlock) {
    const BandLoadCase& c = GetParam();
    SimLinkRig rig(c.model);
    ASSERT_TRUE(rig.Open());
    const bool graph = c.command == BandCommand::kGraph || c.command == BandCommand::kGraphFlat;
    const bool flat = c.command == BandCommand::kGraphFlat || c.command == BandCommand::kSliderFlat;
    EqBand& band = (graph ? rig.params.graphBands : rig.params.sliderBands)[c.band - 1];
    if (graph) band.freq = c.freq;
    band.gain = c.gain;

    const bool kd4 = c.model == kModelKd4;
    DeviceCommands& d = rig.commands;
    bool sent = false;
    if (graph) {
        sent = kd4 ? (flat ? d.SetGraphBandFlatKd4(c.band) : d.SetGraphBandKd4(c.band))
                   : (flat ? d.SetGraphBandFlat(c.band) : d.SetGraphBand(c.band));
    } else {
        sent = kd4 ? (flat ? d.SetSliderBandFlatKd4(c.band) : d.SetSliderBandKd4(c.band))
                   : (flat ? d.SetSliderBandFlat(c.band) : d.SetSliderBand(c.band));
    }
    ASSERT_TRUE(sent);

    const Coefficients expected =
        c.words.value_or(flat ? PeakingCoefficientsFlat(band.freq, band.q)
                              : PeakingCoefficients(band.freq, band.q, band.gain));
    EXPECT_EQ(rig.device.FilterWords(c.band), expected);
    for (int other = 1; other <= kEqBands; ++other) {
        if (other != c.band) {
            EXPECT_EQ(rig.device.FilterWords(other), std::nullopt) << other;
        }
    }
    EXPECT_EQ(StoreMismatches(rig.params, rig.device.Store(), c.model), std::vector<std::string>{});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BothModels, BandLoadTest, testing::Values(
    BandLoadCase{"TorvaGraph3",      kModelTorva, BandCommand::kGraph,      3, 1000,  210, kBand3Plus6},
    BandLoadCase{"TorvaGraph3Flat",  kModelTorva, BandCommand::kGraphFlat,  3, 1000,  210, kBand3Flat},
    BandLoadCase{"TorvaGraph1Min",   kModelTorva, BandCommand::kGraph,      1, 20,    0,   {}},
    BandLoadCase{"TorvaGraph5Max",   kModelTorva, BandCommand::kGraph,      5, 20000, 300, {}},
    BandLoadCase{"TorvaSlider2",     kModelTorva, BandCommand::kSlider,     2, 0,     90,  {}},
    BandLoadCase{"TorvaSlider4Flat", kModelTorva, BandCommand::kSliderFlat, 4, 0,     270, {}},
    BandLoadCase{"Kd4Graph3",        kModelKd4,   BandCommand::kGraph,      3, 1000,  210, kBand3Plus6},
    BandLoadCase{"Kd4Graph2Flat",    kModelKd4,   BandCommand::kGraphFlat,  2, 300,   40,  {}},
    BandLoadCase{"Kd4Slider5Max",    kModelKd4,   BandCommand::kSlider,     5, 0,     300, {}},
    BandLoadCase{"Kd4Slider1Flat",   kModelKd4,   BandCommand::kSliderFlat, 1, 0,     0,   {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(EndToEndTest, HighPassHoldsTheFixedWordsOfItsSetting) {
    struct Case {
        int on;
        int corner;
        std::optional<Coefficients> words;
    };
    const Case cases[] = {
        {0, 1, Words({0x00800000, 0, 0, 0, 0})},
        {1, 1, Words({0x007F1D47, 0xFF01C572, 0x007F1D47, 0x00FE38FD, 0xFF81C3E0})},
        {1, 2, Words({0x007E3C20, 0xFF0387C0, 0x007E3C20, 0x00FC7205, 0xFF838185})},
        {1, 0, std::nullopt},  // no set for that corner: only the settings block goes out
    };
    for (const std::int32_t model : {kModelTorva, kModelKd4}) {
        for (const Case& c : cases) {
            SimLinkRig rig(model);
            ASSERT_TRUE(rig.Open());
            rig.params.hpfOn = c.on;
            rig.params.hpfFreq = c.corner;
            ASSERT_TRUE(model == kModelKd4 ? rig.commands.SetHighPassKd4(c.on, c.corner)
                                           : rig.commands.SetHighPass(c.on, c.corner));
            EXPECT_EQ(rig.device.HighPassWords(), c.words) << model << " " << c.on << c.corner;
            EXPECT_EQ(rig.device.Store()[3], c.on);
            EXPECT_EQ(rig.device.Store()[4], c.corner);
        }
    }
}

TEST(EndToEndTest, ReadBackOfANewDeviceGivesThePanelsInitialSettings) {
    SimLinkRig rig(kModelTorva);
    DeviceParams initial;
    initial.ResetToInitialValues();
    rig.params.stereo = 1;
    rig.params.micGain = 30;
    rig.params.limiterOn = 0;
    rig.params.sliderBands[1].gain = 0;
    rig.params.graphBands[4].freq = 50;
    ASSERT_TRUE(rig.Open());
    ASSERT_TRUE(rig.commands.ReadAllSettings());
    EXPECT_EQ(ReadBackFields(rig.params, kModelTorva), ReadBackFields(initial, kModelTorva));
    EXPECT_EQ(StoreMismatches(rig.params, rig.device.Store(), kModelTorva),
              std::vector<std::string>{});
}

TEST(EndToEndTest, SettingsSentInOneOpeningAreReadBackInTheNext) {
    SimLinkRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    DeviceParams& p = rig.params;
    p.stereo = 1;
    p.limiterLevel = 2;
    p.hpfFreq = 2;
    p.monitorMicCut = 5;
    p.monitorPlaybackCut = 0;
    p.gain2 = 7;
    p.micGain = 47;
    p.eqMode = 1;
    p.graphBands[1].freq = 300;
    p.graphBands[1].gain = 200;
    p.sliderBands[3].gain = 60;
    DeviceCommands& d = rig.commands;
    ASSERT_TRUE(d.SetStereo(1) && d.SetLimiter(1, 2) && d.SetHighPass(1, 2) &&
                d.SetMonitorMicCut(5) && d.SetGain2(7) && d.SetMicGain(47) && d.SetGraphBand(2) &&
                d.SetSliderBand(4) && d.StoreSettings());
    const auto sent = ReadBackFields(p, kModelTorva);
    rig.link.Close();

    DeviceParams next;
    next.ResetToInitialValues();
    DeviceCommands fresh(rig.link, next, rig.sleeper, rig.log, rig.prompt);
    ASSERT_TRUE(rig.Open());
    ASSERT_TRUE(fresh.ReadAllSettings());
    EXPECT_EQ(ReadBackFields(next, kModelTorva), sent);
    EXPECT_EQ(StoreMismatches(next, rig.device.Store(), kModelTorva), std::vector<std::string>{});
}

TEST(EndToEndTest, PushAllSettingsPutsEveryReportOnTheWireOnceInOrder) {
    SimLinkRig rig(kModelTorva);
    std::ostringstream out;
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    rig.device.SetWireTrace(std::make_shared<WireTrace>(out, [now] { return *now += 250us; }));
    ASSERT_TRUE(rig.Open());
    rig.params.connected = 1;
    ASSERT_TRUE(rig.commands.PushAllSettings());

    // The same push over a recording link gives the series the wire must show.
    test::FakeReportLink recorder;
    DeviceParams same;
    same.ResetToInitialValues();
    same.connected = 1;
    DeviceCommands(recorder, same, rig.sleeper, rig.log, rig.prompt).PushAllSettings();
    const std::vector<HidReport> expected = recorder.Written();
    ASSERT_EQ(expected.size(), 68u) << "five slider bands, then the gains, filters and mix";

    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(lines[i].find(' ') + 1), "W " + test::TraceHex(expected[i])) << i;
    }
    EXPECT_EQ(lines.front(), "0.250 W FF 70 00 01 04 00 00 80 00 00 00 00 00 00 00 00");
    EXPECT_EQ(lines.back(), "17.000 W FF A0 00 00 0A 00 00 01 01 01 01 00 00 00 01 01");
}

TEST(EndToEndTest, PollLevelsReadsBothMetersOfTheWaveform) {
    SimLinkRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    for (std::uint32_t step = 0; step < 3; ++step) {
        std::int32_t first = -1;
        std::int32_t second = -1;
        ASSERT_TRUE(rig.commands.PollLevels(first, second));
        EXPECT_EQ(first, SimulatedLevel(0, step));
        EXPECT_EQ(second, SimulatedLevel(1, step));
    }
}

TEST(EndToEndTest, FirstOfTwoDevicesWithTheSameIdsIsUsed) {
    SimLinkRig rig(kModelTorva);
    SimulatedDevice& second = rig.backend.AddDevice(kModelTorva, "sim:torva2");
    ASSERT_TRUE(rig.Open());
    EXPECT_EQ(rig.state.DevicePath(), "sim:torva");
    ASSERT_TRUE(rig.commands.SetMicGain(3));
    EXPECT_EQ(rig.device.DspValue(dsp::kMicGain1), 0x4Fu);
    EXPECT_TRUE(second.TakeReceived().empty());
    EXPECT_EQ(second.LiveOpenings(), 0);
}

}  // namespace
}  // namespace quavelo
