#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliSession.h"

namespace quavelo {

// Runs `quavelo-cli` with `args` (without the program name), writing results to `out` and
// messages to `err`; returns the exit code (see cli/CliExit.h).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           CliEnvironment& environment);

}  // namespace quavelo
