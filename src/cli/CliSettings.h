#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/CliExit.h"
#include "cli/CliSession.h"

namespace quavelo {

// A `set NAME VALUE` checked against the model before any device is touched.
struct SettingChange {
    std::string name;
    int value = 0;
};

// The names `set` knows, with their values, for `--help`.
std::string SettingNamesHelp();

// Checks NAME and VALUE for the model of `profile`: settings the model lacks and values outside
// their range are refused with a message that names the allowed values.
std::optional<SettingChange> ParseSetting(const ModelProfile& profile, std::string_view name,
                                          std::string_view value, std::string& error);

// Stores the value as the panel's control for NAME stores it, then sends exactly the commands
// that control sends while connected (also when the value equals the stored one). The session
// must be connected. kDone or kSendFailed.
ExitCode ApplySetting(CliSession& session, const SettingChange& change);

// A `band graph|slider N [--freq HZ] [--gain DB]` checked before any device is touched.
struct BandChange {
    BandSet set = BandSet::Graph;
    int band = 1;  // 1..5
    std::optional<int> freq;
    std::optional<int> gain;  // model units: trunc(dB x 10 + 150)
};

std::optional<BandChange> ParseBand(std::string_view set, int band, std::optional<double> freq,
                                    std::optional<double> gainDb, std::string& error);

// Changes the band when its set is the one in use (else kUsage) and sends it as the panel does:
// the flat variant while the equaliser is off. kDone, kUsage or kSendFailed.
ExitCode ApplyBand(CliSession& session, const BandChange& change);

}  // namespace quavelo
