#include "device/PresetFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include "device/CommandRig.h"
#include "device/PresetPreview.h"
#include "support/ParamsInRange.h"
#include "support/SettingsByName.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using namespace test;

void Put32(PresetImage& image, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A model whose every stored field holds a different value, and run-time state not stored.
void FillDistinct(DeviceParams& p) {
    p.ResetToInitialValues();
    for (int i = 0; i < kEqBands; ++i) {
        // clang-format off
        Set({{&p.graphBands[i].freq, 1000 + i}, {&p.graphBands[i].gain, 100 + i},
             {&p.graphBands[i].q, 30 + i}, {&p.sliderBands[i].freq, 2000 + i},
             {&p.sliderBands[i].gain, 200 + i}, {&p.sliderBands[i].q, 40 + i}});
    }
    Set({{&p.eqMode, 1}, {&p.stereo, 1}, {&p.kd4Lock, 1}, {&p.kd4Mute, 1}, {&p.kd4Indicator, 1},
         {&p.monitorMicCut, 33}, {&p.monitorPlaybackCut, 0}, {&p.micGain, 41}, {&p.gain2, 42},
         {&p.hpfFreq, 2}, {&p.limiterLevel, 3}, {&p.meterLevel, 7}});
    // clang-format on
    p.deviceModel = Model::Kd4;
    p.connected = 1;
}

TEST(PresetFileTest, FieldsSitAtTheirLittleEndianOffsets) {
    DeviceParams p;
    FillDistinct(p);
    PresetImage expected{};
    // clang-format off
    const std::pair<std::size_t, std::int32_t> fields[] = {
        {0, 1000}, {4, 100}, {8, 30}, {24, 1001}, {28, 101}, {32, 31}, {48, 1002}, {52, 102},
        {56, 32}, {72, 1003}, {76, 103}, {80, 33}, {96, 1004}, {100, 104}, {104, 34},
        {240, 2000}, {244, 200}, {248, 40}, {264, 2001}, {268, 201}, {272, 41}, {288, 2002},
        {292, 202}, {296, 42}, {312, 2003}, {316, 203}, {320, 43}, {336, 2004}, {340, 204},
        {344, 44}, {480, 1}, {484, 1}, {488, 1}, {492, 1}, {496, 1}, {532, 33}, {536, 0},
        {540, 41}, {544, 42}, {548, 2}, {552, 1}, {556, 1}, {560, 3}, {564, 1}};
    // clang-format on
    for (const auto& [offset, value] : fields) Put32(expected, offset, value);
    EXPECT_EQ(BuildPresetImage(p), expected) << "every other byte is 0";
}

// A preset saved and recalled on one page gives back every setting that page recalls, while Q,
// the slider frequencies and the other model's switches (or stereo) keep what the model held.
// Whatever a file holds, a recall leaves every field in range, with at most one monitor cut set.
TEST(PresetFileTest, RecallGivesBackWhatItsPageRecallsAndStaysInRange) {
    std::mt19937 random(5);
    std::uniform_int_distribution<std::int32_t> any(-400, 400);
    for (int i = 0; i < 500; ++i) {
        for (const Model model : kModels) {
            const ModelProfile& profile = ProfileOf(model);
            const auto recall = [&profile](const PresetFields& f, DeviceParams& p) {
                ApplyPreset(f, p, profile);
            };
            DeviceParams saved;
            DeviceParams recalled;
            FillDistinct(saved);
            Randomise(random, saved, model);
            recalled.ResetToInitialValues();
            recalled.deviceModel = model;
            recall(DecodePresetImage(BuildPresetImage(saved)), recalled);
            ASSERT_EQ(CheckPresetImage(BuildPresetImage(saved)), "") << "an import takes it";
            const std::string kept = std::string(profile.hasStereo ? "" : " stereo ") +
                                     (profile.hasLock ? "" : " kd4Lock kd4Mute kd4Indicator ");
            std::map<std::string, int> expected = SettingsByName(saved);
            for (const auto& [name, value] : SettingsByName(recalled)) {
                if (name.ends_with(".q") ||
                    (name.starts_with("slider") && name.ends_with(".freq")) ||
                    kept.find(" " + name + " ") != std::string::npos) {
                    expected[name] = value;
                }
            }
            ASSERT_EQ(SettingsByName(recalled), expected) << profile.name;

            PresetImage garbage{};
            for (std::size_t at = 0; at < garbage.size(); at += 4) Put32(garbage, at, any(random));
            recall(DecodePresetImage(garbage), recalled);
            ASSERT_EQ(FieldsOutOfRange(recalled), std::vector<std::string>{});
        }
    }
}

TEST(PresetPreviewTest, ShowsTheValuesAsStored) {
    PresetFields f;
    for (int i = 0; i < kEqBands; ++i) f.graphBands[i] = {kDefaultBandFreq[i] + 1, 145};
    f.micGain = 20;
    f.gain2 = 3;
    f.eqMode = 1;
    f.limiterOn = f.hpfOn = f.limiterLevel = 1;
    f.hpfFreq = 3;
    f.monitorPlaybackCut = INT_MIN;
    f.kd4Lock = f.kd4Indicator = 1;
    const PresetPreview t = MakePresetPreview(ProfileOf(Model::Torva), f);
    const PresetPreview k = MakePresetPreview(ProfileOf(Model::Kd4), f);
    EXPECT_EQ(t.values, (std::vector<std::string>{"15dB,2dB", "MONO", "-10dB", "", "0dB",
                                                  "2147483648dB", "GEG"}));
    EXPECT_EQ(t.bandFreq[1] + " " + t.bandGain[1], "251Hz -1dB");
    EXPECT_EQ(k.values, (std::vector<std::string>{"15dB", "-10dB", "", "-77dB", "ON", "OFF", "ON",
                                                  "", "0dB", "2147483648dB", "GEG"}));
    f.limiterLevel = 3;
    f.hpfOn = 0;
    f.eqMode = 7;
    const PresetPreview other = MakePresetPreview(ProfileOf(Model::Torva), f);
    EXPECT_EQ(other.values[2] + "|" + other.values[3] + "|" + other.values[6] + other.bandFreq[0],
              "-30B|Close|");
}

// An imported file must hold in every recalled field what a writer of presets stores; fields a
// recall does not read are not looked at.
TEST(PresetFileTest, AnImportHoldsEveryRecalledFieldInLine) {
    DeviceParams p;
    FillDistinct(p);
    const PresetImage good = BuildPresetImage(p);
    EXPECT_EQ(CheckPresetImage(PresetImage{}), "") << "a model never given a value";
    const std::size_t band5 = 4 * preset::kBandRecordSize;
    // clang-format off
    const std::tuple<std::size_t, std::int32_t, const char*> faults[] = {
        {preset::kEqEnabled, 2, "eqEnabled is 2 (a preset holds 0..1)"},
        {preset::kKd4Indicator, -1, "kd4Indicator is -1"},
        {preset::kMicGain, 48, "micGain is 48 (a preset holds 0..47)"},
        {preset::kGain2, 81, "gain2 is 81"}, {preset::kMonitorPlaybackCut, 81, "monitorPlayback"},
        {preset::kHpfFreq, 3, "hpfFreq"}, {preset::kLimiterLevel, 4, "limiterLevel"},
        {preset::kSliderBands + band5 + preset::kBandGain, 301, "a slider band gain is 301"},
        {preset::kGraphBands + preset::kBandGain, -1, "a graph band gain is -1"},
        {preset::kGraphBands + band5 + preset::kBandFreq, 20001, "frequency is 20001"},
        {preset::kGraphBands + preset::kBandFreq, 19, "a graph band frequency is 19"}};
    // clang-format on
    for (const auto& [offset, value, says] : faults) {
        PresetImage image = good;
        Put32(image, offset, value);
        EXPECT_NE(CheckPresetImage(image).find(says), std::string::npos) << says;
    }
    PresetImage unread = good;
    for (std::size_t at : {std::size_t{600}, preset::kGraphBands + preset::kBandQ,
                           preset::kSliderBands + preset::kBandFreq,
                           preset::kGraphBands + 5 * preset::kBandRecordSize + preset::kBandGain})
        Put32(unread, at, -7);
    Put32(unread, preset::kGraphBands + preset::kBandFreq, 0);
    EXPECT_EQ(CheckPresetImage(unread), "") << "unread fields, and 0 Hz for the band's default";
}

std::size_t FilesIn(const fs::path& dir) {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST(PresetFileTest, ReadsAWholeImageAndRefusesLessWithTheReason) {
    TempDir dir;
    const fs::path slot = PresetFilePath(dir.Path(), 3);
    DeviceParams p;
    FillDistinct(p);
    ASSERT_EQ(WritePresetFile(slot, BuildPresetImage(p)), "");
    fs::permissions(slot, fs::perms::owner_read);
    const PresetReadResult read = ReadPresetFile(slot);
    EXPECT_EQ(read.image, BuildPresetImage(p)) << "a read-only slot is recalled: " << read.error;
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << "no temporary file is left behind";

    std::ofstream(dir.Path() / "long") << std::string(800, '\x0C');
    std::ofstream(dir.Path() / "short") << std::string(707, '\x01');
    std::ofstream(dir.Path() / "empty").flush();
    EXPECT_EQ(DecodePresetImage(ReadPresetFile(dir.Path() / "long").image.value()).micGain,
              0x0C0C0C0C);
    EXPECT_NE(ReadPresetToImport(dir.Path() / "long").error.find("800 bytes, not 708"),
              std::string::npos)
        << "an import takes exactly a preset's size";
    // clang-format off
    const std::pair<fs::path, const char*> refused[] = {{dir.Path() / "absent", "cannot open"},
        {dir.Path() / "short", "707 bytes"}, {dir.Path() / "empty", "0 bytes"},
        {dir.Path(), "cannot read"}};
    // clang-format on
    for (const auto& [path, reason] : refused) {
        const PresetReadResult result = ReadPresetFile(path);
        EXPECT_FALSE(result.image) << path;
        EXPECT_NE(result.error.find(reason), std::string::npos) << result.error;
    }
}

// A save that cannot complete (the disk fills while writing; a folder stands in the slot's place;
// the folder is missing) says why, leaves what the slot held as it was and leaves no temporary
// file behind. The write runs in a child whose file size limit stops it, as a full disk would.
TEST(PresetFileTest, AFailedSaveKeepsTheOldSlotAndLeavesNoTemporary) {
    TempDir dir;
    const fs::path slot = dir.Path() / "SAVE5.dat";
    DeviceParams old;
    FillDistinct(old);
    ASSERT_EQ(WritePresetFile(slot, BuildPresetImage(old)), "");
    const std::string before = ReadFile(slot);
    std::fflush(nullptr);  // the child must not write out the parent's buffered output
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(WritePresetFile(slot, {}).starts_with("cannot write: File too large") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save reports the write";
    EXPECT_EQ(ReadFile(slot), before);

    const fs::path taken = dir.Path() / "SAVE6.dat";
    fs::create_directories(taken / "kept");
    EXPECT_TRUE(WritePresetFile(taken, {}).starts_with("cannot replace"));
    EXPECT_TRUE(fs::is_directory(taken / "kept"));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
    EXPECT_TRUE(
        WritePresetFile(dir.Path() / "absent" / "SAVE0.dat", {}).starts_with("cannot create"));
}

}  // namespace
}  // namespace quavelo
