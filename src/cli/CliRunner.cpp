#include "cli/CliRunner.h"

#include <CLI/CLI.hpp>
#include <optional>

#include "cli/CliOutput.h"
#include "cli/CliSettings.h"
#include "device/ControlSends.h"
#include "device/Messages.h"
#include "device/PresetFile.h"

namespace quavelo {

namespace {

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
        return FindProfile(UsbIds{d.vendorId, d.productId}) == nullptr;
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
    if (!session.Profile().pushesOnConnect) {
        return Fail(session.Err(),
                    "push is not a command of the " + std::string(session.Profile().name) +
                        ": it keeps its own settings",
                    ExitCode::kUsage);
    }
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    return session.Commands().PushAllSettings() ? ExitCode::kDone : ExitCode::kSendFailed;
}

ExitCode RunLevels(CliSession& session, std::ostream& out, bool json, int count) {
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    const std::optional<std::vector<LevelReading>> readings = session.PollLevels(count);
    if (!readings) {
        return Fail(session.Err(),
                    "the " + std::string(session.Profile().name) + " did not report its levels",
                    ExitCode::kSendFailed);
    }
    PrintLevels(out, session.Profile(), *readings, json);
    return ExitCode::kDone;
}

ExitCode RunCurve(CliSession& session, std::ostream& out, bool json) {
    const ExitCode connected = session.Connect();
    if (connected != ExitCode::kDone) return connected;
    PrintCurve(out, session.Params(), json);
    return ExitCode::kDone;
}

// The slot's file, refused as an empty slot (the preset messages' notSaved) when it cannot be
// used.
std::optional<PresetImage> ReadSlot(CliSession& session, int slot) {
    if (session.DataDirectoryPath().empty()) return std::nullopt;
    const PresetReadResult read =
        ReadPresetFile(PresetFilePath(session.DataDirectoryPath(), slot - 1));
    if (!read.image) {
        session.Err() << "quavelo-cli: " << session.Text(session.Profile().presetMessages.notSaved)
                      << " (slot " << slot << ": " << read.error << ")\n";
    }
    return read.image;
}

ExitCode RunPresetShow(CliSession& session, std::ostream& out, bool json, int slot) {
    const auto image = ReadSlot(session, slot);
    if (!image) return ExitCode::kPresetUnavailable;
    PrintPresetPreview(out, session.Profile(), DecodePresetImage(*image), json);
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
    ApplyPreset(DecodePresetImage(*image), session.Params(), session.Profile());
    const bool sent = SendPresetRecall(session.Commands());
    return sent ? ExitCode::kDone
                : Fail(session.Err(), std::string(session.Text(message::kSendFailed)),
                       ExitCode::kSendFailed);
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
    std::vector<std::string> modelNames;
    for (Model model : kModels) modelNames.emplace_back(ProfileOf(model).cliName);
    app.add_option("--model", a.model, "which model to open")
        ->check(CLI::IsMember(modelNames))
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
    a.options.model = FindProfile(a.model)->model;
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
        setting = ParseSetting(ProfileOf(a.options.model), a.settingName, a.settingValue, error);
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
