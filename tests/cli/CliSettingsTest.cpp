#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRig.h"
#include "device/Encoding.h"
#include "support/EventTrace.h"

namespace quavelo {
namespace {

using test::CliRig;
using test::PaddedHex;
using test::TraceHex;

// The reports the device took that were writes, not read requests, as hex.
std::vector<std::string> Writes(SimulatedDevice& device) {
    std::vector<std::string> writes;
    for (const auto& report : device.TakeReceived()) {
        if (report.size() > 5 && report[5] == 0x01) continue;
        writes.push_back(TraceHex(report));
    }
    return writes;
}

std::vector<std::string> Hex(std::initializer_list<const char*> reports) {
    std::vector<std::string> all;
    for (const char* r : reports) all.push_back(PaddedHex(r));
    return all;
}

// The settings blocks of a device at the panel's initial values with micGain 20.
constexpr const char* kTorvaBlockGain20 = "FF A0 00 00 0A 00 00 01 01 01 01 00 00 14 01 01";
constexpr const char* kKd4BlockGain20 = "FF A0 00 00 0A 00 00 01 01 01 01 00 AA 14 01 01";

TEST(CliSetTest, TorvaMicGainSendsTheCodeThenTheSettingsBlock) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "mic-gain", "20"}).code, 0);
    EXPECT_EQ(Writes(device), Hex({"FF 70 40 0E 01 00 93", kTorvaBlockGain20}));
    EXPECT_TRUE(rig.sleeper.Pauses().empty()) << "TORVA commands do not pause";
}

TEST(CliSetTest, Kd4MicGainSendsBothChannelsAndTheSettingsTwice45msApart) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelKd4);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "mic-gain", "20"}).code, 0);
    EXPECT_EQ(Writes(device), Hex({"FF 70 40 0E 01 00 93", "FF 70 40 0F 01 00 93", kKd4BlockGain20,
                                   kKd4BlockGain20}));
    const auto pauses = rig.sleeper.Pauses();
    ASSERT_GE(pauses.size(), 4u);
    for (std::size_t i = pauses.size() - 4; i < pauses.size(); ++i) {
        EXPECT_EQ(pauses[i].count(), 45);
    }
}

TEST(CliSetTest, ASetAlwaysSendsAlsoWhenTheValueIsUnchanged) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "stereo", "off"}).code, 0);
    EXPECT_EQ(Writes(device).size(), 3u) << "both cross-feeds and the settings block";
}

TEST(CliSetTest, OneMonitorCutSendsBothCutsMicrophoneFirst) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "monitor-mic-cut", "40"}).code, 0);
    const auto writes = Writes(device);
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0], PaddedHex("FF 70 00 B1 04 00 00 0C CC CC")) << "the microphone at -20 dB";
    EXPECT_EQ(writes[2], PaddedHex("FF 70 00 0A 04 00 00 80 00 00")) << "the playback uncut";
    EXPECT_EQ(writes[3].substr(33, 2), "78") << "balance byte 80 + 40";
}

TEST(CliSetTest, Kd4SwitchesStoreThreeTimes) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelKd4);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "lock", "on"}).code, 0);
    const auto writes = Writes(device);
    ASSERT_EQ(writes.size(), 6u) << "the settings and slider blocks, three times";
    EXPECT_EQ(writes[1], PaddedHex("FF A0 00 40 09 00 00 00 00 00 00 00 00 01 00"));
    EXPECT_EQ(writes[5], writes[1]);
}

TEST(CliSetTest, EqualiserOffSendsTheFlatBandsThenTheSettings) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "eq", "off"}).code, 0);
    const auto writes = Writes(device);
    ASSERT_EQ(writes.size(), 5u * 8 + 1);
    EXPECT_EQ(writes.back().substr(42, 5), "00 01") << "eqEnabled 0, the slider set";
    EXPECT_EQ(device.FilterWords(3), PeakingCoefficientsFlat(1000, 20));
}

TEST(CliSetTest, ASetIsReadBackInTheNextRun) {
    CliRig rig;
    rig.attached.AddDevice(kModelKd4);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "gain2", "66"}).code, 0);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "mute", "on"}).code, 0);
    const auto dump = rig.Run({"--model", "kd4", "--json", "dump"});
    ASSERT_EQ(dump.code, 0) << dump.err;
    const auto json = nlohmann::json::parse(dump.out);
    EXPECT_EQ(json["model"], "kd4");
    EXPECT_EQ(json["gain2"], 66);
    EXPECT_EQ(json["kd4SwitchA"], 1);
    EXPECT_EQ(json["monitorPlaybackCut"], 80);
    ASSERT_EQ(json["graphBands"].size(), 5u);
    EXPECT_EQ(json["graphBands"][3]["freq"], 4000);
}

