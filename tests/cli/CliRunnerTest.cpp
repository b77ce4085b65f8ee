#include "cli/CliRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "sim/SimulatedBackend.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

using Json = nlohmann::json;

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// The tool run in this process against a TORVA and a KD4 that stay attached across runs, with the
// data directory in a fresh folder, a fixed local time and no real pauses. An argument starting
// with '@' names a file in that folder.
struct CliRig {
    struct Forwarding final : HidBackend {
        explicit Forwarding(HidBackend& to) : target(to) {}
        std::vector<HidDeviceInfo> Enumerate() override { return target.Enumerate(); }
        std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) override {
            return target.Open(path, error);
        }
        HidBackend& target;
    };
    struct NoPause final : Sleeper {
        void SleepFor(std::chrono::milliseconds) override {}
    };

    CliRig() {
        environment.makeDeviceBackend = [this] { return std::make_unique<Forwarding>(attached); };
        environment.dataDirectory = {[](const char*) { return std::optional<std::string>(); },
                                     dir.Path(), [](const std::filesystem::path&) { return true; }};
        environment.sleeper = &noPause;
        environment.clock = [] { return LocalTime{2026, 3, 7, 9, 5, 2, 41}; };
    }

    CliResult Run(std::vector<std::string> args) {
        for (std::string& arg : args) {
            if (arg.starts_with('@')) arg = (dir.Path() / arg.substr(1)).string();
        }
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunCli(args, out, err, environment);
        return {code, out.str(), err.str()};
    }

    // Reports the devices took since the last call that were writes, not read requests.
    std::size_t Writes() {
        std::size_t writes = 0;
        for (SimulatedDevice* device : {&torva, &kd4}) {
            for (const auto& report : device->TakeReceived()) writes += report.at(5) == 0x00;
        }
        return writes;
    }

    test::TempDir dir;
    NoPause noPause;
    SimulatedBackend attached;
    SimulatedDevice& torva = attached.AddDevice(Model::Torva);
    SimulatedDevice& kd4 = attached.AddDevice(Model::Kd4);
    CliEnvironment environment;
};

struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;  // a part of what stderr says
    std::function<void(CliRig&)> before = nullptr;
    std::function<void(CliRig&, const CliResult&)> after = nullptr;
};

void Check(const Case& c) {
    CliRig rig;
    if (c.before) c.before(rig);
    const CliResult result = rig.Run(c.args);
    const std::string what = testing::PrintToString(c.args);
    EXPECT_EQ(result.code, c.code) << what << ": " << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << what << ": " << result.err;
    if (c.code != 0) {
        EXPECT_EQ(rig.Writes(), 0u) << what << " wrote to a device";
    }
    if (c.after) c.after(rig, result);
}

// Both devices leave every request for `address` unanswered.
std::function<void(CliRig&)> SilentAt(std::uint16_t address) {
    return [address](CliRig& rig) {
        SimFaults faults;
        faults.missingAnswers = true;
        faults.answerFaultAddress = address;
        for (SimulatedDevice* device : {&rig.torva, &rig.kd4}) device->SetFaults(faults);
    };
}

void Unplug(CliRig& rig) {
    rig.torva.Unplug();
    rig.kd4.Unplug();
}

TEST(CliRunnerTest, EachRefusalAndFailureHasItsCodeAndSaysWhyAndWritesNothing) {
    // clang-format off
    const Case cases[] = {
        {{"frobnicate"}, 2, "unknown command \"frobnicate\""},
        {{}, 2, "a command is required"},
        {{"--model", "x130", "dump"}, 2, "x130"},
        {{"set", "mic-gain", "48"}, 2, "mic-gain takes 0..47"},
        {{"--model", "kd4", "set", "gain2", "81"}, 2, "gain2 takes 0..80"},
        {{"set", "limiter", "maybe"}, 2, "on or off"},
        {{"--model", "kd4", "set", "stereo", "on"}, 2, "TORVA only"},
        {{"set", "lock", "on"}, 2, "KD4 only"},
        {{"set", "volume", "3"}, 2, "unknown setting"},
        {{"set", "mic-gain", "3", "4"}, 2, "unexpected argument \"4\""},
        {{"band", "graph", "6"}, 2, "1..5"},
        {{"band", "slider", "1", "--freq", "500"}, 2, "graph bands only"},
        {{"band", "graph", "1", "--gain", "15.5"}, 2, "-15..15"},
        {{"band", "graph", "1", "--gain", "3"}, 2, "eq-mode is slider"},
        {{"preset", "show", "11"}, 2, "11"},
        {{"--sim-state", "x", "dump"}, 2, "--simulate"},
        {{"--simulate", "--sim-state", "@bad", "dump"}, 2, "bad",
         [](CliRig& rig) { std::ofstream(rig.dir.Path() / "bad") << "not a store"; }},
        {{"--model", "kd4", "push"}, 2, "not a command of the KD4"},
        {{"dump"}, 3, "no TORVA device found", Unplug},
        {{"list"}, 3, "no TORVA or KD4 device found", Unplug},
        {{"set", "mic-gain", "3"}, 4, "Read para fail.", SilentAt(0x10)},
        {{"--model", "kd4", "dump"}, 4, "Read para fail.", SilentAt(0x30)},
        {{"levels"}, 5, "did not report", SilentAt(dsp::kLevel1)},
        {{"preset", "load", "1"}, 6, "Not saved"},
        {{"--model", "kd4", "preset", "show", "2"}, 6, "707",
         [](CliRig& rig) { std::ofstream(rig.dir.Path() / "SAVE1.dat") << std::string(707, 0); }},
        {{"preset", "save", "1"}, 6, "the slot is unchanged",
         [](CliRig& rig) { std::filesystem::create_directory(rig.dir.Path() / "SAVE0.dat"); }},
    };
    // clang-format on
    for (const Case& c : cases) Check(c);
}

