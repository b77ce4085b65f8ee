#pragma once

namespace quavelo {

// The command-line tool's exit codes.
enum class ExitCode : int {
    kDone = 0,
    kUsage = 2,              // unknown command or name, value out of range, extra arguments
    kNoDevice = 3,           // no device of the model is attached
    kReadBackFailed = 4,     // the settings could not be read back
    kSendFailed = 5,         // a report could not be sent
    kPresetUnavailable = 6,  // the preset slot is empty, unreadable or cannot be written
    kInUse = 7,              // the device is in use by another QUAVELO process
    kNotOpenable = 8,        // a device is present but cannot be opened (permissions)
};

}  // namespace quavelo