TEST(CliReadBackTest, ATorvaThatDoesNotAnswerFailsTheReadBack) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    SimFaults faults;
    faults.missingAnswers = true;
    device.SetFaults(faults);
    const auto result = rig.Run({"set", "mic-gain", "3"});
    EXPECT_EQ(result.code, 4);
    EXPECT_NE(result.err.find("Read para fail."), std::string::npos);
    EXPECT_TRUE(Writes(device).empty()) << "nothing is set after a failed read-back";
}

TEST(CliReadBackTest, AKd4ReadBackThatNeverCompletesFailsWithinItsLimit) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelKd4);
    SimFaults faults;
    faults.missingAnswers = true;
    faults.answerFaultAddress = 0x0030;
    device.SetFaults(faults);
    const auto result = rig.Run({"--model", "kd4", "dump"});
    EXPECT_EQ(result.code, 4);
    EXPECT_EQ(result.out, "");
}

// A device that takes read requests but no longer takes writes.
class WritesRefusedBackend final : public HidBackend {
  public:
    explicit WritesRefusedBackend(HidBackend& target) : target_(target) {}
    std::vector<HidDeviceInfo> Enumerate() override { return target_.Enumerate(); }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override {
        class Device final : public HidDevice {
          public:
            explicit Device(std::unique_ptr<HidDevice> inner) : inner_(std::move(inner)) {}
            bool Write(std::span<const std::uint8_t> report) override {
                return report.size() > 5 && report[5] == 0x01 && inner_->Write(report);
            }
            ReadResult Read(std::span<std::uint8_t> buffer,
                            std::chrono::milliseconds timeout) override {
                return inner_->Read(buffer, timeout);
            }
            void RequestStop() override { inner_->RequestStop(); }

          private:
            std::unique_ptr<HidDevice> inner_;
        };
        auto inner = target_.Open(path, error);
        return inner ? std::make_unique<Device>(std::move(inner)) : nullptr;
    }

  private:
    HidBackend& target_;
};

TEST(CliSendTest, AFailedSendExitsWith5) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva);
    rig.environment.makeDeviceBackend = [&rig] {
        return std::make_unique<WritesRefusedBackend>(rig.attached);
    };
    const auto set = rig.Run({"set", "mic-gain", "5"});
    EXPECT_EQ(set.code, 5);
    EXPECT_NE(set.err.find("发送失败"), std::string::npos) << set.err;
    const auto push = rig.Run({"push"});
    EXPECT_EQ(push.code, 5);
    EXPECT_NE(push.err.find("发送失败"), std::string::npos) << push.err;
}

TEST(CliBandTest, GraphBandLoadsItsFilterAndStoresItsBlock) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    ASSERT_EQ(rig.Run({"set", "eq-mode", "graph"}).code, 0);
    device.TakeReceived();
    const auto band = rig.Run({"band", "graph", "2", "--freq", "500", "--gain", "6"});
    ASSERT_EQ(band.code, 0) << band.err;
    EXPECT_EQ(device.FilterWords(2), PeakingCoefficients(500, 20, 210));
    const auto writes = Writes(device);
    ASSERT_EQ(writes.size(), 8u);
    EXPECT_EQ(writes.back(), PaddedHex("FF A0 00 18 04 00 01 F4 02 06"));
}

TEST(CliBandTest, ASetNotInUseIsRefusedAfterTheReadBack) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelTorva);
    const auto result = rig.Run({"band", "graph", "1", "--gain", "3"});
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("eq-mode is slider"), std::string::npos) << result.err;
    EXPECT_TRUE(Writes(device).empty());
}

TEST(CliBandTest, BandsGoFlatWhileTheEqualiserIsOff) {
    CliRig rig;
    SimulatedDevice& device = rig.attached.AddDevice(kModelKd4);
    ASSERT_EQ(rig.Run({"--model", "kd4", "set", "eq", "off"}).code, 0);
    ASSERT_EQ(rig.Run({"--model", "kd4", "band", "slider", "4", "--gain", "-7.5"}).code, 0);
    EXPECT_EQ(device.FilterWords(4), PeakingCoefficientsFlat(4000, 20));
    const auto json = nlohmann::json::parse(rig.Run({"--model", "kd4", "--json", "dump"}).out);
    EXPECT_EQ(json["sliderBands"][3]["gain"], 70) << "-7.5 dB stored as 75, read back in whole dB";
}

}  // namespace
}  // namespace quavelo
