#include "device/PresetFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/TempDir.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::int32_t LittleEndianAt(const PresetImage& image, std::size_t offset) {
    return static_cast<std::int32_t>(image[offset] | image[offset + 1] << 8 |
                                     image[offset + 2] << 16 |
                                     static_cast<std::uint32_t>(image[offset + 3]) << 24);
}

// A model whose every stored field holds a different value, so a field written at the wrong
// offset shows.
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
    p.eqEnabled = 1;
    p.eqMode = 1;
    p.stereo = 1;
    p.kd4Lock = 1;
    p.kd4SwitchA = 1;
    p.monitorMicCut = 33;
    p.monitorPlaybackCut = 0;
    p.micGain = 41;
    p.gain2 = 42;
    p.hpfFreq = 2;
    p.hpfOn = 1;
    p.kd4SwitchB = 1;
    p.limiterLevel = 3;
    p.limiterOn = 1;
    p.meterLevel = 0x12345;  // run-time state: never written
    p.deviceModel = kModelKd4;
    p.connected = 1;
}

TEST(PresetFileTest, SlotFileNames) {
    EXPECT_EQ(PresetFilePath("/data", 0), fs::path("/data/SAVE0.dat"));
    EXPECT_EQ(PresetFilePath("/data", 9), fs::path("/data/SAVE9.dat"));
}

TEST(PresetFileTest, FieldsSitAtTheirOffsets) {
    DeviceParams p;
    FillDistinct(p);
    const PresetImage image = BuildPresetImage(p);
    struct Expected {
        std::size_t offset;
        std::int32_t value;
    };
    // clang-format off
    const Expected fields[] = {
        {0, 1000}, {4, 100}, {8, 30}, {20, 0}, {24, 1001}, {28, 101}, {96, 1004}, {100, 104},
        {240, 2000}, {244, 200}, {248, 40}, {336, 2004}, {340, 204},
        {480, 1}, {484, 1}, {488, 1}, {492, 1}, {496, 1}, {532, 33}, {536, 0}, {540, 41},
        {544, 42}, {548, 2}, {552, 1}, {556, 1}, {560, 3}, {564, 1}};
    // clang-format on
    for (const auto& [offset, value] : fields) {
        EXPECT_EQ(LittleEndianAt(image, offset), value) << "offset " << offset;
    }
    const auto zeroFrom = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) EXPECT_EQ(image[i], 0) << "byte " << i;
    };
    zeroFrom(500, 532);  // unused
    zeroFrom(568, 708);  // run-time state of the link: meter level, flags, model, connected
    zeroFrom(12, 20);    // the unused words of a band record
    zeroFrom(120, 240);  // unused band records 5..9 of a reset model
}

TEST(PresetFileTest, DecodeReadsBackWhatWasBuilt) {
    DeviceParams p;
    FillDistinct(p);
    const PresetFields f = DecodePresetImage(BuildPresetImage(p));
    EXPECT_EQ(f.graphBands[3].freq, 1003);
    EXPECT_EQ(f.graphBands[3].gain, 103);
    EXPECT_EQ(f.sliderBands[4].freq, 2004);
    EXPECT_EQ(f.sliderBands[4].gain, 204);
    EXPECT_EQ(f.micGain, 41);
    EXPECT_EQ(f.gain2, 42);
    EXPECT_EQ(f.limiterLevel, 3);
    EXPECT_EQ(f.kd4SwitchB, 1);
    EXPECT_EQ(f.monitorMicCut, 33);
}

