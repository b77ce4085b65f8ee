#include "link/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quavelo {

namespace {

std::string ErrnoText(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes) {
    const std::filesystem::path temp = path.string() + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return ErrnoText("cannot create");
    std::string error;
    std::size_t put = 0;
    while (error.empty() && put < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + put, bytes.size() - put);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            error = ErrnoText("cannot write");
        else
            put += static_cast<std::size_t>(n);
    }
    if (error.empty() && ::fsync(fd) != 0) error = ErrnoText("cannot flush");
    if (::close(fd) != 0 && error.empty()) error = ErrnoText("cannot close");
    if (error.empty() && ::rename(temp.c_str(), path.c_str()) != 0)
        error = ErrnoText("cannot replace");
    if (!error.empty()) ::unlink(temp.c_str());
    return error;
}

}  // namespace quavelo
