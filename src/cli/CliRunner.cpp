#include "cli/CliRunner.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <optional>
#include <thread>

#include "cli/CliOutput.h"
#include "cli/CliSettings.h"
#include "device/ControlSends.h"
#include "device/PresetFile.h"

namespace quavelo {

namespace {

using namespace std::chrono_literals;

struct Arguments {
    std::string model = "torva";
    CliOptions options;
    std::string settingName;
    std::string settingValue;
    std::string bandSet;
    int bandNumber = 0;
    std::optional<double> bandFreq;
    std::optional<double> bandGain;
    int presetSlot = 0;
    int levelCount = 10;
};

int Code(ExitCode code) { return static_cast<int>(code); }

ExitCode Fail(std::ostream& err, const std::string& message, ExitCode code) {
    err << "quavelo-cli: " << message << '\n';
    return code;
}

ExitCode RunList(CliSession& session, std::ostream& out, bool json) {
    const ExitCode prepared = session.Prepare();
    if (prepared != ExitCode::kDone) return prepared;
    std::vector<HidDeviceInfo> devices = session.Backend().Enumerate();
    std::erase_if(devices, [](const HidDeviceInfo& d) {
        return ModelOfIds(d.vendorId, d.productId) == kModelNone;
    });
    PrintDeviceList(out, devices, json);
    if (devices.empty())
        return Fail(session.Err(), "no TORVA or KD4 device found", ExitCode::kNoDevice);
    return ExitCode::kDone;
}

ExitCode RunDump(CliSession& session, std::ostream& out, bool json) {
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    PrintSettings(out, session.Params(), json);
    return ExitCode::kDone;
}

ExitCode RunPush(CliSession& session) {
    if (session.Model() == kModelKd4) {
        return Fail(session.Err(), "push is a TORVA command: the KD4 keeps its own settings",
                    ExitCode::kUsage);
    }
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    return session.Commands().PushAllSettings() ? ExitCode::kDone : ExitCode::kSendFailed;
}

ExitCode RunLevels(CliSession& session, std::ostream& out, bool json, int count) {
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    DeviceCommands& commands = session.Commands();
    DeviceParams& params = session.Params();
    std::vector<LevelReading> readings;
    for (int i = 0; i < count; ++i) {
        LevelReading reading;
        if (session.Model() == kModelKd4) {
            // As the KD4 poller: the request (with its own 50 ms), 30 ms for the answer to reach
            // the reader thread, then 100 ms before the next one.
            params.meterReady = 0;
            if (!commands.RequestLevelKd4())
                return Fail(session.Err(), "发送失败", ExitCode::kSendFailed);
            commands.Pause(30ms);
            const auto deadline = std::chrono::steady_clock::now() + 500ms;
            while (params.meterReady == 0 && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(1ms);
            }
            if (params.meterReady == 0) {
                return Fail(session.Err(), "the KD4 did not report its level",
                            ExitCode::kSendFailed);
            }
            reading.first = params.meterLevel;
            if (i + 1 < count) commands.Pause(100ms);
        } else {
            if (!commands.PollLevels(reading.first, reading.second)) {
                return Fail(session.Err(), "the TORVA did not report its levels",
                            ExitCode::kSendFailed);
            }
            if (i + 1 < count) commands.Pause(20ms);
        }
        readings.push_back(reading);
    }
    PrintLevels(out, session.Model(), readings, json);
    return ExitCode::kDone;
}

ExitCode RunCurve(CliSession& session, std::ostream& out, bool json) {
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    PrintCurve(out, session.Params(), json);
    return ExitCode::kDone;
}

// The slot's file, refused as an empty slot ("没有保存") when it cannot be used.
std::optional<PresetImage> ReadSlot(CliSession& session, int slot) {
    if (session.DataDirectoryPath().empty()) return std::nullopt;
    const PresetReadResult read =
        ReadPresetFile(PresetFilePath(session.DataDirectoryPath(), slot - 1));
    if (!read.image) {
        session.Err() << "quavelo-cli: 没有保存 (slot " << slot << ": " << read.error << ")\n";
    }
    return read.image;
}

ExitCode RunPresetShow(CliSession& session, std::ostream& out, bool json, int slot) {
    const auto image = ReadSlot(session, slot);
    if (!image) return ExitCode::kPresetUnavailable;
    PrintPresetPreview(out, session.Model(), DecodePresetImage(*image), json);
    return ExitCode::kDone;
}

ExitCode RunPresetSave(CliSession& session, int slot) {
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    const auto path = PresetFilePath(session.DataDirectoryPath(), slot - 1);
    const std::string error = WritePresetFile(path, BuildPresetImage(session.Params()));
    if (!error.empty()) {
        return Fail(session.Err(),
                    "cannot save slot " + std::to_string(slot) + " (" + path.string() +
                        "): " + error + "; the slot is unchanged",
                    ExitCode::kPresetUnavailable);
    }
    return ExitCode::kDone;
}

ExitCode RunPresetLoad(CliSession& session, int slot) {
    const auto image = ReadSlot(session, slot);
    if (!image) return ExitCode::kPresetUnavailable;
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    DeviceParams& params = session.Params();
    const PresetFields fields = DecodePresetImage(*image);
    const bool kd4 = session.Model() == kModelKd4;
    if (kd4) {
        ApplyPresetKd4(fields, params);
    } else {
        ApplyPresetTorva(fields, params);
    }
    const bool sent = kd4 ? SendPresetRecallKd4(session.Commands(), params)
                          : SendPresetRecallTorva(session.Commands(), params);
    return sent ? ExitCode::kDone : Fail(session.Err(), "发送失败", ExitCode::kSendFailed);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           CliEnvironment& environment) {
    CLI::App app{"Reads and changes the settings of TORVA and KD4 microphone converters.",
                 "quavelo-cli"};
    app.set_version_flag("--version", "quavelo-cli 1.2.0");
    // Extra words are collected rather than refused by the parser, so the message can name them.
    app.allow_extras();
    app.require_subcommand(0, 1);
    app.fallthrough();
    Arguments a;
    app.add_option("--model", a.model, "which model to open")
        ->check(CLI::IsMember({"torva", "kd4"}))
        ->capture_default_str();
    app.add_flag("--simulate", a.options.simulate,
                 "use the built-in simulated device of that model instead of USB");
    app.add_option("--sim-state", a.options.simState,
                   "the simulated device loads its settings from FILE and saves them back");
    app.add_option("--trace", a.options.trace, "append the wire trace of this run to FILE");
    app.add_option("--data-dir", a.options.dataDir, "folder of the preset files and the daily log");
    app.add_flag("--json", a.options.json, "machine-readable output on stdout");

    auto* list = app.add_subcommand("list", "the attached devices of either model");
    auto* dump = app.add_subcommand("dump", "read the settings back and print them");
    auto* push = app.add_subcommand("push", "TORVA: read back, then push every setting");
    auto* set = app.add_subcommand("set", "change one setting as the panel's control does");
    set->add_option("NAME", a.settingName, "the setting")->required();
    set->add_option("VALUE", a.settingValue, "its new value")->required();
    set->footer("Settings:\n" + SettingNamesHelp());
    auto* band = app.add_subcommand("band", "change one equaliser band of the set in use");
    band->add_option("SET", a.bandSet, "graph or slider")->required();
    band->add_option("N", a.bandNumber, "band 1..5")->required();
    band->add_option("--freq", a.bandFreq, "frequency in Hz, 20..20000 (graph bands)");
    band->add_option("--gain", a.bandGain, "gain in dB, -15..15");
    auto* preset = app.add_subcommand("preset", "preset slots 1..10");
    preset->require_subcommand(1);
    auto* show = preset->add_subcommand("show", "the preview of slot N (needs no device)");
    auto* save = preset->add_subcommand("save", "read back, then write slot N");
    auto* load = preset->add_subcommand("load", "read back, load slot N and send it");
    for (auto* sub : {show, save, load}) {
        sub->add_option("N", a.presetSlot, "slot 1..10")->required()->check(CLI::Range(1, 10));
    }
    auto* levels = app.add_subcommand("levels", "poll the level meters");
    levels->add_option("--count", a.levelCount, "how many readings")->check(CLI::Range(1, 100000));
    auto* curve = app.add_subcommand("curve", "the equaliser response of the graph bands");

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? 0 : Code(ExitCode::kUsage);
    }
    a.options.model = a.model == "kd4" ? kModelKd4 : kModelTorva;
    const std::vector<std::string> extras = app.remaining(true);
    if (app.get_subcommands().empty()) {
        const std::string what =
            extras.empty() ? "a command is required" : "unknown command \"" + extras.front() + "\"";
        return Code(Fail(err, what + "; run with --help for the commands", ExitCode::kUsage));
    }
    if (!extras.empty()) {
        return Code(Fail(err, "unexpected argument \"" + extras.front() + "\"", ExitCode::kUsage));
    }

