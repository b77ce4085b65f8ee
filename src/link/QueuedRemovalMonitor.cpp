#include "link/QueuedRemovalMonitor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace quavelo {

namespace {

bool MakeNonblockingCloexec(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 &&
           fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

}  // namespace

std::unique_ptr<QueuedRemovalMonitor> QueuedRemovalMonitor::Create(std::string& error) {
    int fds[2];
    if (pipe(fds) != 0) {
        error = std::generic_category().message(errno);
        return nullptr;
    }
    if (!MakeNonblockingCloexec(fds[0]) || !MakeNonblockingCloexec(fds[1])) {
        error = std::generic_category().message(errno);
        close(fds[0]);
        close(fds[1]);
        return nullptr;
    }
    return std::unique_ptr<QueuedRemovalMonitor>(new QueuedRemovalMonitor(fds[0], fds[1]));
}

QueuedRemovalMonitor::~QueuedRemovalMonitor() {
    close(readFd_);
    close(writeFd_);
}

void QueuedRemovalMonitor::Raise(std::string path) {
    std::lock_guard lock(lock_);
    if (pending_.empty()) {
        const char signal = 1;
        // A one-byte write to an empty pipe cannot block or be partial.
        [[maybe_unused]] const ssize_t ignored = write(writeFd_, &signal, 1);
    }
    pending_.push_back(std::move(path));
}

std::vector<std::string> QueuedRemovalMonitor::TakeRemovedPaths() {
    std::lock_guard lock(lock_);
    if (!pending_.empty()) {
        char signal = 0;
        [[maybe_unused]] const ssize_t ignored = read(readFd_, &signal, 1);
    }
    return std::exchange(pending_, {});
}

}  // namespace quavelo
