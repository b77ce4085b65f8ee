#include "cli/CliRunner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "link/UdevRuleAdvice.h"
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
// Devices may be refused as the hidraw backend refuses them, and the udev rule is looked for in
// the folder's "etc" and "lib".
struct CliRig {
    struct Forwarding final : HidBackend {
        explicit Forwarding(CliRig& to) : rig(to) {}
        std::vector<HidDeviceInfo> Enumerate() override {
            ++rig.enumerations;
            return rig.attached.Enumerate();
        }
        std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) override {
            if (const auto refusal = rig.refusals.find(path); refusal != rig.refusals.end()) {
                error = refusal->second;
                return nullptr;
            }
            return rig.attached.Open(path, error);
        }
        std::string PermissionAdvice() const override {
            return UdevRuleAdvice({rig.dir.Path() / "etc", rig.dir.Path() / "lib"});
        }
        CliRig& rig;
    };
    struct NoPause final : Sleeper {
        void SleepFor(std::chrono::milliseconds) override {}
    };

    CliRig() {
        environment.makeDeviceBackend = [this] { return std::make_unique<Forwarding>(*this); };
        environment.dataDirectory = {[](const char*) { return std::optional<std::string>(); },
                                     dir.Path()};
        std::ofstream(dir.Path() / kPortableMarker);
        environment.sleeper = &noPause;
        environment.stop = &stop;
        environment.pollInterval = std::chrono::milliseconds(2);
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
    StopRequest stop;
    std::map<std::string, OpenError> refusals;
    std::atomic<int> enumerations{0};
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
    if (c.code != 0 && c.code < 128) {
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

std::function<void(CliRig&)> Refuse(const char* path, OpenError error) {
    return [=](CliRig& rig) { rig.refusals[path] = error; };
}
const OpenError kDenied{OpenError::Kind::NotPermitted, "Permission denied", 0};

void SecondKd4(CliRig& rig) { rig.attached.AddDevice(Model::Kd4, "sim:kd4b"); }

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
        {{"preset", "import", "@short", "1"}, 6, "holds 707 bytes, not 708; slot 1 is unchanged",
         [](CliRig& rig) { std::ofstream(rig.dir.Path() / "short") << std::string(707, 0); },
         [](CliRig& rig, const CliResult&) {
             EXPECT_FALSE(std::filesystem::exists(rig.dir.Path() / "SAVE0.dat"));
         }},
        // A device present but refused: the node, the error and the fix.
        {{"--model", "kd4", "dump"}, 8, "KD4 sim:kd4: cannot be opened: Permission denied",
         Refuse("sim:kd4", kDenied), [](CliRig& rig, const CliResult& r) {
             EXPECT_NE(r.err.find("70-quavelo.rules is not installed (looked in " +
                                  (rig.dir.Path() / "etc").string() + " and "),
                       std::string::npos) << r.err;
         }},
        {{"--model", "kd4", "set", "lock", "on"}, 8, "/lib/70-quavelo.rules) but has not reached",
         [](CliRig& rig) {
             Refuse("sim:kd4", kDenied)(rig);
             std::filesystem::create_directory(rig.dir.Path() / "lib");
             std::ofstream(rig.dir.Path() / "lib" / "70-quavelo.rules");
         }},
        {{"list"}, 8, "Permission denied", Refuse("sim:kd4", kDenied),
         [](CliRig&, const CliResult& r) {
             EXPECT_EQ(r.out, "torva 0f8c:0046 sim:torva - ok\n"
                              "kd4 0f8d:0047 sim:kd4 - no-access (Permission denied)\n");
         }},
        {{"dump"}, 7, "TORVA sim:torva: the device is in use by another QUAVELO process (pid 4711)",
         Refuse("sim:torva", {OpenError::Kind::InUse, "", 4711})},
        {{"--device", "sim:kd4", "dump"}, 3, "no TORVA device sim:kd4 found (sim:kd4 is a KD4"},
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
            EXPECT_EQ(rig.Run({"preset", "export", "3", "@shared"}).code, 0);
            EXPECT_EQ(rig.Run({"preset", "import", "@shared", "7"}).code, 0);
            EXPECT_EQ(test::ReadFile(rig.dir.Path() / "SAVE6.dat"),
                      test::ReadFile(rig.dir.Path() / "SAVE2.dat"));
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
            EXPECT_EQ(r.out, "torva 0f8c:0046 sim:torva - ok\nkd4 0f8d:0047 sim:kd4 - ok\n");
        }},
        // Of several devices of the model the first is used, with a note, or the chosen one.
        {{"--model", "kd4", "curve"}, 0, "2 KD4 devices found; using sim:kd4 (use --device",
         SecondKd4},
        {{"--model", "kd4", "--device", "sim:kd4b", "set", "mic-gain", "9"}, 0, "", SecondKd4,
         [](CliRig& rig, const CliResult&) {
             EXPECT_EQ(rig.attached.Find("sim:kd4b")->Store()[7], 9);
             EXPECT_EQ(rig.Writes(), 0u) << "nothing reached the first KD4";
         }},
        // A stop signal lets the command in progress finish, then ends the run with 128 + N; a
        // long poll ends at its next reading.
        {{"set", "mic-gain", "20"}, 128 + SIGTERM, "", [](CliRig& rig) { rig.stop.Request(SIGTERM); },
         [](CliRig& rig, const CliResult&) { EXPECT_EQ(rig.torva.Store()[7], 20); }},
        {{"levels", "--count", "100000"}, 128 + SIGINT, "",
         [](CliRig& rig) { rig.stop.Request(SIGINT); }},
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

TEST(CliRunnerTest, WatchLoadsThePresetAtEachAppearanceUntilAStopEndsIt) {
    CliRig rig;
    ASSERT_EQ(rig.Run({"--model", "kd4", "preset", "save", "2"}).code, 0);
    rig.Writes();
    const auto loads = [&] {
        const std::string log = test::ReadFile(rig.dir.Path() / "Log_2026-03-07.txt");
        std::size_t count = 0;
        for (std::size_t at = 0; (at = log.find("watch: preset 2 loaded", at)) != std::string::npos;
             ++at)
            ++count;
        return count;
    };
    // Waits (at most 20 s) until `done`.
    const auto awaitThat = [](const auto& done) {
        for (int i = 0; i < 4000 && !done(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return done();
    };
    rig.kd4.Unplug();
    CliResult result;
    std::thread watch([&] { result = rig.Run({"--model", "kd4", "watch", "--preset", "2"}); });
    rig.kd4.Replug();
    EXPECT_TRUE(awaitThat([&] { return loads() == 1; }));
    rig.kd4.Unplug();
    // Plugged again only once the watch has looked and seen it gone.
    const int looked = rig.enumerations;
    EXPECT_TRUE(awaitThat([&] { return rig.enumerations >= looked + 2; }));
    rig.kd4.Replug();
    EXPECT_TRUE(awaitThat([&] { return loads() == 2; }));
    rig.stop.Request(SIGTERM);
    watch.join();
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(loads(), 2u);
    EXPECT_NE(result.err.find("quavelo-cli: preset 2 loaded into the KD4 at sim:kd4"),
              std::string::npos)
        << result.err;
    EXPECT_GT(rig.Writes(), 40u) << "both loads reached the device";
}

}  // namespace
}  // namespace quavelo
