#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/ModelProfile.h"
#include "uhid/UhidRelay.h"

namespace quavelo {

// The command line of quavelo-uhid-device.
struct UhidDeviceOptions {
    quavelo::Model model = quavelo::Model::Torva;
    // Answer every report with itself instead of playing the model's protocol.
    bool echo = false;
    // Where the simulated device appends its wire trace; empty for none.
    std::string tracePath;
    // Where the simulated device's settings store is loaded from at start (when the file exists)
    // and saved to at the end, so that successive runs see one device; empty for none.
    std::string statePath;
    // The serial number the device shows (HID_UNIQ); empty for none.
    std::string serial;
    RelayFaults faults;
    bool help = false;
};

// One line of what the program reads on its standard input: the KD4's own controls.
struct UhidDeviceControl {
    enum class Kind { kKnob, kMute, kLock };
    Kind kind = Kind::kMute;
    int detents = 0;  // kKnob: steps to turn the gain knob, -47..47
};

// Reads "knob N", "mute" or "lock". False with `error` set otherwise.
bool ParseUhidDeviceControl(const std::string& line, UhidDeviceControl& control,
                            std::string& error);

// The usage text, one option a line.
std::string UhidDeviceUsage();

// Reads the arguments after the program name. False with `error` set (naming the option and
// what it takes) on an unknown option, a missing or malformed value, or a value out of range.
bool ParseUhidDeviceOptions(const std::vector<std::string>& args, UhidDeviceOptions& options,
                            std::string& error);

}  // namespace quavelo
