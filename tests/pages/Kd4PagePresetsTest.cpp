// The KD4 page's preset store: slots, Save, Read with its recall job, and the preview table.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/ControlSends.h"
#include "pages/Kd4PageRig.h"
#include "support/SettingsByName.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using test::Kd4PageRig;

constexpr char kNoSlotChosen[] = "Dont select the saving sequence number";
constexpr char kConfirmSave[] = "Do you replace preset settings?";
constexpr char kConfirmRead[] = "Do you recall preset settings?";
constexpr char kNotSaved[] = "没有保存";

int SlotButton(int slot) { return kIdFirstSlotButton + slot; }

// Settings unlike the initial ones in every field a recall applies.
void SetDistinct(DeviceParams& p) {
    p.eqEnabled = 0;
    p.eqMode = 1;
    p.micGain = 30;
    p.gain2 = 70;
    p.monitorMicCut = 25;
    p.monitorPlaybackCut = 0;
    p.hpfOn = 0;
    p.hpfFreq = 2;
    p.limiterOn = 1;
    p.limiterLevel = 3;
    p.kd4SwitchA = 1;
    p.kd4SwitchB = 1;
    for (int i = 0; i < kEqBands; ++i) {
        p.sliderBands[i].gain = 100 + 10 * i;
        p.graphBands[i].gain = 200 - 10 * i;
        p.graphBands[i].freq = 300 + 1000 * i;
    }
}

struct SlotFileCase {
    int slot;
    const char* file;
};

class Kd4SlotFileTest : public testing::TestWithParam<SlotFileCase> {};

TEST_P(Kd4SlotFileTest, SlotButtonSavesToAndReadsFromItsFile) {
    Kd4PageRig rig;
    const int slot = GetParam().slot;
    rig.hands.Click(SlotButton(slot));
    EXPECT_EQ(rig.page.SelectedSlot(), slot);
    for (int k = 0; k < kPresetSlots; ++k) {
        EXPECT_EQ(rig.hands.Checked(SlotButton(k)), k == slot ? 1 : 0) << k;
    }
    SetDistinct(rig.params);
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.hands.Click(kIdSaveButton);
    const fs::path file = rig.dataDir.Path() / GetParam().file;
    const PresetImage image = BuildPresetImage(rig.params);
    EXPECT_EQ(test::ReadFile(file), std::string(image.begin(), image.end()));
    EXPECT_EQ(rig.hands.Text(1069), QStringLiteral("23dB")) << "the preview follows the save";

    // Read while disconnected: the model and the page take the slot, nothing is sent.
    const auto saved = test::SettingsByName(rig.params);
    rig.params.ResetToInitialValues();
    rig.params.stereo = 1;  // a TORVA setting: the KD4 recall leaves it
    rig.page.RefreshFromParams();
    rig.hands.Click(kIdReadButton);
    auto expected = saved;
    expected["stereo"] = 1;
    EXPECT_EQ(test::SettingsByName(rig.params), expected);
    EXPECT_EQ(rig.hands.Position(CKd4Dlg::kIdMicGainSlider), 30);
    EXPECT_EQ(rig.hands.Checked(CKd4Dlg::kIdMuteSwitch), 1);
    EXPECT_TRUE(rig.hands.Visible(EqEditor::kIdGraph)) << "the recalled view";
    EXPECT_EQ(rig.TakeSent(), (std::vector<std::string>{"C " + std::string(kConfirmSave),
                                                        "C " + std::string(kConfirmRead)}));
}

INSTANTIATE_TEST_SUITE_P(Table, Kd4SlotFileTest,
                         testing::Values(SlotFileCase{0, "SAVE0.dat"},
                                         SlotFileCase{9, "SAVE9.dat"}),
                         [](const auto& info) {
                             return "Button" + std::to_string(info.param.slot + 1);
                         });

