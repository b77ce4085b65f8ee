#include <iostream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "language/UserLanguage.h"
#include "link/HidrawBackend.h"
#include "link/UdevRemovalMonitor.h"

int main(int argc, char** argv) {
    // First, before any thread starts: stop signals wait for the command in progress.
    quavelo::StopRequest& stop = quavelo::RouteStopSignals();
    quavelo::RealSleeper sleeper;
    quavelo::CliEnvironment environment;
    environment.makeDeviceBackend = [] { return std::make_unique<quavelo::HidrawBackend>(); };
    environment.makeDeviceMonitor = []() -> std::unique_ptr<quavelo::RemovalMonitor> {
        std::string error;
        return quavelo::UdevRemovalMonitor::Create(error);
    };
    environment.dataDirectory = quavelo::ProcessDataDirectoryEnvironment();
    environment.sleeper = &sleeper;
    environment.stop = &stop;
    environment.language = quavelo::ProcessUserLanguage();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quavelo::RunCli(args, std::cout, std::cerr, environment);
}
