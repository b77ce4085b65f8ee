#pragma once

namespace quavelo {

// The command-line tool's exit codes. A stop signal (SIGTERM, SIGINT, SIGHUP) that arrives while a
// command runs lets it finish (`levels` stops at its next reading) and the run ends with 128 + the
// signal's number instead, as the shell reports a process ended by it; `watch`, which runs until
// it is stopped, ends with kDone.
enum class ExitCode : int {
    kDone = 0,
    kUsage = 2,           // unknown command or name, value out of range, extra arguments
    kNoDevice = 3,        // no device of the model is attached
    kReadBackFailed = 4,  // the settings could not be read back
    kSendFailed = 5,      // a report could not be sent
    // The preset slot is empty, unreadable or cannot be written, or a file to import or an
    // export's target cannot be used (not a preset, cannot be written).
    kPresetUnavailable = 6,
    kInUse = 7,        // the device stayed in use by another QUAVELO process for 2 s
    kNotOpenable = 8,  // a device is present but cannot be opened (permissions, or it failed)
};

}  // namespace quavelo
