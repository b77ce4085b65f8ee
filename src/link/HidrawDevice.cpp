#include "link/HidrawDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <system_error>

#include "link/DeviceLock.h"

namespace quavelo {

namespace {

std::string ErrorText(int error) { return std::generic_category().message(error); }

using Clock = std::chrono::steady_clock;

enum class Wake { kReady, kTimedOut, kStopped, kFailed };

// Waits until `fd` shows `events` or the stop event is raised, until `deadline` (none: no
// limit). A hang-up or error on `fd` without `events` is a failure.
Wake WaitFor(int fd, short events, int stopFd, std::optional<Clock::time_point> deadline) {
    for (;;) {
        int waitMs = -1;
        if (deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            waitMs = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        pollfd fds[2] = {{stopFd, POLLIN, 0}, {fd, events, 0}};
        const int n = poll(fds, 2, waitMs);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Wake::kFailed;
        }
        if (n == 0) {
            return Wake::kTimedOut;
        }
        if (fds[0].revents != 0) {
            return Wake::kStopped;
        }
        if ((fds[1].revents & events) != 0) {
            return Wake::kReady;
        }
        return Wake::kFailed;
    }
}

}  // namespace

std::unique_ptr<HidrawDevice> HidrawDevice::Open(const std::string& path, OpenError& error) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int cause = errno;
        error.kind = (cause == EACCES || cause == EPERM) ? OpenError::Kind::NotPermitted
                                                         : OpenError::Kind::Other;
        error.text = ErrorText(cause);
        return nullptr;
    }
    long holder = 0;
    if (!TakeDeviceLock(fd, holder)) {
        close(fd);
        error = {OpenError::Kind::InUse, "in use by another QUAVELO process", holder};
        return nullptr;
    }
    return Adopt(fd, error.text);
}

std::unique_ptr<HidrawDevice> HidrawDevice::Adopt(int fd, std::string& error) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) {
        error = ErrorText(errno);
        close(fd);
        return nullptr;
    }
    const int stopFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd < 0) {
        error = ErrorText(errno);
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<HidrawDevice>(new HidrawDevice(fd, stopFd));
}

HidrawDevice::~HidrawDevice() {
    close(fd_);
    close(stopFd_);
}

bool HidrawDevice::Write(std::span<const std::uint8_t> report) {
    if (report.empty()) {
        return false;
    }
    for (;;) {
        const ssize_t written = write(fd_, report.data(), report.size());
        if (written >= 0) {
            return static_cast<std::size_t>(written) == report.size();
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return false;
        }
        if (WaitFor(fd_, POLLOUT, stopFd_, std::nullopt) != Wake::kReady) {
            return false;
        }
    }
}

ReadResult HidrawDevice::Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) {
    if (buffer.empty()) {
        return {ReadStatus::kFailed, 0};
    }
    std::optional<Clock::time_point> deadline;
    if (timeout >= std::chrono::milliseconds::zero()) {
        deadline = Clock::now() + timeout;
    }
    for (;;) {
        switch (WaitFor(fd_, POLLIN, stopFd_, deadline)) {
            case Wake::kReady:
                break;
            case Wake::kTimedOut:
                return {ReadStatus::kTimedOut, 0};
            case Wake::kStopped:
                return {ReadStatus::kStopped, 0};
            case Wake::kFailed:
                return {ReadStatus::kFailed, 0};
        }
        const ssize_t got = read(fd_, buffer.data(), buffer.size());
        if (got > 0) {
            return {ReadStatus::kReport, static_cast<std::size_t>(got)};
        }
        // 0 is the end of the stream: the other side of the node is gone.
        if (got == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            return {ReadStatus::kFailed, 0};
        }
    }
}

void HidrawDevice::RequestStop() {
    const std::uint64_t one = 1;
    // Only fails when the counter would overflow, and a raised stop stays raised anyway.
    [[maybe_unused]] const ssize_t ignored = write(stopFd_, &one, sizeof one);
}

}  // namespace quavelo