TEST(PresetApplyTest, TorvaTakesItsFieldsAndLeavesTheRest) {
    DeviceParams saved;
    FillDistinct(saved);
    saved.kd4Lock = 1;
    const PresetFields f = DecodePresetImage(BuildPresetImage(saved));

    DeviceParams p;
    p.ResetToInitialValues();
    ApplyPresetTorva(f, p);
    EXPECT_EQ(p.graphBands[2].freq, 1002);
    EXPECT_EQ(p.graphBands[2].gain, 102);
    EXPECT_EQ(p.graphBands[2].q, 20) << "Q is not recalled";
    EXPECT_EQ(p.sliderBands[2].gain, 202);
    EXPECT_EQ(p.sliderBands[2].freq, 1000) << "slider frequencies are fixed";
    EXPECT_EQ(p.stereo, 1);
    EXPECT_EQ(p.kd4Lock, 0) << "the TORVA page does not recall the KD4 switches";
    EXPECT_EQ(p.kd4SwitchA, 0);
    EXPECT_EQ(p.kd4SwitchB, 0);
    EXPECT_EQ(p.micGain, 41);
    EXPECT_EQ(p.gain2, 42);
    EXPECT_EQ(p.monitorMicCut, 33);
    EXPECT_EQ(p.hpfFreq, 2);
    EXPECT_EQ(p.limiterLevel, 3);
    EXPECT_EQ(p.eqMode, 1);
}

TEST(PresetApplyTest, Kd4TakesTheSwitchesButNotStereo) {
    DeviceParams saved;
    FillDistinct(saved);
    saved.gain2 = 80;
    const PresetFields f = DecodePresetImage(BuildPresetImage(saved));

    DeviceParams p;
    p.ResetToInitialValues();
    ApplyPresetKd4(f, p);
    EXPECT_EQ(p.stereo, 0);
    EXPECT_EQ(p.kd4Lock, 1);
    EXPECT_EQ(p.kd4SwitchA, 1);
    EXPECT_EQ(p.kd4SwitchB, 1);
    EXPECT_EQ(p.gain2, 80) << "the KD4 monitor level runs to 80";
    EXPECT_EQ(p.graphBands[0].q, 20);

    DeviceParams torva;
    torva.ResetToInitialValues();
    ApplyPresetTorva(f, torva);
    EXPECT_EQ(torva.gain2, 47) << "a KD4 monitor level read on the TORVA side is a gain step";
}

