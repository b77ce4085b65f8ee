#include "device/PresetFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "device/CommandRig.h"
#include "support/SettingsByName.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using namespace test;

void Put32(PresetImage& image, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A model whose every stored field holds a different value, and run-time state that must not be
// stored.
void FillDistinct(DeviceParams& p) {
    p.ResetToInitialValues();
    for (int i = 0; i < kEqBands; ++i) {
        p.graphBands[i].freq = 1000 + i;
        p.graphBands[i].gain = 100 + i;
        p.graphBands[i].q = 30 + i;
        p.sliderBands[i].freq = 2000 + i;
        p.sliderBands[i].gain = 200 + i;
        p.sliderBands[i].q = 40 + i;
    }
    for (SharedInt* field : {&p.eqMode, &p.stereo, &p.kd4Lock, &p.kd4SwitchA, &p.kd4SwitchB}) {
        *field = 1;
    }
    p.monitorMicCut = 33;
    p.monitorPlaybackCut = 0;
    p.micGain = 41;
    p.gain2 = 42;
    p.hpfFreq = 2;
    p.limiterLevel = 3;
    p.meterLevel = 0x12345;
    p.deviceModel = kModelKd4;
    p.connected = 1;
}

TEST(PresetFileTest, FieldsSitAtTheirLittleEndianOffsets) {
    EXPECT_EQ(PresetFilePath("/data", 0), fs::path("/data/SAVE0.dat"));
    EXPECT_EQ(PresetFilePath("/data", 9), fs::path("/data/SAVE9.dat"));
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

// A model saved and recalled on its own page comes back as it was.
TEST(PresetFileTest, RecallGivesBackWhatWasSaved) {
    std::mt19937 random(5);
    for (int i = 0; i < 500; ++i) {
        for (const std::int32_t model : {kModelTorva, kModelKd4}) {
            DeviceParams saved;
            DeviceParams recalled;
            saved.ResetToInitialValues();
            recalled.ResetToInitialValues();
            Randomise(random, saved, model);
            recalled.deviceModel = model;
            const PresetFields fields = DecodePresetImage(BuildPresetImage(saved));
            (model == kModelKd4 ? ApplyPresetKd4 : ApplyPresetTorva)(fields, recalled);
            ASSERT_EQ(SettingsByName(recalled), SettingsByName(saved)) << "model " << model;
        }
    }
}

TEST(PresetFileTest, EachPageRecallsItsOwnFieldsOnly) {
    DeviceParams saved;
    FillDistinct(saved);
    const PresetFields fields = DecodePresetImage(BuildPresetImage(saved));
    DeviceParams torva;
    DeviceParams kd4;
    torva.ResetToInitialValues();
    kd4.ResetToInitialValues();
    ApplyPresetTorva(fields, torva);
    ApplyPresetKd4(fields, kd4);
    EXPECT_EQ((std::vector<int>{torva.stereo, torva.kd4Lock, torva.kd4SwitchA, torva.kd4SwitchB}),
              (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ((std::vector<int>{kd4.stereo, kd4.kd4Lock, kd4.kd4SwitchA, kd4.kd4SwitchB}),
              (std::vector<int>{0, 1, 1, 1}));
    for (const DeviceParams* p : {&torva, &kd4}) {
        EXPECT_EQ(p->graphBands[2].freq * 1000 + p->graphBands[2].gain, 1002102);
        EXPECT_EQ(p->graphBands[2].q, 20) << "Q is not recalled";
        EXPECT_EQ(p->sliderBands[2].freq, 1000) << "slider frequencies are fixed";
    }
}

TEST(PresetFileTest, RecallHoldsEveryValueInItsRange) {
    DeviceParams saved;
    saved.ResetToInitialValues();
    PresetImage image = BuildPresetImage(saved);
    // clang-format off
    const std::pair<std::size_t, std::int32_t> stored[] = {
        {preset::kMicGain, 60}, {preset::kGain2, -5}, {preset::kEqMode, 3}, {preset::kEqEnabled, -1},
        {preset::kLimiterLevel, 9}, {preset::kHpfFreq, 0}, {preset::kHpfOn, 2},
        {preset::kMonitorMicCut, 500}, {preset::kMonitorPlaybackCut, 0},
        {0, 0}, {24, 30000}, {52, -40}, {316, 0x7FFFFFFF}};  // band 1 freq, 2 freq, 3 gain, slider 4 gain
    // clang-format on
    for (const auto& [offset, value] : stored) Put32(image, offset, value);
    for (auto apply : {&ApplyPresetTorva, &ApplyPresetKd4}) {
        DeviceParams p;
        p.ResetToInitialValues();
        apply(DecodePresetImage(image), p);
        EXPECT_EQ((std::vector<int>{p.micGain, p.gain2, p.eqMode, p.eqEnabled, p.limiterLevel,
                                    p.hpfFreq, p.hpfOn, p.monitorMicCut}),
                  (std::vector<int>{47, 0, 1, 0, 3, 1, 1, 80}));
        EXPECT_EQ(p.graphBands[0].freq, 100) << "0 Hz becomes the band's default";
        EXPECT_EQ(p.graphBands[1].freq, 20000);
        EXPECT_EQ(p.graphBands[2].gain, 0);
        EXPECT_EQ(p.sliderBands[3].gain, 300);
    }
    PresetFields both;
    both.monitorMicCut = 10;
    both.monitorPlaybackCut = 20;
    ApplyPresetTorva(both, saved);
    EXPECT_EQ(saved.monitorMicCut * 100 + saved.monitorPlaybackCut, 20) << "the playback cut wins";
}

void WriteBytes(const fs::path& path, std::size_t count, std::uint8_t value) {
    std::ofstream(path, std::ios::binary) << std::string(count, static_cast<char>(value));
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

    WriteBytes(dir.Path() / "long", 800, 0x0C);
    EXPECT_EQ(DecodePresetImage(ReadPresetFile(dir.Path() / "long").image.value()).micGain,
              0x0C0C0C0C);
    WriteBytes(dir.Path() / "short", 707, 1);
    WriteBytes(dir.Path() / "empty", 0, 1);
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

// A save that cannot complete (the disk fills while writing; a folder stands in the slot's place)
// says why, leaves what the slot held as it was and leaves no temporary file behind. The write
// runs in a child whose file size limit stops it, as a full disk would.
TEST(PresetFileTest, AFailedSaveKeepsTheOldSlotAndLeavesNoTemporary) {
    TempDir dir;
    DeviceParams old;
    FillDistinct(old);
    const fs::path slot = dir.Path() / "SAVE5.dat";
    ASSERT_EQ(WritePresetFile(slot, BuildPresetImage(old)), "");
    const std::string before = ReadFile(slot);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string error = WritePresetFile(slot, PresetImage{});
        ::_exit(error.starts_with("cannot write: File too large") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save reports the write";
    EXPECT_EQ(ReadFile(slot), before);

    const fs::path taken = dir.Path() / "SAVE6.dat";
    fs::create_directories(taken / "kept");
    EXPECT_TRUE(WritePresetFile(taken, PresetImage{}).starts_with("cannot replace"));
    EXPECT_TRUE(fs::is_directory(taken / "kept"));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
    EXPECT_TRUE(
        WritePresetFile(dir.Path() / "absent" / "SAVE0.dat", {}).starts_with("cannot create"));
}

}  // namespace
}  // namespace quavelo