TEST(Kd4PagePresetTest, ReadRecallsInOrderAndSendsTheRecallJob) {
    Kd4PageRig rig;
    DeviceParams stored;
    stored.ResetToInitialValues();
    SetDistinct(stored);
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 2), BuildPresetImage(stored)), "");
    rig.Connect();
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.hands.Click(SlotButton(2));
    rig.hands.Click(kIdReadButton);
    std::vector<std::string> sent = rig.TakeSent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "C " + std::string(kConfirmRead));
    sent.erase(sent.begin());

    const std::vector<std::string> expected = [&] {
        rig.sleeper.SleepFor(std::chrono::milliseconds(20));
        DeviceCommands& c = rig.commands;
        c.StoreSettingsKd4();
        for (int band = 1; band <= kEqBands; ++band) c.SetGraphBandFlatKd4(band);
        c.SetMicGainKd4(30);
        c.SetGain2Kd4(70);
        c.SetHighPassKd4(0, 2);
        c.SetLimiterKd4(1, 3);
        c.SetMonitorMicCutKd4(25);
        c.SetMonitorPlaybackCutKd4(0);
        return rig.TakeSent();
    }();
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(rig.prompt.Infos().empty());
}

TEST(Kd4PagePresetTest, AFailedBandInTheRecallSaysSoOnceAndStops) {
    Kd4PageRig rig;
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.hands.Click(SlotButton(1));
    rig.hands.Click(kIdSaveButton);
    rig.Connect();
    rig.link.FailWritesFrom(3);  // the settings go, the first band fails
    rig.hands.Click(kIdReadButton);
    rig.TakeSent();
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"发送失败"});
    EXPECT_EQ(rig.link.WriteAttempts(), 3);
    EXPECT_EQ(rig.params.commandBusy, 0);
}

TEST(Kd4PagePresetTest, ALockedPresetLocksThePage) {
    Kd4PageRig rig;
    DeviceParams stored;
    stored.ResetToInitialValues();
    stored.kd4Lock = 1;
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 0), BuildPresetImage(stored)), "");
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.hands.Click(SlotButton(0));
    rig.hands.Click(kIdReadButton);
    EXPECT_EQ(rig.params.kd4Lock, 1);
    EXPECT_TRUE(rig.hands.Visible(CKd4Dlg::kIdLockOverlay));
    EXPECT_EQ(rig.hands.Checked(CKd4Dlg::kIdLockSwitch), 1);
    EXPECT_FALSE(rig.hands.Enabled(kIdReadButton));
    EXPECT_TRUE(rig.hands.Enabled(SlotButton(3)));
}

TEST(Kd4PagePresetTest, ReadWhileBusySaysPleaseWait) {
    Kd4PageRig rig;
    rig.hands.Click(SlotButton(0));
    rig.params.commandBusy = 1;
    rig.hands.Click(kIdReadButton);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"Please Wait"});
    EXPECT_TRUE(rig.prompt.Confirms().empty());
    rig.params.commandBusy = 0;
}

struct StopCase {
    const char* name;
    int slot;              // kNoSlot: none picked
    std::size_t fileSize;  // 0: no file
    int button;
    bool answer;
    std::vector<std::string> confirms;
    std::vector<std::string> infos;
};

void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

class Kd4PresetStopTest : public testing::TestWithParam<StopCase> {};

