#pragma once

#include <filesystem>
#include <string>

#include "link/HidBackend.h"
#include "sim/SettingsStore.h"

namespace quavelo {

// A simulated device's settings store kept between runs: the file holds the 256 store bytes and
// nothing else, so a device and its file agree byte for byte.

enum class StoreFileStatus {
    kLoaded,   // the file held a store image
    kMissing,  // there is no file yet: the device keeps the store it has
    kRefused,  // the file cannot be read or is no store image; `error` says why
};

struct StoreFileResult {
    StoreFileStatus status = StoreFileStatus::kMissing;
    SettingsStoreImage image{};  // with kLoaded
    std::string error;           // with kRefused: "the file holds 12 bytes, not 256"
};

StoreFileResult ReadSettingsStoreFile(const std::filesystem::path& path);

// Opens the store file at `path` for a device that keeps its store there while it is open, and
// takes the device lock on it (link/DeviceLock.h), so that two processes never work one store
// file at once. A missing file is written with `initial` first. The returned descriptor holds the
// lock until it is closed; -1 with `error` set (InUse with the holder, or the reason) when the
// lock cannot be had.
int LockSettingsStoreFile(const std::filesystem::path& path, const SettingsStoreImage& initial,
                          OpenError& error);

// Replaces the file atomically: a failed save leaves the previous file as it was. "" on success,
// else what failed and why.
std::string WriteSettingsStoreFile(const std::filesystem::path& path,
                                   const SettingsStoreImage& image);

}  // namespace quavelo
