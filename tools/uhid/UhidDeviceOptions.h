#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "uhid/UhidRelay.h"

namespace quavelo {

// The command line of quavelo-uhid-device.
struct UhidDeviceOptions {
    enum class Model { kTorva, kKd4 };
    Model model = Model::kTorva;
    // Answer every report with itself instead of playing the model's protocol.
    bool echo = false;
    RelayFaults faults;
    bool help = false;
};

// The usage text, one option a line.
std::string UhidDeviceUsage();

// Reads the arguments after the program name. False with `error` set (naming the option and
// what it takes) on an unknown option, a missing or malformed value, or a value out of range.
bool ParseUhidDeviceOptions(const std::vector<std::string>& args, UhidDeviceOptions& options,
                            std::string& error);

}  // namespace quavelo
