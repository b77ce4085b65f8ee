#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "link/HidDevice.h"
#include "uhid/UhidDevice.h"

namespace quavelo {

// Misbehaviour of a device served through uhid, as a faulty or unplugged device would show it to
// the host. The default is a sound device.
struct RelayFaults {
    // After taking this many output reports the device takes no more: it stops reading its uhid
    // events, so a host write that waits for the device (see UhidOutput) waits.
    std::optional<unsigned> stallAfter;
    // How long such a stall lasts; unset: until the device goes.
    std::optional<std::chrono::milliseconds> stallFor;
    // Nothing the device model sends reaches the host.
    bool silent = false;
    // Each input report is replaced by random bytes of a random length (1..64) from `seed`.
    bool garbage = false;
    std::uint32_t seed = 1;
    // The device removes itself `removeDelay` after taking this many output reports.
    std::optional<unsigned> removeAfter;
    std::chrono::milliseconds removeDelay{0};
};

// Serves a device model (any HidDevice: the reports written to it are what the host wrote, the
// reports read from it are sent to the host) through a uhid device, with the faults asked for.
// Each host write is acknowledged only after the model took the report, so a model that holds a
// write holds the host's.
class UhidRelay {
  public:
    enum class End {
        kStopped,  // the stop descriptor became readable
        kRemoved,  // the device removed itself (RelayFaults::removeAfter)
        kFailed,   // uhid failed
    };

    // `device` and `model` must outlive the relay.
    UhidRelay(UhidDevice& device, HidDevice& model, const RelayFaults& faults);

    // Serves until `stopFd` becomes readable, the device removes itself, or uhid fails. Ends the
    // model's reads (RequestStop) before it returns.
    End Run(int stopFd);

  private:
    void ForwardInput();

    UhidDevice& device_;
    HidDevice& model_;
    const RelayFaults faults_;
    unsigned taken_ = 0;  // output reports taken so far
};

}  // namespace quavelo
