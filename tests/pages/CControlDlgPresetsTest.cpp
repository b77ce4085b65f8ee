// The TORVA page's preset store: the slot buttons, Save, Read and the preview panel.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "pages/CControlDlg.h"
#include "pages/TorvaPageRig.h"
#include "support/SettingsByName.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using test::Sent;
using test::TorvaPageRig;

constexpr char kNoSlotChosen[] = "没有选择保存序号";
constexpr char kConfirmSave[] = "是否替换预设设置?";
constexpr char kConfirmRead[] = "是否调用预设设置?";
constexpr char kNotSaved[] = "没有保存";

int SlotButton(int slot) { return kIdFirstSlotButton + slot; }

// Settings unlike the initial ones in every recalled field.
void SetDistinct(DeviceParams& p) {
    p.eqEnabled = 0;
    p.eqMode = 1;
    p.stereo = 1;
    p.micGain = 30;
    p.gain2 = 12;
    p.monitorMicCut = 25;
    p.monitorPlaybackCut = 0;
    p.hpfOn = 0;
    p.hpfFreq = 2;
    p.limiterOn = 1;
    p.limiterLevel = 3;
    for (int i = 0; i < kEqBands; ++i) {
        p.sliderBands[i].gain = 100 + 10 * i;
        p.graphBands[i].gain = 200 - 10 * i;
        p.graphBands[i].freq = 300 + 1000 * i;
    }
}

// ---- slots and files ----

struct SlotFileCase {
    int slot;
    const char* file;
};

class CControlDlgSlotFileTest : public testing::TestWithParam<SlotFileCase> {};

TEST_P(CControlDlgSlotFileTest, SlotButtonSavesToAndReadsFromItsFile) {
    TorvaPageRig rig;
    const int slot = GetParam().slot;
    rig.Click(SlotButton(slot));
    EXPECT_EQ(rig.page.SelectedSlot(), slot);
    for (int k = 0; k < kPresetSlots; ++k) {
        EXPECT_EQ(rig.Control<PngButton>(SlotButton(k))->Checked(), k == slot ? 1 : 0) << k;
    }

    SetDistinct(rig.params);
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.Click(kIdSaveButton);
    const fs::path file = rig.dataDir.Path() / GetParam().file;
    ASSERT_TRUE(fs::exists(file));
    const PresetImage image = BuildPresetImage(rig.params);
    EXPECT_EQ(test::ReadFile(file), std::string(image.begin(), image.end()));
    EXPECT_EQ(rig.Text(1069), QStringLiteral("23dB,9dB")) << "the preview follows the save";

    // Read while disconnected: the model and the page take the slot, nothing is sent.
    rig.params.ResetToInitialValues();
    rig.page.RefreshFromParams();
    rig.Click(kIdReadButton);
    EXPECT_EQ(rig.params.micGain, 30);
    EXPECT_EQ(rig.Control<CBitmapSlider>(CControlDlg::kIdMicGainSlider)->GetPos(), 30);
    EXPECT_TRUE(rig.Visible(EqEditor::kIdGraph)) << "the recalled view";
    EXPECT_TRUE(rig.Visible(CControlDlg::kIdMeterLeft)) << "stereo";
    EXPECT_EQ(Sent(rig.trace), (std::vector<std::string>{"C " + std::string(kConfirmSave),
                                                         "C " + std::string(kConfirmRead)}));
}

INSTANTIATE_TEST_SUITE_P(Table, CControlDlgSlotFileTest,
                         testing::Values(SlotFileCase{0, "SAVE0.dat"},
                                         SlotFileCase{9, "SAVE9.dat"}),
                         [](const auto& info) {
                             return "Button" + std::to_string(info.param.slot + 1);
                         });

TEST(CControlDlgPresetTest, SaveThenReadChangesNothingAndSendsTheWholeRecall) {
    TorvaPageRig rig;
    SetDistinct(rig.params);
    rig.page.RefreshFromParams();
    rig.Connect();
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.Click(SlotButton(4));
    rig.Click(kIdSaveButton);
    EXPECT_EQ(Sent(rig.trace), (std::vector<std::string>{"C " + std::string(kConfirmSave)}))
        << "saving sends nothing";
    rig.params.graphBands[1].q = 9;  // Q is not recalled: the model's stays
    const auto before = test::SettingsByName(rig.params);

    rig.trace.Clear();
    rig.Click(kIdReadButton);
    EXPECT_EQ(test::SettingsByName(rig.params), before);
    std::vector<std::string> sent = Sent(rig.trace);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "C " + std::string(kConfirmRead));
    sent.erase(sent.begin());

    rig.trace.Clear();
    DeviceCommands& c = rig.commands;
    c.StoreSettings();
    for (int band = 1; band <= kEqBands; ++band) c.SetGraphBandFlat(band);
    c.SetMicGain(30);
    c.SetGain2(12);
    c.SetHighPass(0, 2);
    c.SetLimiter(1, 3);
    c.SetStereo(1);
    c.SetMonitorMicCut(25);
    c.SetMonitorPlaybackCut(0);
    EXPECT_EQ(sent, Sent(rig.trace));
    EXPECT_TRUE(rig.prompt.Infos().empty());
}

