#include "uhid/UhidDeviceOptions.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace quavelo {

namespace {

// Counts and durations: decimal digits only, at most 1'000'000'000.
constexpr unsigned kLargestNumber = 1'000'000'000;

std::optional<unsigned> ParseNumber(const std::string& text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (text.empty() || problem != std::errc() || stop != end || value > kLargestNumber) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string UhidDeviceUsage() {
    return "usage: quavelo-uhid-device [options]\n"
           "Serves a simulated device through /dev/uhid (root; the uhid module loaded) and\n"
           "prints its hidraw node once the kernel has made it. Ends on SIGINT or SIGTERM.\n"
           "Lines on standard input work the KD4's own controls: knob N (turn the gain\n"
           "knob N steps, -47..47), mute, lock.\n"
           "  --model torva|kd4     which model, and so which vendor and product id (torva)\n"
           "  --echo                answer every report with itself, not as the model\n"
           "  --trace FILE          append the device's wire trace to FILE\n"
           "  --sim-state FILE      load the settings store from FILE, save it back at the end\n"
           "  --serial TEXT         the device's serial number (HID_UNIQ), at most 63 characters\n"
           "  --stall-after N       take no more output reports after the first N\n"
           "  --stall-ms MS         end such a stall after MS milliseconds (default: never)\n"
           "  --silent              send nothing to the host\n"
           "  --garbage             send random bytes of random length instead of answers\n"
           "  --seed N              seed of the garbage (1)\n"
           "  --remove-after N      remove the device after taking N output reports\n"
           "  --remove-delay MS     ... MS milliseconds after the Nth report (0)\n"
           "  --help                this text\n";
}

bool ParseUhidDeviceOptions(const std::vector<std::string>& args, UhidDeviceOptions& options,
                            std::string& error) {
    options = UhidDeviceOptions{};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string& text) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            text = args[++i];
            return true;
        };
        const auto number = [&](unsigned& out) {
            std::string text;
            if (!value(text)) {
                return false;
            }
            const std::optional<unsigned> parsed = ParseNumber(text);
            if (!parsed) {
                error = arg + " takes a whole number from 0 to 1000000000, not '" + text + "'";
                return false;
            }
            out = *parsed;
            return true;
        };
        unsigned n = 0;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--model") {
            std::string text;
            if (!value(text)) {
                return false;
            }
            const quavelo::ModelProfile* profile = quavelo::FindProfile(text);
            if (profile == nullptr) {
                error = "--model takes torva or kd4, not '" + text + "'";
                return false;
            }
            options.model = profile->model;
        } else if (arg == "--echo") {
            options.echo = true;
        } else if (arg == "--trace") {
            if (!value(options.tracePath)) {
                return false;
            }
            if (options.tracePath.empty()) {
                error = "--trace needs a file name";
                return false;
            }
        } else if (arg == "--sim-state") {
            if (!value(options.statePath)) {
                return false;
            }
            if (options.statePath.empty()) {
                error = "--sim-state needs a file name";
                return false;
            }
        } else if (arg == "--serial") {
            if (!value(options.serial)) {
                return false;
            }
            if (options.serial.size() >= 64) {
                error = "--serial takes at most 63 characters";
                return false;
            }
        } else if (arg == "--silent") {
            options.faults.silent = true;
        } else if (arg == "--garbage") {
            options.faults.garbage = true;
        } else if (arg == "--stall-after") {
            if (!number(n)) {
                return false;
            }
            options.faults.stallAfter = n;
        } else if (arg == "--stall-ms") {
            if (!number(n)) {
                return false;
            }
            options.faults.stallFor = std::chrono::milliseconds(n);
        } else if (arg == "--seed") {
            if (!number(n)) {
                return false;
            }
            options.faults.seed = n;
        } else if (arg == "--remove-after") {
            if (!number(n)) {
                return false;
            }
            options.faults.removeAfter = n;
        } else if (arg == "--remove-delay") {
            if (!number(n)) {
                return false;
            }
            options.faults.removeDelay = std::chrono::milliseconds(n);
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return true;
}

bool ParseUhidDeviceControl(const std::string& line, UhidDeviceControl& control,
                            std::string& error) {
    if (line == "mute") {
        control = {UhidDeviceControl::Kind::kMute, 0};
        return true;
    }
    if (line == "lock") {
        control = {UhidDeviceControl::Kind::kLock, 0};
        return true;
    }
    constexpr std::string_view kKnob = "knob ";
    if (line.starts_with(kKnob)) {
        const std::string_view number = std::string_view(line).substr(kKnob.size());
        int detents = 0;
        const char* end = number.data() + number.size();
        const auto [stop, problem] = std::from_chars(number.data(), end, detents);
        if (!number.empty() && problem == std::errc() && stop == end && detents >= -47 &&
            detents <= 47) {
            control = {UhidDeviceControl::Kind::kKnob, detents};
            return true;
        }
        error = "knob takes a number of steps from -47 to 47, not '" + std::string(number) + "'";
        return false;
    }
    error = "unknown control '" + line + "' (knob N, mute, lock)";
    return false;
}

}  // namespace quavelo
