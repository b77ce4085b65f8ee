#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace quavelo {

// The panel's command line:
//   quavelo [--simulate] [--sim-state FILE] [--trace FILE] [--data-dir DIR]
//           [--screenshot DIR] [--scale FACTOR] [--measure-startup]
struct AppOptions {
    enum class Action { kRun, kHelp, kVersion, kUsageError };

    Action action = Action::kRun;
    // kHelp: the help text; kVersion: the version line; kUsageError: what is wrong.
    QString message;

    bool simulate = false;
    std::optional<std::filesystem::path> simState;
    std::optional<std::filesystem::path> trace;
    std::optional<std::filesystem::path> dataDir;
    std::optional<std::filesystem::path> screenshotDir;
    bool measureStartup = false;
    // Device pixels per pixel the panel is drawn with, 1 to 4 (--scale); nullopt leaves it to the
    // screen. The layout stays the same in device-independent pixels.
    std::optional<double> scale;

    // True when the panel runs on the simulated devices (--simulate, or the screenshots, which
    // always do).
    bool Simulated() const { return simulate || screenshotDir.has_value(); }
};

// `arguments` without the options QApplication takes for itself (-platform NAME, -style NAME,
// -reverse, ...), in either the one- or the two-dash form, with their values.
QStringList WithoutQtOptions(const QStringList& arguments);

// Reads `arguments` (the program name first). Unknown options, stray arguments, empty values and
// --sim-state or --trace without the simulated devices are usage errors.
AppOptions ParseAppOptions(const QStringList& arguments);

}  // namespace quavelo