TEST(CControlDlgPresetTest, AFailedRecallSendSaysSoAndStops) {
    TorvaPageRig rig;
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.Click(SlotButton(1));
    rig.Click(kIdSaveButton);
    rig.Connect();
    rig.link.FailWritesFrom(3);
    rig.Click(kIdReadButton);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"发送失败"});
    EXPECT_EQ(rig.link.WriteAttempts(), 3);
}

// ---- what stops a Save or a Read ----

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

class CControlDlgPresetStopTest : public testing::TestWithParam<StopCase> {};

TEST_P(CControlDlgPresetStopTest, TouchesNoFileAndNoSetting) {
    const StopCase& c = GetParam();
    TorvaPageRig rig;
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
    if (c.slot != kNoSlot) rig.Click(SlotButton(c.slot));
    rig.Connect();
    rig.prompt.SetDefaultConfirmAnswer(c.answer);
    const auto before = test::SettingsByName(rig.params);

    rig.link.FailWritesFrom(1);  // any send would show
    rig.Click(c.button);
    EXPECT_EQ(rig.prompt.Confirms(), c.confirms);
    EXPECT_EQ(rig.prompt.Infos(), c.infos);
    EXPECT_EQ(test::SettingsByName(rig.params), before);
    EXPECT_EQ(test::ReadFile(file), fileBefore);
    EXPECT_EQ(rig.link.WriteAttempts(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CControlDlgPresetStopTest,
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

TEST(CControlDlgPresetTest, FailedSaveNamesTheFileAndTheReason) {
    TorvaPageRig rig;
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.params.micGain = 47;
    rig.Click(SlotButton(0));
    rig.Click(kIdSaveButton);
    ASSERT_EQ(rig.Text(1069), QStringLiteral("35dB,0dB"));

    // The preset folder has become a plain file: no slot can be written there.
    const fs::path notAFolder = rig.dataDir.Path() / "not-a-folder";
    std::ofstream(notAFolder) << 'x';
    rig.context.dataDirectory = notAFolder;
    rig.Click(kIdSaveButton);
    const std::string expected =
        PresetFilePath(notAFolder, 0).string() + ": cannot create: Not a directory";
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{expected});
    EXPECT_EQ(rig.Text(1069), QStringLiteral("35dB,0dB")) << "the preview is not redone";
}

// ---- the preview ----

TEST(CControlDlgPresetTest, PreviewShowsTheFileAsStored) {
    TorvaPageRig rig;
    DeviceParams stored;
    stored.ResetToInitialValues();
    stored.limiterOn = 1;
    stored.limiterLevel = 3;
    stored.hpfOn = 1;
    stored.hpfFreq = 2;
    stored.micGain = 47;
    stored.gain2 = 3;
    stored.monitorMicCut = 12;
    stored.monitorPlaybackCut = 0;
    stored.eqMode = 0;
    stored.sliderBands[1].gain = 145;
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 7), BuildPresetImage(stored)), "");

    rig.Click(SlotButton(7));
    const std::vector<std::pair<int, const char*>> values{
        {1069, "35dB,2dB"}, {1071, "MONO"},  {1073, "-30B"}, {1075, "150Hz"},
        {1078, "-12dB"},    {1080, "0dB"},   {1082, "PEG"},  {1083, "100Hz"},
        {1084, "0dB"},      {1085, "250Hz"}, {1086, "-1dB"}, {1091, "10000Hz"}};
    for (const auto& [id, text] : values) EXPECT_EQ(rig.Text(id), QString::fromUtf8(text)) << id;

    // An empty slot empties the panel.
    rig.Click(SlotButton(8));
    for (const auto& [id, text] : values) EXPECT_EQ(rig.Text(id), QString()) << id;
    EXPECT_EQ(rig.Text(1068), QStringLiteral("Gain")) << "the names stay";
}

}  // namespace
}  // namespace quavelo