std::size_t Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST(CliRunnerTest, EachCommandFamilyReachesTheDeviceAndPrintsItsShape) {
    // What each command sends is the command set's matter; here it only has to reach the device.
    // clang-format off
    const Case cases[] = {
        {{"--version"}, 0, ""},
        {{"--json", "dump"}, 0, "", {}, [](CliRig&, const CliResult& r) {
            const Json json = Json::parse(r.out);
            EXPECT_EQ(json.size(), 17u);
            EXPECT_EQ(json["model"], "torva");
            EXPECT_EQ(json["graphBands"][4].size(), 3u) << "freq, gain, q";
        }},
        {{"--model", "kd4", "dump"}, 0, "", {}, [](CliRig&, const CliResult& r) {
            EXPECT_TRUE(r.out.starts_with("model kd4\n"));
            EXPECT_EQ(Lines(r.out), 15u + 10u) << "a line per setting and per band";
        }},
        {{"set", "mic-gain", "20"}, 0, "", {},
         [](CliRig& rig, const CliResult&) { EXPECT_EQ(rig.torva.Store()[7], 20); }},
        {{"--model", "kd4", "set", "lock", "on"}, 0, "", {},
         [](CliRig& rig, const CliResult&) { EXPECT_EQ(rig.kd4.Store()[0x47], 1); }},
        {{"--model", "kd4", "band", "slider", "4", "--gain", "-6"}, 0, "", {},
         [](CliRig& rig, const CliResult&) { EXPECT_TRUE(rig.kd4.FilterWords(4)); }},
        {{"push"}, 0, "", {}, [](CliRig& rig, const CliResult&) { EXPECT_GT(rig.Writes(), 60u); }},
        {{"preset", "save", "3"}, 0, "", {}, [](CliRig& rig, const CliResult&) {
            const CliResult show = rig.Run({"--model", "kd4", "--json", "preset", "show", "3"});
            EXPECT_EQ(Json::parse(show.out)["bands"].size(), 5u);
            EXPECT_EQ(rig.Run({"preset", "load", "3"}).code, 0);
            EXPECT_GT(rig.Writes(), 40u);
        }},
        {{"--json", "levels", "--count", "3"}, 0, "", {}, [](CliRig&, const CliResult& r) {
            const Json json = Json::parse(r.out);
            ASSERT_EQ(json.size(), 3u);
            EXPECT_EQ(json[2]["secondRaw"], SimulatedLevel(1, 2)) << "the third poll's answer";
        }},
        {{"--model", "kd4", "levels", "--count", "2"}, 0, "", {}, [](CliRig&, const CliResult& r) {
            EXPECT_EQ(Lines(r.out), 2u);
            EXPECT_TRUE(r.out.ends_with(" (" + std::to_string(SimulatedLevel(0, 1)) + ")\n")) << r.out;
        }},
        {{"curve"}, 0, "", {}, [](CliRig&, const CliResult& r) {
            EXPECT_EQ(Lines(r.out), 241u);
            EXPECT_TRUE(r.out.starts_with("19.71 0.0000\n")) << "the graph bands of a flat device";
        }},
        {{"list"}, 0, "", {}, [](CliRig&, const CliResult& r) {
            EXPECT_EQ(r.out, "torva 0f8c:0046 sim:torva\nkd4 0f8d:0047 sim:kd4\n");
        }},
        // The simulated device keeps its store in its file from run to run; a wire trace and a
        // day's log that take no line (a full disk) fail no transfer.
        {{"--simulate", "--model", "kd4", "--sim-state", "@kd4", "--trace", "/dev/full", "set",
          "gain2", "66"}, 0, "",
         [](CliRig& rig) {
             std::filesystem::create_symlink("/dev/full", rig.dir.Path() / "Log_2026-03-07.txt");
         },
         [](CliRig& rig, const CliResult&) {
             const CliResult dump = rig.Run({"--simulate", "--model", "kd4", "--sim-state", "@kd4",
                                             "--trace", "/dev/full", "--json", "dump"});
             EXPECT_EQ(Json::parse(dump.out)["gain2"], 66) << dump.err;
             EXPECT_EQ(rig.Writes(), 0u) << "nothing reached the attached devices";
         }},
    };
    // clang-format on
    for (const Case& c : cases) Check(c);
}

}  // namespace
}  // namespace quavelo
