#include "vm/UhidPeer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>

namespace quavelo {

namespace {

// Each peer's device gets its own name, by which its hidraw node is found.
std::string NextName() {
    static std::atomic<int> count{0};
    return "QUAVELO peer " + std::to_string(getpid()) + "-" + std::to_string(++count);
}

}  // namespace

UhidPeer::UhidPeer() {
    device_ = UhidDevice::Create({kVendor, kProduct, NextName()}, error_);
    if (!device_) {
        return;
    }
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    server_ = std::thread([this] { Serve(); });
    path_ = device_->FindNode(std::chrono::milliseconds(3000));
    if (path_.empty()) {
        error_ = "the kernel made no hidraw node for the uhid device";
    }
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
    if (wakeFd_ >= 0) {
        close(wakeFd_);
    }
}

void UhidPeer::Wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(wakeFd_, &one, sizeof one);
}

void UhidPeer::Serve() {
    for (;;) {
        bool stalled = false;
        {
            std::lock_guard lock(lock_);
            if (quit_) {
                return;
            }
            stalled = stalled_;
        }
        const short wanted = stalled ? short{0} : short{POLLIN};
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {device_->Fd(), wanted, 0}};
        if (poll(fds, 2, -1) <= 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t ignored = read(wakeFd_, &count, sizeof count);
            continue;
        }
        if ((fds[1].revents & POLLIN) == 0) {
            continue;
        }
        {
            // A stall asked for while poll() waited holds the events that came with it.
            std::lock_guard lock(lock_);
            if (stalled_ || quit_) {
                continue;
            }
        }
        UhidOutput output;
        if (device_->Receive(output) != UhidReceive::kOutput) {
            continue;
        }
        {
            std::lock_guard lock(lock_);
            outputs_.push_back(output.report);
            received_.notify_all();
        }
        if (output.requestId) {
            device_->Acknowledge(*output.requestId, true);
        }
    }
}

void UhidPeer::SendInput(std::span<const std::uint8_t> report) {
    if (device_) {
        device_->SendInput(report);
    }
}

std::optional<std::vector<std::uint8_t>> UhidPeer::ReceiveOutput(std::chrono::milliseconds wait) {
    std::unique_lock lock(lock_);
    if (!received_.wait_for(lock, wait, [&] { return !outputs_.empty(); })) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> report = std::move(outputs_.front());
    outputs_.pop_front();
    return report;
}

void UhidPeer::StallWrites() {
    {
        std::lock_guard lock(lock_);
        stalled_ = true;
    }
    Wake();
}

void UhidPeer::ResumeWrites() {
    {
        std::lock_guard lock(lock_);
        stalled_ = false;
    }
    Wake();
}

void UhidPeer::Unplug() {
    if (device_) {
        device_->Destroy();
    }
}

}  // namespace quavelo
