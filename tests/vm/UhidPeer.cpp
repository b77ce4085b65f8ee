#include "vm/UhidPeer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

namespace quavelo {

UhidPeer::UhidPeer() {
    // Each peer's device gets its own name, by which its node is found.
    static std::atomic<int> count{0};
    const std::string name =
        "QUAVELO peer " + std::to_string(getpid()) + "-" + std::to_string(++count);
    device_ = UhidDevice::Create({kVendor, kProduct, name, {}}, error_);
    if (!device_) return;
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    server_ = std::thread([this] { Serve(); });
    node_ = device_->FindNode(std::chrono::milliseconds(3000));
    if (node_.empty()) error_ = "the kernel made no hidraw node for the uhid device";
}

UhidPeer::~UhidPeer() {
    if (server_.joinable()) {
        {
            std::lock_guard lock(lock_);
            quit_ = true;
        }
        Wake();
        server_.join();
    }
    if (wakeFd_ >= 0) close(wakeFd_);
}

void UhidPeer::Wake() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(wakeFd_, &one, sizeof one);
}

void UhidPeer::Serve() {
    for (;;) {
        bool stalled = false;
        {
            std::lock_guard lock(lock_);
            if (quit_) return;
            stalled = stalled_;
        }
        pollfd fds[2] = {{wakeFd_, POLLIN, 0},
                         {device_->Fd(), stalled ? short{0} : short{POLLIN}, 0}};
        if (poll(fds, 2, -1) <= 0) continue;
        if (fds[0].revents != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t ignored = read(wakeFd_, &count, sizeof count);
            continue;
        }
        {
            // A stall asked for while poll() waited holds the events that came with it.
            std::lock_guard lock(lock_);
            if (stalled_ || quit_) continue;
        }
        UhidOutput output;
        if ((fds[1].revents & POLLIN) == 0 || device_->Receive(output) != UhidReceive::kOutput) {
            continue;
        }
        {
            std::lock_guard lock(lock_);
            outputs_.push_back(output.report);
            received_.notify_all();
        }
        if (output.requestId) device_->Acknowledge(*output.requestId, true);
    }
}

std::optional<LinkPeer::Bytes> UhidPeer::ReceiveOutput(std::chrono::milliseconds wait) {
    std::unique_lock lock(lock_);
    if (!received_.wait_for(lock, wait, [&] { return !outputs_.empty(); })) return std::nullopt;
    Bytes report = std::move(outputs_.front());
    outputs_.pop_front();
    return report;
}

void UhidPeer::Stall(bool stalled) {
    {
        std::lock_guard lock(lock_);
        stalled_ = stalled;
    }
    Wake();
}

int UhidPeer::LiveDevices() const {
    // A node removed while open shows as "<node> (deleted)".
    int count = 0;
    std::error_code ec;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        const std::string name = std::filesystem::read_symlink(fd.path(), ec).string();
        count += name == node_ || name == node_ + " (deleted)";
    }
    return count;
}

}  // namespace quavelo
