#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRig.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using test::CliRig;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CliLevelsTest, TorvaReadsBothChannelsEachTime) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva);
    const auto result = rig.Run({"--json", "levels", "--count", "3"});
    ASSERT_EQ(result.code, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json.size(), 3u);
    for (const auto& reading : json) {
        for (const char* key : {"first", "second", "mean"}) {
            EXPECT_GE(reading[key], 0);
            EXPECT_LE(reading[key], 100);
        }
        const int halfSum = (reading["first"].get<int>() + reading["second"].get<int>()) / 2;
        EXPECT_NEAR(reading["mean"].get<int>(), halfSum, 1) << "the mean of the raw values";
    }
}

TEST(CliLevelsTest, Kd4LevelsArriveThroughTheReaderThread) {
    CliRig rig;
    rig.attached.AddDevice(kModelKd4);
    const auto result = rig.Run({"--model", "kd4", "levels", "--count", "2"});
    ASSERT_EQ(result.code, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("level ", 0), 0u) << lines[0];
}

TEST(CliCurveTest, TheGraphBandsTotalOn241Points) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva);
    const auto flat = Lines(rig.Run({"curve"}).out);
    ASSERT_EQ(flat.size(), 241u);
    EXPECT_EQ(flat.front(), "19.71 0.0000");
    EXPECT_EQ(flat.back(), "20000 0.0000");

    ASSERT_EQ(rig.Run({"set", "eq-mode", "graph"}).code, 0);
    ASSERT_EQ(rig.Run({"band", "graph", "3", "--gain", "6"}).code, 0);
    const auto boosted = Lines(rig.Run({"curve"}).out);
    EXPECT_EQ(boosted[136], "1000 6.0000");
    const auto json = nlohmann::json::parse(rig.Run({"--json", "curve"}).out);
    ASSERT_EQ(json.size(), 241u);
    EXPECT_EQ(json[136]["hz"], 1000);
    EXPECT_DOUBLE_EQ(json[136]["db"].get<double>(), 6.0);
}

TEST(CliListTest, ListsEachAttachedDevice) {
    CliRig rig;
    rig.attached.AddDevice(kModelTorva, "/dev/hidraw2");
    rig.attached.AddDevice(kModelKd4, "/dev/hidraw5");
    const auto result = rig.Run({"list"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "torva 0f8c:0046 /dev/hidraw2\nkd4 0f8d:0047 /dev/hidraw5\n");
    const auto json = nlohmann::json::parse(rig.Run({"--json", "list"}).out);
    EXPECT_EQ(json[1]["id"], "0f8d:0047");
}

TEST(CliSimulateTest, SimStateCarriesTheDeviceAcrossRunsAndTheTraceGrows) {
    CliRig rig;
    const std::string state = (rig.dir.Path() / "kd4.state").string();
    const std::string trace = (rig.dir.Path() / "wire.txt").string();
    const std::vector<std::string> sim{"--simulate", "--model", "kd4", "--sim-state",
                                       state,        "--trace", trace};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = sim;
        args.insert(args.end(), extra.begin(), extra.end());
        return rig.Run(args);
    };
    ASSERT_EQ(with({"set", "mic-gain", "20"}).code, 0);
    ASSERT_TRUE(fs::exists(state));
    const auto dump = with({"--json", "dump"});
    ASSERT_EQ(dump.code, 0) << dump.err;
    EXPECT_EQ(nlohmann::json::parse(dump.out)["micGain"], 20);

    std::ifstream in(trace);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto lines = Lines(text);
    EXPECT_EQ(lines.size(), 2u * 14 + 4) << "two read-backs of seven exchanges, one set";
    EXPECT_NE(text.find(" W FF 70 40 0F 01 00 93 00"), std::string::npos);

    const auto list = with({"list"});
    EXPECT_EQ(list.out, "kd4 0f8d:0047 sim:kd4\n");
}

TEST(CliSimulateTest, ADamagedSimStateIsRefused) {
    CliRig rig;
    const fs::path state = rig.dir.Path() / "bad.state";
    std::ofstream(state) << "not a store";
    const auto result = rig.Run({"--simulate", "--sim-state", state.string(), "dump"});
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("bad.state"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace quavelo
