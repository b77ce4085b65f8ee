#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quavelo {

// Replaces the file at `path` with `bytes` so that a reader sees either the old content or the
// new, never a mixture: the bytes go to a temporary file in the same folder, are flushed to
// disk, and the temporary file is renamed over `path`. On failure the temporary file is removed
// and `path` keeps its old content. Returns "" on success, else what failed and why
// ("cannot write: No space left on device").
std::string WriteFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes);

}  // namespace quavelo
