#include "sim/SettingsStoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "link/AtomicFile.h"
#include "link/DeviceLock.h"

namespace quavelo {

namespace {

std::string ErrnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

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

int LockSettingsStoreFile(const std::filesystem::path& path, const SettingsStoreImage& initial,
                          OpenError& error) {
    // Saving replaces the file by renaming another over it, so the file opened here may have been
    // replaced before its lock was taken; the lock counts only on the file the path still names.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            if (std::string problem = WriteSettingsStoreFile(path, initial); !problem.empty()) {
                error = {OpenError::Kind::Other, path.string() + ": " + problem, 0};
                return -1;
            }
            continue;
        }
        if (fd < 0) {
            error = {OpenError::Kind::Other, ErrnoText("cannot open " + path.string()), 0};
            return -1;
        }
        long holder = 0;
        if (!TakeDeviceLock(fd, holder)) {
            ::close(fd);
            error = {OpenError::Kind::InUse, "in use by another QUAVELO process", holder};
            return -1;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            return fd;
        }
        ::close(fd);
    }
    error = {OpenError::Kind::Other, path.string() + ": the file keeps being replaced", 0};
    return -1;
}

std::string WriteSettingsStoreFile(const std::filesystem::path& path,
                                   const SettingsStoreImage& image) {
    return WriteFileAtomically(path, image);
}

}  // namespace quavelo
