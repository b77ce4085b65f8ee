#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/CliRig.h"
#include "device/PresetFile.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using test::CliRig;

nlohmann::json Dump(CliRig& rig, const char* model) {
    const auto result = rig.Run({"--model", model, "--json", "dump"});
    EXPECT_EQ(result.code, 0) << result.err;
    return nlohmann::json::parse(result.out);
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST(CliPresetTest, SaveWritesTheSlotsFileAndShowPreviewsIt) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "mic-gain", "20"}).code, 0);
    ASSERT_EQ(rig.Run({"preset", "save", "3"}).code, 0);
    const PresetReadResult file = ReadPresetFile(rig.dir.Path() / "SAVE2.dat");
    ASSERT_TRUE(file.image) << file.error;
    EXPECT_EQ(DecodePresetImage(*file.image).micGain, 20);

    const auto show = rig.Run({"preset", "show", "3"});
    EXPECT_EQ(show.code, 0);
    EXPECT_NE(show.out.find("Gain        15dB,0dB"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("SIGNAL      MONO"), std::string::npos);
    EXPECT_NE(show.out.find("DRC         -10dB"), std::string::npos);
    EXPECT_NE(show.out.find("EQ          PEG"), std::string::npos);

    const auto kd4 = rig.Run({"--model", "kd4", "--json", "preset", "show", "3"});
    EXPECT_EQ(kd4.code, 0) << "a preview needs no device";
    EXPECT_EQ(nlohmann::json::parse(kd4.out)["COMPRESSOR"], "-10dB");
}

TEST(CliPresetTest, LoadRestoresTheSlotAndSendsTheRecallSeries) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "monitor-mic-cut", "30"}).code, 0);
    ASSERT_EQ(rig.Run({"preset", "save", "10"}).code, 0);
    ASSERT_EQ(rig.Run({"set", "monitor-playback-cut", "12"}).code, 0);
    device.TakeReceived();

    ASSERT_EQ(rig.Run({"preset", "load", "10"}).code, 0);
    std::size_t writes = 0;
    for (const auto& report : device.TakeReceived()) writes += report[5] == 0x00 ? 1 : 0;
    // The settings block, five bands, the two gains, high-pass, limiter, stereo, both cuts.
    EXPECT_EQ(writes, 1u + 5 * 8 + 2 + 2 + 8 + 9 + 3 + 2 + 2);
    const auto json = Dump(rig, "torva");
    EXPECT_EQ(json["monitorMicCut"], 30);
    EXPECT_EQ(json["monitorPlaybackCut"], 0);
}

TEST(CliPresetTest, AnEmptyOrShortSlotIsRefusedAndNothingIsSent) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    const auto missing = rig.Run({"preset", "load", "1"});
    EXPECT_EQ(missing.code, 6);
    EXPECT_NE(missing.err.find("没有保存"), std::string::npos) << missing.err;

    WriteFile(rig.dir.Path() / "SAVE1.dat", std::vector<std::uint8_t>(707, 0));
    const auto shortFile = rig.Run({"preset", "load", "2"});
    EXPECT_EQ(shortFile.code, 6);
    EXPECT_NE(shortFile.err.find("707"), std::string::npos) << shortFile.err;
    EXPECT_EQ(rig.Run({"preset", "show", "2"}).code, 6);
    EXPECT_TRUE(device.TakeReceived().empty());
}

TEST(CliPresetTest, ValuesOutOfRangeAreClampedOnTheWayIn) {
    CliRig rig;
    rig.attached.AddDevice(kModelKd4);
    DeviceParams saved;
    saved.ResetToInitialValues();
    saved.micGain = 60;
    saved.limiterLevel = 9;
    saved.eqMode = 3;
    saved.gain2 = 90;
    saved.graphBands[0].freq = 0;
    saved.graphBands[1].freq = 30000;
    ASSERT_EQ(WritePresetFile(rig.dir.Path() / "SAVE4.dat", BuildPresetImage(saved)), "");
    const auto preview = rig.Run({"--model", "kd4", "preset", "show", "5"});
    EXPECT_NE(preview.out.find("EQ          \n"), std::string::npos)
        << "the preview shows the file as stored: eqMode 3 has no set\n"
        << preview.out;
    ASSERT_EQ(rig.Run({"--model", "kd4", "preset", "load", "5"}).code, 0);
    const auto json = Dump(rig, "kd4");
    EXPECT_EQ(json["micGain"], 47);
    EXPECT_EQ(json["limiterLevel"], 3);
    EXPECT_EQ(json["eqMode"], 1);
    EXPECT_EQ(json["gain2"], 80);
    EXPECT_EQ(json["graphBands"][0]["freq"], 100);
    EXPECT_EQ(json["graphBands"][1]["freq"], 20000);
}

TEST(CliPresetTest, AFileSavedForOneModelLoadsOnTheOther) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva);
    rig.attached.AddDevice(kModelKd4);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "lock", "on"}).code, 0);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "mic-gain", "9"}).code, 0);
    ASSERT_EQ(rig.Run({"--model", "kd4", "preset", "save", "6"}).code, 0);
    ASSERT_EQ(rig.Run({"preset", "load", "6"}).code, 0);
    EXPECT_EQ(Dump(rig, "torva")["micGain"], 9);
    ASSERT_EQ(rig.Run({"set", "stereo", "on"}).code, 0);
    ASSERT_EQ(rig.Run({"preset", "save", "7"}).code, 0);
    ASSERT_EQ(rig.Run({"--model", "kd4", "preset", "load", "7"}).code, 0);
    const auto kd4 = Dump(rig, "kd4");
    EXPECT_EQ(kd4["kd4Lock"], 0) << "the TORVA side saved the switches it held: none";
    EXPECT_EQ(kd4["micGain"], 9);
}

TEST(CliPresetTest, AFailedSaveKeepsTheOldSlot) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"preset", "save", "1"}).code, 0);
    const fs::path slot = rig.dir.Path() / "SAVE0.dat";
    const auto before = ReadPresetFile(slot);
    ASSERT_TRUE(before.image);
    ASSERT_EQ(rig.Run({"set", "mic-gain", "33"}).code, 0);
    // A folder where the save's temporary file goes makes the save fail before the slot is
    // replaced, whoever runs the test.
    const fs::path temp = slot.string() + ".tmp." + std::to_string(::getpid());
    fs::create_directory(temp);
    const auto failed = rig.Run({"preset", "save", "1"});
    EXPECT_EQ(failed.code, 6);
    EXPECT_NE(failed.err.find("the slot is unchanged"), std::string::npos) << failed.err;
    EXPECT_EQ(ReadPresetFile(slot).image, before.image);
}

}  // namespace
}  // namespace quavelo
