#pragma once

#include <ostream>

#include "cli/CliExit.h"
#include "cli/CliSession.h"

namespace quavelo {

// `quavelo-cli watch --preset N`: waits for devices of the model to appear (only the --device one
// when given) and loads slot N into each one every time it appears, exactly as `preset load`
// does: read back, apply, recall. Devices present at the start count as appearing. It wakes at
// the device monitor's events, or looks every pollInterval without one, and never holds a device
// between two loads, so the panel may use it meanwhile. Each load is told on stderr and in the
// daily log ("preset 3 loaded into the KD4 at /dev/hidraw3"); a load that fails is told with
// the reason and tried again at the device's next appearance, except that a device that cannot
// be opened yet (its access rule not applied) is tried again at every look while it stays.
//
// A stop request ends the wait, after a load in progress: kDone, since ending is what a stop of
// `watch` asks for. Before watching, a slot that cannot be read gives kPresetUnavailable.
ExitCode RunWatch(const CliOptions& options, CliEnvironment& environment, std::ostream& err,
                  int slot);

}  // namespace quavelo
