#include "cli/CliSettings.h"

#include <array>
#include <charconv>
#include <cmath>

#include "device/ControlSends.h"
#include "device/ParamRange.h"
#include "device/ValueDisplay.h"

namespace quavelo {

namespace {

enum class ValueKind { Number, OnOff, EqView };
enum class Models { Both, TorvaOnly, Kd4Only };

struct SettingEntry {
    const char* name;
    ValueKind kind;
    Models models;
};

constexpr std::array<SettingEntry, 14> kSettings{{
    {"mic-gain", ValueKind::Number, Models::Both},
    {"gain2", ValueKind::Number, Models::Both},
    {"limiter", ValueKind::OnOff, Models::Both},
    {"limiter-level", ValueKind::Number, Models::Both},
    {"highpass", ValueKind::OnOff, Models::Both},
    {"highpass-freq", ValueKind::Number, Models::Both},
    {"stereo", ValueKind::OnOff, Models::TorvaOnly},
    {"monitor-mic-cut", ValueKind::Number, Models::Both},
    {"monitor-playback-cut", ValueKind::Number, Models::Both},
    {"eq", ValueKind::OnOff, Models::Both},
    {"eq-mode", ValueKind::EqView, Models::Both},
    {"lock", ValueKind::OnOff, Models::Kd4Only},
    {"mute", ValueKind::OnOff, Models::Kd4Only},
    {"indicator", ValueKind::OnOff, Models::Kd4Only},
}};

ParamRange NumberRange(std::string_view name, std::int32_t model) {
    if (name == "mic-gain") return ranges::kMicGain;
    if (name == "gain2") return Gain2Range(model);
    if (name == "limiter-level") return ranges::kLimiterLevel;
    if (name == "highpass-freq") return ranges::kHpfFreq;
    return ranges::kMonitorCut;
}

std::string Allowed(const SettingEntry& entry, std::int32_t model) {
    switch (entry.kind) {
        case ValueKind::OnOff:
            return "on or off";
        case ValueKind::EqView:
            return "slider or graph";
        case ValueKind::Number: {
            const ParamRange range = NumberRange(entry.name, model);
            return std::to_string(range.min) + ".." + std::to_string(range.max);
        }
    }
    return {};
}

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<int> ParseValue(const SettingEntry& entry, std::int32_t model,
                              std::string_view text) {
    switch (entry.kind) {
        case ValueKind::OnOff:
            if (text == "on") return 1;
            if (text == "off") return 0;
            return std::nullopt;
        case ValueKind::EqView:
            if (text == "slider") return 0;
            if (text == "graph") return 1;
            return std::nullopt;
        case ValueKind::Number: {
            const auto value = ParseInt(text);
            if (!value || !NumberRange(entry.name, model).Contains(*value)) return std::nullopt;
            return value;
        }
    }
    return std::nullopt;
}

// Stores the value as the panel's control for `name` stores it.
void StoreSetting(DeviceParams& p, std::string_view name, int v) {
    if (name == "mic-gain") p.micGain = v;
    if (name == "gain2") p.gain2 = v;
    if (name == "limiter") StoreLimiterSwitch(p, v);
    if (name == "limiter-level") p.limiterLevel = v;
    if (name == "highpass") StoreHighPassSwitch(p, v);
    if (name == "highpass-freq") p.hpfFreq = v;
    if (name == "stereo") p.stereo = v;
    if (name == "monitor-mic-cut") StoreMonitorMicCut(p, v);
    if (name == "monitor-playback-cut") StoreMonitorPlaybackCut(p, v);
    if (name == "eq") p.eqEnabled = v;
    if (name == "eq-mode") p.eqMode = v;
    if (name == "lock") p.kd4Lock = v;
    if (name == "mute") p.kd4Mute = v;
    if (name == "indicator") p.kd4Indicator = v;
}

// What the TORVA page's control for `name` sends, on the user-interface thread.
bool SendTorva(DeviceCommands& c, const DeviceParams& p, std::string_view name) {
    if (name == "mic-gain") return c.SetMicGain(p.micGain);
    if (name == "gain2") return c.SetGain2(p.gain2);
    if (name == "limiter" || name == "limiter-level")
        return c.SetLimiter(p.limiterOn, p.limiterLevel);
    if (name == "highpass" || name == "highpass-freq") return c.SetHighPass(p.hpfOn, p.hpfFreq);
    if (name == "stereo") return c.SetStereo(p.stereo);
    if (name == "monitor-mic-cut" || name == "monitor-playback-cut") {
        return SendMonitorMixTorva(c, p);
    }
    if (name == "eq") return SendEqSwitchTorva(c, p);
    if (name == "eq-mode") return SendEqViewTorva(c, p);
    return false;
}

// What the send job that the KD4 page's control for `name` starts sends, without the job's
// hand-shake with the level poller.
bool SendKd4(DeviceCommands& c, const DeviceParams& p, std::string_view name) {
    if (name == "mic-gain") return c.SetMicGainKd4(p.micGain);
    if (name == "gain2") return c.SetGain2Kd4(p.gain2);
    if (name == "limiter" || name == "limiter-level") {
        return c.SetLimiterKd4(p.limiterOn, p.limiterLevel);
    }
    if (name == "highpass" || name == "highpass-freq") return c.SetHighPassKd4(p.hpfOn, p.hpfFreq);
    if (name == "monitor-mic-cut" || name == "monitor-playback-cut") return SendMonitorMixKd4(c, p);
    if (name == "eq") return SendEqSwitchKd4(c, p);
    if (name == "eq-mode") return SendEqViewKd4(c, p);
    if (name == "lock" || name == "mute" || name == "indicator") return SendSwitchesKd4(c);
    return false;
}

}  // namespace

std::string SettingNamesHelp() {
    std::string help;
    for (const SettingEntry& entry : kSettings) {
        help += "  ";
        help += entry.name;
        help += std::string(22 - std::string_view(entry.name).size(), ' ');
        if (entry.name == std::string_view("gain2")) {
            help += "TORVA 0..47, KD4 0..80";
        } else {
            help += Allowed(entry, kModelTorva);
        }
        if (entry.models == Models::TorvaOnly) help += " (TORVA)";
        if (entry.models == Models::Kd4Only) help += " (KD4)";
        help += '\n';
    }
    return help;
}

std::optional<SettingChange> ParseSetting(std::int32_t model, std::string_view name,
                                          std::string_view value, std::string& error) {
    for (const SettingEntry& entry : kSettings) {
        if (name != entry.name) continue;
        const bool kd4 = model == kModelKd4;
        if ((entry.models == Models::TorvaOnly && kd4) ||
            (entry.models == Models::Kd4Only && !kd4)) {
            error = std::string(name) + " is a setting of the " + (kd4 ? "TORVA" : "KD4") + " only";
            return std::nullopt;
        }
        const auto parsed = ParseValue(entry, model, value);
        if (!parsed) {
            error = std::string(name) + " takes " + Allowed(entry, model) + ", not \"" +
                    std::string(value) + "\"";
            return std::nullopt;
        }
        return SettingChange{entry.name, *parsed};
    }
    error =
        "unknown setting \"" + std::string(name) + "\"; the settings are:\n" + SettingNamesHelp();
    return std::nullopt;
}

ExitCode ApplySetting(CliSession& session, const SettingChange& change) {
    DeviceCommands& c = session.Commands();
    DeviceParams& p = session.Params();
    StoreSetting(p, change.name, change.value);
    const bool sent =
        session.Model() == kModelKd4 ? SendKd4(c, p, change.name) : SendTorva(c, p, change.name);
    if (sent) return ExitCode::kDone;
    session.Err() << "quavelo-cli: 发送失败 (" << change.name << ")\n";
    return ExitCode::kSendFailed;
}

std::optional<BandChange> ParseBand(std::string_view set, int band, std::optional<double> freq,
                                    std::optional<double> gainDb, std::string& error) {
    BandChange change;
    if (set != "graph" && set != "slider") {
        error = "band takes the set graph or slider, not \"" + std::string(set) + "\"";
        return std::nullopt;
    }
    change.graph = set == "graph";
    if (band < 1 || band > kEqBands) {
        error = "band takes a band number 1..5, not " + std::to_string(band);
        return std::nullopt;
    }
    change.band = band;
    if (freq) {
        if (!change.graph) {
            error = "--freq changes graph bands only: the slider bands have fixed frequencies";
            return std::nullopt;
        }
        if (!std::isfinite(*freq) ||
            !ranges::kBandFreq.Contains(static_cast<std::int64_t>(*freq))) {
            error = "--freq takes 20..20000 Hz";
            return std::nullopt;
        }
        change.freq = static_cast<int>(*freq);
    }
    if (gainDb) {
        if (!std::isfinite(*gainDb) || *gainDb < -15.0 || *gainDb > 15.0) {
            error = "--gain takes -15..15 dB";
            return std::nullopt;
        }
        change.gain = BandGainFromGraph(*gainDb);
    }
    return change;
}

ExitCode ApplyBand(CliSession& session, const BandChange& change) {
    DeviceParams& p = session.Params();
    if ((p.eqMode == 1) != change.graph) {
        session.Err() << "quavelo-cli: the " << (change.graph ? "graph" : "slider")
                      << " set is not in use (eq-mode is " << (p.eqMode == 1 ? "graph" : "slider")
                      << ")\n";
        return ExitCode::kUsage;
    }
    EqBand& band = (change.graph ? p.graphBands : p.sliderBands)[change.band - 1];
    if (change.freq) band.freq = *change.freq;
    if (change.gain) band.gain = *change.gain;

    DeviceCommands& c = session.Commands();
    const bool flat = p.eqEnabled == 0;
    const int n = change.band;
    bool sent = false;
    if (session.Model() == kModelKd4) {
        if (change.graph)
            sent = flat ? c.SetGraphBandFlatKd4(n) : c.SetGraphBandKd4(n);
        else
            sent = flat ? c.SetSliderBandFlatKd4(n) : c.SetSliderBandKd4(n);
    } else {
        if (change.graph)
            sent = flat ? c.SetGraphBandFlat(n) : c.SetGraphBand(n);
        else
            sent = flat ? c.SetSliderBandFlat(n) : c.SetSliderBand(n);
    }
    if (sent) return ExitCode::kDone;
    session.Err() << "quavelo-cli: 发送失败 (band " << n << ")\n";
    return ExitCode::kSendFailed;
}

}  // namespace quavelo
