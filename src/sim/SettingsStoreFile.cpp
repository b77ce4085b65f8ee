#include "sim/SettingsStoreFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "link/AtomicFile.h"

namespace quavelo {

namespace {

std::string ErrnoText(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

StoreFileResult Refused(std::string error) {
    return {StoreFileStatus::kRefused, {}, std::move(error)};
}

}  // namespace

StoreFileResult ReadSettingsStoreFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) return {};
    if (fd < 0) return Refused(ErrnoText("cannot open"));
    // One byte more than an image, so that a longer file is seen as such.
    std::array<std::uint8_t, kSettingsStoreSize + 1> buffer{};
    std::size_t got = 0;
    std::string error;
    while (got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = ErrnoText("cannot read");
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!error.empty()) return Refused(error);
    if (got > kSettingsStoreSize) {
        return Refused("the file holds more than " + std::to_string(kSettingsStoreSize) + " bytes");
    }
    if (got < kSettingsStoreSize) {
        return Refused("the file holds " + std::to_string(got) + " bytes, not " +
                       std::to_string(kSettingsStoreSize));
    }
    StoreFileResult result{StoreFileStatus::kLoaded, {}, {}};
    std::copy_n(buffer.begin(), kSettingsStoreSize, result.image.begin());
    return result;
}

std::string WriteSettingsStoreFile(const std::filesystem::path& path,
                                   const SettingsStoreImage& image) {
    return WriteFileAtomically(path, image);
}

}  // namespace quavelo
