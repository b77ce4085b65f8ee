#include "uhid/UhidRelay.h"

#include <poll.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <random>
#include <thread>
#include <vector>

namespace quavelo {

namespace {

using Clock = std::chrono::steady_clock;

constexpr Clock::time_point kNever = Clock::time_point::max();

// Milliseconds from now until `moment`, for poll(); -1 for kNever.
int WaitUntil(Clock::time_point moment) {
    if (moment == kNever) {
        return -1;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(moment - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

}  // namespace

UhidRelay::UhidRelay(UhidDevice& device, HidDevice& model, const RelayFaults& faults)
    : device_(device), model_(model), faults_(faults) {}

void UhidRelay::ForwardInput() {
    std::minstd_rand random(faults_.seed);
    std::array<std::uint8_t, 4096> buffer{};
    for (;;) {
        const ReadResult result = model_.Read(buffer, HidDevice::kNoTimeout);
        if (result.status == ReadStatus::kStopped || result.status == ReadStatus::kFailed) {
            return;
        }
        if (result.status != ReadStatus::kReport || faults_.silent) {
            continue;
        }
        if (faults_.garbage) {
            std::vector<std::uint8_t> garbage(1 + random() % 64);
            for (std::uint8_t& byte : garbage) {
                byte = static_cast<std::uint8_t>(random());
            }
            device_.SendInput(garbage);
        } else {
            device_.SendInput(std::span(buffer).first(result.length));
        }
    }
}

UhidRelay::End UhidRelay::Run(int stopFd) {
    std::thread input([this] { ForwardInput(); });
    bool stalled = false;
    Clock::time_point stallEnds = kNever;
    Clock::time_point removeAt = kNever;
    // Starts what the faults ask for once `taken_` reports have been taken.
    const auto counted = [&] {
        if (faults_.stallAfter && taken_ == *faults_.stallAfter) {
            stalled = true;
            if (faults_.stallFor) {
                stallEnds = Clock::now() + *faults_.stallFor;
            }
        }
        if (faults_.removeAfter && taken_ == *faults_.removeAfter) {
            removeAt = Clock::now() + faults_.removeDelay;
        }
    };
    counted();
    End end = End::kFailed;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (now >= removeAt) {
            device_.Destroy();
            end = End::kRemoved;
            break;
        }
        if (stalled && now >= stallEnds) {
            stalled = false;
            stallEnds = kNever;
        }
        const short wanted = stalled ? short{0} : short{POLLIN};
        pollfd fds[2] = {{stopFd, POLLIN, 0}, {device_.Fd(), wanted, 0}};
        const int n = poll(fds, 2, WaitUntil(std::min(stallEnds, removeAt)));
        if (n < 0 && errno != EINTR) {
            break;
        }
        if (n <= 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            end = End::kStopped;
            break;
        }
        if (fds[1].revents == 0) {
            continue;
        }
        UhidOutput output;
        const UhidReceive got = device_.Receive(output);
        if (got == UhidReceive::kFailed) {
            break;
        }
        if (got != UhidReceive::kOutput) {
            continue;
        }
        const bool taken = model_.Write(output.report);
        if (output.requestId) {
            device_.Acknowledge(*output.requestId, taken);
        }
        ++taken_;
        counted();
    }
    model_.RequestStop();
    input.join();
    return end;
}

}  // namespace quavelo
