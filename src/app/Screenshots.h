#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>

#include "device/DeviceParams.h"

namespace quavelo {

class SimulatedSession;

struct ScreenshotResult {
    QStringList files;  // the PNG files written, in the order taken
    QString error;      // empty when every screenshot was taken
};

// Renders the panel to PNG files in `directory` (created if missing), driving it as a user would
// against the simulated devices: start.png (the start screen), torva.png (the TORVA page connected,
// meters moving), kd4.png (the KD4 page connected) and simulated-device.png (the "Simulated
// device" window with the reports both devices received). Runs on the user-interface thread and
// needs no display; message boxes go to stderr.
ScreenshotResult TakeScreenshots(const std::filesystem::path& directory, DeviceParams& params,
                                 SimulatedSession& session,
                                 const std::filesystem::path& dataDirectory);

}  // namespace quavelo
