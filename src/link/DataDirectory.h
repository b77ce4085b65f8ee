#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quavelo {

// What choosing the data directory looks at, injectable for tests.
struct DataDirectoryEnvironment {
    // The value of an environment variable; nullopt when it is not set.
    std::function<std::optional<std::string>(const char* name)> variable;
    // The folder of the running program; empty when it cannot be found.
    std::filesystem::path executableDirectory;
};

// The marker file that makes the program's own folder its data directory (portable use; the
// build tree's program folders hold one).
inline constexpr char kPortableMarker[] = "portable";

// The real process environment and the folder of /proc/self/exe.
DataDirectoryEnvironment ProcessDataDirectoryEnvironment();

struct DataDirectory {
    std::filesystem::path path;
    // Empty when `path` is a directory (created if it was missing); otherwise why it cannot be
    // used, naming the path.
    std::string error;
};

// The folder of the preset files and the daily log, the same rule for the panel and the
// command-line tool: `explicitDirectory` (the --data-dir option) when given, else
// $QUAVELO_DATA_DIR, else the program's own folder when the marker file `portable` stands in it,
// else $XDG_DATA_HOME/quavelo, else ~/.local/share/quavelo, for every user including root, so an
// installed program never writes beside itself (/usr/bin). Empty variables count as unset and a
// relative XDG_DATA_HOME is ignored. The chosen folder is created with its parents if missing.
DataDirectory ResolveDataDirectory(const std::optional<std::filesystem::path>& explicitDirectory,
                                   const DataDirectoryEnvironment& environment);

}  // namespace quavelo
