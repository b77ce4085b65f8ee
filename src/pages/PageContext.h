#pragma once

#include <filesystem>

#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"
#include "device/Prompt.h"
#include "device/SendWorker.h"

namespace quavelo {

// What a control page needs from the main window, which owns all of it and outlives the pages:
// the parameter model, the command set the page's controls send through, the message boxes, the
// KD4 send worker, and the folder of the preset files.
struct PageContext {
    DeviceParams& params;
    DeviceCommands& commands;
    Prompt& prompt;
    SendWorker& sendWorker;
    std::filesystem::path dataDirectory;
};

// The pages' background: opaque 0x202020 with 2-pixel black bars that divide the page into its
// sections.
inline constexpr unsigned kPageBackground = 0xFF202020;

}  // namespace quavelo