    // Everything the device is not needed for is checked first, so a usage error sends nothing.
    std::optional<SettingChange> setting;
    std::optional<BandChange> bandChange;
    std::string error;
    if (set->parsed()) {
        setting = ParseSetting(a.options.model, a.settingName, a.settingValue, error);
        if (!setting) return Code(Fail(err, error, ExitCode::kUsage));
    }
    if (band->parsed()) {
        bandChange = ParseBand(a.bandSet, a.bandNumber, a.bandFreq, a.bandGain, error);
        if (!bandChange) return Code(Fail(err, error, ExitCode::kUsage));
    }

    CliSession session(a.options, environment, err);
    const bool json = a.options.json;
    ExitCode code = ExitCode::kDone;
    if (list->parsed()) {
        code = RunList(session, out, json);
    } else if (dump->parsed()) {
        code = RunDump(session, out, json);
    } else if (push->parsed()) {
        code = RunPush(session);
    } else if (set->parsed()) {
        code = session.Connect();
        if (code == ExitCode::kDone) code = ApplySetting(session, *setting);
    } else if (band->parsed()) {
        code = session.Connect();
        if (code == ExitCode::kDone) code = ApplyBand(session, *bandChange);
    } else if (show->parsed()) {
        code = RunPresetShow(session, out, json, a.presetSlot);
    } else if (save->parsed()) {
        code = RunPresetSave(session, a.presetSlot);
    } else if (load->parsed()) {
        code = RunPresetLoad(session, a.presetSlot);
    } else if (levels->parsed()) {
        code = RunLevels(session, out, json, a.levelCount);
    } else if (curve->parsed()) {
        code = RunCurve(session, out, json);
    }
    return Code(code);
}

}  // namespace quavelo