TEST_P(Kd4PresetStopTest, TouchesNoFileAndNoSetting) {
    const StopCase& c = GetParam();
    Kd4PageRig rig;
    const fs::path file = PresetFilePath(rig.dataDir.Path(), 3);
    if (c.fileSize != 0) {
        DeviceParams other;
        other.ResetToInitialValues();
        other.micGain = 40;
        const PresetImage image = BuildPresetImage(other);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(c.fileSize));
    }
    const std::string fileBefore = test::ReadFile(file);
    if (c.slot != kNoSlot) rig.hands.Click(SlotButton(c.slot));
    rig.Connect();
    rig.prompt.SetDefaultConfirmAnswer(c.answer);
    const auto before = test::SettingsByName(rig.params);
    rig.hands.Click(c.button);
    rig.sendWorker.WaitIdle();
    EXPECT_EQ(rig.prompt.Confirms(), c.confirms);
    EXPECT_EQ(rig.prompt.Infos(), c.infos);
    EXPECT_EQ(test::SettingsByName(rig.params), before);
    EXPECT_EQ(test::ReadFile(file), fileBefore);
    EXPECT_TRUE(rig.link.Written().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Kd4PresetStopTest,
    testing::Values(
        StopCase{
            "SaveWithoutSlot", kNoSlot, kPresetFileSize, kIdSaveButton, true, {}, {kNoSlotChosen}},
        StopCase{
            "ReadWithoutSlot", kNoSlot, kPresetFileSize, kIdReadButton, true, {}, {kNoSlotChosen}},
        StopCase{"SaveCancelled", 3, kPresetFileSize, kIdSaveButton, false, {kConfirmSave}, {}},
        StopCase{"ReadCancelled", 3, kPresetFileSize, kIdReadButton, false, {kConfirmRead}, {}},
        StopCase{"ReadOfAnEmptySlot", 3, 0, kIdReadButton, true, {kConfirmRead}, {kNotSaved}},
        StopCase{"ReadOfAShortFile",
                 3,
                 kPresetFileSize - 1,
                 kIdReadButton,
                 true,
                 {kConfirmRead},
                 {kNotSaved}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Kd4PagePresetTest, PreviewShowsTheFileAsStoredRowByRow) {
    Kd4PageRig rig;
    DeviceParams stored;
    stored.ResetToInitialValues();
    stored.limiterOn = 1;
    stored.limiterLevel = 0;  // no text for an unknown level
    stored.hpfOn = 1;
    stored.hpfFreq = 2;
    stored.micGain = 47;
    stored.gain2 = 3;
    stored.kd4Lock = 1;
    stored.kd4SwitchA = 0;
    stored.kd4SwitchB = 0;
    stored.monitorMicCut = 12;
    stored.monitorPlaybackCut = 0;
    stored.eqMode = 0;
    stored.sliderBands[0].gain = 155;
    stored.sliderBands[1].gain = 145;
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 7), BuildPresetImage(stored)), "");

    rig.hands.Click(SlotButton(7));
    // Value labels 1069..1093, then 1102..1106 for the last band rows.
    const std::vector<std::pair<int, const char*>> values{
        {1069, "35dB"},  {1071, ""},       {1073, "150Hz"},   {1075, "-77dB"}, {1077, "ON"},
        {1079, "OFF"},   {1081, "OFF"},    {1084, "-12dB"},   {1086, "0dB"},   {1088, "PEG"},
        {1089, "100Hz"}, {1090, "0dB"},    {1091, "250Hz"},   {1092, "-1dB"},  {1093, "1000Hz"},
        {1102, "0dB"},   {1103, "4000Hz"}, {1105, "10000Hz"}, {1106, "0dB"}};
    for (const auto& [id, text] : values)
        EXPECT_EQ(rig.hands.Text(id), QString::fromUtf8(text)) << id;
    EXPECT_EQ(rig.hands.Text(1076), QStringLiteral("LOCKED"));
    EXPECT_EQ(rig.hands.Text(1077), QStringLiteral("ON")) << "LOCKED shows the padlock";
    EXPECT_EQ(rig.hands.Text(1081), QStringLiteral("OFF")) << "INDICATOR shows its switch";
    EXPECT_EQ(rig.hands.Control(1077)->geometry(), QRect(880, 74, 100, 14));

    // An empty slot empties the values and keeps the captions.
    rig.hands.Click(SlotButton(8));
    for (const auto& [id, text] : values) EXPECT_EQ(rig.hands.Text(id), QString()) << id;
    EXPECT_EQ(rig.hands.Text(1068), QStringLiteral("Gain"));
}

}  // namespace
}  // namespace quavelo
