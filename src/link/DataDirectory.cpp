#include "link/DataDirectory.h"

#include <cstdlib>
#include <system_error>

namespace quavelo {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> NonEmpty(const DataDirectoryEnvironment& environment, const char* name) {
    if (!environment.variable) return std::nullopt;
    std::optional<std::string> value = environment.variable(name);
    if (value && value->empty()) return std::nullopt;
    return value;
}

DataDirectory Ready(fs::path path) {
    if (path.empty()) return {std::move(path), "the data directory is empty"};
    std::error_code ec;
    if (fs::is_directory(path, ec)) return {std::move(path), {}};
    if (fs::exists(path, ec)) {
        return {path, "the data directory " + path.string() + " is not a directory"};
    }
    fs::create_directories(path, ec);
    if (ec || !fs::is_directory(path, ec)) {
        const std::string why = ec ? ec.message() : "it could not be created";
        return {path, "cannot create the data directory " + path.string() + ": " + why};
    }
    return {std::move(path), {}};
}

}  // namespace

DataDirectoryEnvironment ProcessDataDirectoryEnvironment() {
    DataDirectoryEnvironment environment;
    environment.variable = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    };
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) environment.executableDirectory = executable.parent_path();
    return environment;
}

DataDirectory ResolveDataDirectory(const std::optional<fs::path>& explicitDirectory,
                                   const DataDirectoryEnvironment& environment) {
    if (explicitDirectory) return Ready(*explicitDirectory);
    if (auto dir = NonEmpty(environment, "QUAVELO_DATA_DIR")) return Ready(*dir);

    const fs::path& programDir = environment.executableDirectory;
    std::error_code ec;
    if (!programDir.empty() && fs::exists(programDir / kPortableMarker, ec)) {
        return Ready(programDir);
    }

    if (auto xdg = NonEmpty(environment, "XDG_DATA_HOME"); xdg && fs::path(*xdg).is_absolute()) {
        return Ready(fs::path(*xdg) / "quavelo");
    }
    if (auto home = NonEmpty(environment, "HOME")) {
        return Ready(fs::path(*home) / ".local" / "share" / "quavelo");
    }
    return {{}, "no data directory: HOME is not set; give one with --data-dir"};
}

}  // namespace quavelo
