#pragma once

#include "device/ParamRange.h"
#include "link/LinkPeer.h"
#include "sim/SimulatedBackend.h"

namespace quavelo {

// Plays the device with the simulated TORVA: the link's reports reach its wire, and the test's
// input reports are sent by it.
class SimulatedPeer final : public LinkPeer {
  public:
    SimulatedPeer() : device_(backend_.AddDevice(kModelTorva)) {}

    HidBackend& Backend() override { return backend_; }
    std::string Path() const override { return device_.Path(); }
    void SendInput(std::span<const std::uint8_t> report) override { device_.SendInput(report); }
    std::optional<std::vector<std::uint8_t>> ReceiveOutput(
        std::chrono::milliseconds wait) override {
        return device_.WaitForReceived(wait);
    }
    void StallWrites() override { SetStall(true); }
    void ResumeWrites() override { SetStall(false); }
    void Unplug() override { device_.Unplug(); }
    int LiveDevices() const override { return device_.LiveOpenings(); }

  private:
    void SetStall(bool stall) {
        SimFaults faults = device_.Faults();
        faults.stallWrites = stall;
        device_.SetFaults(faults);
    }

    SimulatedBackend backend_;
    SimulatedDevice& device_;
};

}  // namespace quavelo
