#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "sim/SimulatedBackend.h"
#include "support/RecordingSleeper.h"
#include "support/TempDir.h"

namespace quavelo::test {

// Hands the tool a backend that forwards to one the test keeps, so an "attached" simulated device
// lives across runs as a real one would, and the test can look into it afterwards.
class ForwardingBackend final : public HidBackend {
  public:
    explicit ForwardingBackend(HidBackend& target) : target_(target) {}
    std::vector<HidDeviceInfo> Enumerate() override { return target_.Enumerate(); }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override {
        return target_.Open(path, error);
    }

  private:
    HidBackend& target_;
};

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// The tool run in this process against the devices in `attached`, with the data directory in a
// fresh folder and pauses recorded instead of waited.
struct CliRig {
    TempDir dir;
    RecordingSleeper sleeper;
    SimulatedBackend attached;
    CliEnvironment environment;

    CliRig() {
        environment.makeDeviceBackend = [this] {
            return std::make_unique<ForwardingBackend>(attached);
        };
        environment.dataDirectory.variable = [](const char*) { return std::nullopt; };
        environment.dataDirectory.executableDirectory = dir.Path();
        environment.dataDirectory.isWritable = [](const std::filesystem::path&) { return true; };
        environment.sleeper = &sleeper;
        environment.kd4ReadBackLimit = std::chrono::milliseconds(500);
    }

    CliResult Run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        CliResult result;
        result.code = RunCli(args, out, err, environment);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
};

}  // namespace quavelo::test
