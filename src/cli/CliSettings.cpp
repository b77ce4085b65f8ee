#include "cli/CliSettings.h"

#include <array>
#include <charconv>
#include <cmath>

#include "device/ControlSends.h"
#include "device/Messages.h"
#include "device/ParamRange.h"
#include "device/ValueDisplay.h"

namespace quavelo {

namespace {

enum class ValueKind { Number, OnOff, EqView };

struct SettingEntry {
    const char* name;
    ValueKind kind;
    // The models that have the setting; nullptr for every model.
    bool ModelProfile::*has = nullptr;
};

constexpr std::array<SettingEntry, 14> kSettings{{
    {"mic-gain", ValueKind::Number},
    {"gain2", ValueKind::Number},
    {"limiter", ValueKind::OnOff},
    {"limiter-level", ValueKind::Number},
    {"highpass", ValueKind::OnOff},
    {"highpass-freq", ValueKind::Number},
    {"stereo", ValueKind::OnOff, &ModelProfile::hasStereo},
    {"monitor-mic-cut", ValueKind::Number},
    {"monitor-playback-cut", ValueKind::Number},
    {"eq", ValueKind::OnOff},
    {"eq-mode", ValueKind::EqView},
    {"lock", ValueKind::OnOff, &ModelProfile::hasLock},
    {"mute", ValueKind::OnOff, &ModelProfile::hasMute},
    {"indicator", ValueKind::OnOff, &ModelProfile::hasIndicator},
}};

bool Has(const ModelProfile& profile, const SettingEntry& entry) {
    return entry.has == nullptr || profile.*entry.has;
}

// The names of the models that have the setting.
std::string ModelsWith(const SettingEntry& entry) {
    std::string names;
    for (Model model : kModels) {
        if (!Has(ProfileOf(model), entry)) continue;
        if (!names.empty()) names += ", ";
        names += ProfileOf(model).name;
    }
    return names;
}

ParamRange NumberRange(std::string_view name, const ModelProfile& profile) {
    if (name == "mic-gain") return ranges::kMicGain;
    if (name == "gain2") return profile.gain2Range;
    if (name == "limiter-level") return ranges::kLimiterLevel;
    if (name == "highpass-freq") return ranges::kHpfFreq;
    return ranges::kMonitorCut;
}

std::string Allowed(const SettingEntry& entry, const ModelProfile& profile) {
    switch (entry.kind) {
        case ValueKind::OnOff:
            return "on or off";
        case ValueKind::EqView:
            return "slider or graph";
        case ValueKind::Number: {
            const ParamRange range = NumberRange(entry.name, profile);
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

std::optional<int> ParseValue(const SettingEntry& entry, const ModelProfile& profile,
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
            if (!value || !NumberRange(entry.name, profile).Contains(*value)) return std::nullopt;
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

// What the model's page control for `name` sends (for a page that sends deferred: what its send
// job sends, without the job's hand-shake with the level poller).
bool Send(DeviceCommands& c, const DeviceParams& p, std::string_view name) {
    if (name == "mic-gain") return c.SetMicGain();
    if (name == "gain2") return c.SetGain2();
    if (name == "limiter" || name == "limiter-level") return c.SetLimiter();
    if (name == "highpass" || name == "highpass-freq") return c.SetHighPass();
    if (name == "stereo") return c.SetStereo();
    if (name == "monitor-mic-cut" || name == "monitor-playback-cut") return SendMonitorMix(c, p);
    if (name == "eq") return SendEqSwitch(c, p);
    if (name == "eq-mode") return SendEqView(c, p);
    if (name == "lock" || name == "mute" || name == "indicator") return SendStatusSwitches(c);
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
            for (Model model : kModels) {
                if (model != kModels.front()) help += ", ";
                help += std::string(ProfileOf(model).name) + " " + Allowed(entry, ProfileOf(model));
            }
        } else {
            help += Allowed(entry, ProfileOf(kModels.front()));
        }
        if (entry.has != nullptr) help += " (" + ModelsWith(entry) + ")";
        help += '\n';
    }
    return help;
}

std::optional<SettingChange> ParseSetting(const ModelProfile& profile, std::string_view name,
                                          std::string_view value, std::string& error) {
    for (const SettingEntry& entry : kSettings) {
        if (name != entry.name) continue;
        if (!Has(profile, entry)) {
            error = std::string(name) + " is a setting of the " + ModelsWith(entry) + " only";
            return std::nullopt;
        }
        const auto parsed = ParseValue(entry, profile, value);
        if (!parsed) {
            error = std::string(name) + " takes " + Allowed(entry, profile) + ", not \"" +
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
    if (Send(c, p, change.name)) return ExitCode::kDone;
    session.Err() << "quavelo-cli: " << session.Text(message::kSendFailed) << " (" << change.name
                  << ")\n";
    return ExitCode::kSendFailed;
}

std::optional<BandChange> ParseBand(std::string_view set, int band, std::optional<double> freq,
                                    std::optional<double> gainDb, std::string& error) {
    BandChange change;
    if (set != "graph" && set != "slider") {
        error = "band takes the set graph or slider, not \"" + std::string(set) + "\"";
        return std::nullopt;
    }
    change.set = set == "graph" ? BandSet::Graph : BandSet::Slider;
    if (band < 1 || band > kEqBands) {
        error = "band takes a band number 1..5, not " + std::to_string(band);
        return std::nullopt;
    }
    change.band = band;
    if (freq) {
        if (change.set != BandSet::Graph) {
            error = "--freq changes graph bands only: the slider bands have fixed frequencies";
            return std::nullopt;
        }
        // Whole hertz, compared as a double: a value beyond any integer is refused, not cast.
        const double hz = std::trunc(*freq);
        if (!std::isfinite(hz) || hz < ranges::kBandFreq.min || hz > ranges::kBandFreq.max) {
            error = "--freq takes 20..20000 Hz";
            return std::nullopt;
        }
        change.freq = static_cast<int>(hz);
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
    const auto name = [](BandSet set) { return set == BandSet::Graph ? "graph" : "slider"; };
    if (BandSetInUse(p) != change.set) {
        session.Err() << "quavelo-cli: the " << name(change.set)
                      << " set is not in use (eq-mode is " << name(BandSetInUse(p)) << ")\n";
        return ExitCode::kUsage;
    }
    EqBand& band = Bands(p, change.set)[change.band - 1];
    if (change.freq) band.freq = *change.freq;
    if (change.gain) band.gain = *change.gain;

    if (session.Commands().SetBand(change.set, change.band)) {
        return ExitCode::kDone;
    }
    session.Err() << "quavelo-cli: " << session.Text(message::kSendFailed) << " (band "
                  << change.band << ")\n";
    return ExitCode::kSendFailed;
}

}  // namespace quavelo
