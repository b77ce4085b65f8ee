#include <iostream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "language/UserLanguage.h"
#include "link/HidrawBackend.h"

int main(int argc, char** argv) {
    quavelo::RealSleeper sleeper;
    quavelo::CliEnvironment environment;
    environment.makeDeviceBackend = [] { return std::make_unique<quavelo::HidrawBackend>(); };
    environment.dataDirectory = quavelo::ProcessDataDirectoryEnvironment();
    environment.sleeper = &sleeper;
    environment.language = quavelo::ProcessUserLanguage();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quavelo::RunCli(args, std::cout, std::cerr, environment);
}