TEST(PresetApplyTest, OutOfRangeFieldsAreClamped) {
    DeviceParams saved;
    saved.ResetToInitialValues();
    PresetImage image = BuildPresetImage(saved);
    const auto put = [&](std::size_t offset, std::int32_t value) {
        for (int i = 0; i < 4; ++i) {
            image[offset + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
        }
    };
    put(preset::kMicGain, 60);
    put(preset::kGain2, -5);
    put(preset::kEqMode, 3);
    put(preset::kEqEnabled, -1);
    put(preset::kLimiterLevel, 9);
    put(preset::kHpfFreq, 0);
    put(preset::kHpfOn, 2);
    put(preset::kMonitorMicCut, 500);
    put(preset::kMonitorPlaybackCut, 0);
    put(preset::kGraphBands + preset::kBandFreq, 0);                 // band 1
    put(preset::kGraphBands + 24 + preset::kBandFreq, 30000);        // band 2
    put(preset::kGraphBands + 48 + preset::kBandGain, -40);          // band 3
    put(preset::kSliderBands + 72 + preset::kBandGain, 0x7FFFFFFF);  // band 4
    for (auto apply : {&ApplyPresetTorva, &ApplyPresetKd4}) {
        DeviceParams p;
        p.ResetToInitialValues();
        apply(DecodePresetImage(image), p);
        EXPECT_EQ(p.micGain, 47);
        EXPECT_EQ(p.gain2, 0);
        EXPECT_EQ(p.eqMode, 1);
        EXPECT_EQ(p.eqEnabled, 0);
        EXPECT_EQ(p.limiterLevel, 3);
        EXPECT_EQ(p.hpfFreq, 1);
        EXPECT_EQ(p.hpfOn, 1);
        EXPECT_EQ(p.monitorMicCut, 80);
        EXPECT_EQ(p.graphBands[0].freq, 100) << "0 Hz becomes the band's default";
        EXPECT_EQ(p.graphBands[1].freq, 20000);
        EXPECT_EQ(p.graphBands[2].gain, 0);
        EXPECT_EQ(p.sliderBands[3].gain, 300);
    }
}

TEST(PresetApplyTest, BothMonitorCutsSetKeepsThePlaybackCut) {
    PresetFields f;
    f.monitorMicCut = 10;
    f.monitorPlaybackCut = 20;
    f.limiterLevel = 1;
    f.hpfFreq = 1;
    DeviceParams p;
    ApplyPresetTorva(f, p);
    EXPECT_EQ(p.monitorMicCut, 0);
    EXPECT_EQ(p.monitorPlaybackCut, 20);
}

TEST(PresetFileIoTest, WriteThenReadGivesTheSameBytes) {
    TempDir dir;
    DeviceParams p;
    FillDistinct(p);
    const fs::path slot = PresetFilePath(dir.Path(), 3);
    ASSERT_EQ(WritePresetFile(slot, BuildPresetImage(p)), "");
    EXPECT_EQ(fs::file_size(slot), kPresetFileSize);
    const PresetReadResult read = ReadPresetFile(slot);
    ASSERT_TRUE(read.image) << read.error;
    EXPECT_EQ(*read.image, BuildPresetImage(p));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST(PresetFileIoTest, MissingAndShortFilesAreEmptySlots) {
    TempDir dir;
    const PresetReadResult missing = ReadPresetFile(dir.Path() / "SAVE0.dat");
    EXPECT_FALSE(missing.image);
    EXPECT_NE(missing.error.find("cannot open"), std::string::npos) << missing.error;

    WriteBytes(dir.Path() / "SAVE1.dat", std::vector<std::uint8_t>(707, 1));
    const PresetReadResult shortFile = ReadPresetFile(dir.Path() / "SAVE1.dat");
    EXPECT_FALSE(shortFile.image);
    EXPECT_NE(shortFile.error.find("707"), std::string::npos) << shortFile.error;

    WriteBytes(dir.Path() / "SAVE2.dat", {});
    EXPECT_FALSE(ReadPresetFile(dir.Path() / "SAVE2.dat").image);

    EXPECT_FALSE(ReadPresetFile(dir.Path()).image) << "a folder is not a preset";
}

TEST(PresetFileIoTest, ALongerFileIsReadUpToItsImage) {
    TempDir dir;
    std::vector<std::uint8_t> bytes(800, 0);
    bytes[540] = 12;
    WriteBytes(dir.Path() / "SAVE0.dat", bytes);
    const PresetReadResult read = ReadPresetFile(dir.Path() / "SAVE0.dat");
    ASSERT_TRUE(read.image);
    EXPECT_EQ(DecodePresetImage(*read.image).micGain, 12);
}

TEST(PresetFileIoTest, AReadOnlyFileCanBeRecalled) {
    TempDir dir;
    const fs::path slot = dir.Path() / "SAVE0.dat";
    DeviceParams p;
    FillDistinct(p);
    ASSERT_EQ(WritePresetFile(slot, BuildPresetImage(p)), "");
    fs::permissions(slot, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(ReadPresetFile(slot).image);
}

TEST(PresetFileIoTest, SavingIntoAMissingFolderReportsWhy) {
    TempDir dir;
    const std::string error =
        WritePresetFile(dir.Path() / "absent" / "SAVE0.dat", BuildPresetImage(DeviceParams{}));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

// A save that fails half-way (here: the file size limit stops the write, as a full disk would)
// leaves the slot's previous content as it was. Run in a child so the limit stays there.
TEST(PresetFileIoTest, AFailedSaveKeepsTheOldSlot) {
    TempDir dir;
    const fs::path slot = dir.Path() / "SAVE5.dat";
    DeviceParams old;
    FillDistinct(old);
    ASSERT_EQ(WritePresetFile(slot, BuildPresetImage(old)), "");
    const auto before = ReadAll(slot);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        DeviceParams other;
        other.ResetToInitialValues();
        const std::string error = WritePresetFile(slot, BuildPresetImage(other));
        ::_exit(error.find("cannot write") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported the failed write";
    EXPECT_EQ(ReadAll(slot), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace quavelo
