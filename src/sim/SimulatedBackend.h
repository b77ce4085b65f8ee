#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "sim/SimulatedDevice.h"

namespace quavelo {

// The path a simulated device of `model` gets when none is given: "sim:torva" or "sim:kd4".
std::string DefaultSimulatedPath(Model model);

// A HidBackend whose interfaces are simulated devices. HidControl opens them exactly as it opens
// hidraw nodes, so its write limit, reader thread and bounded reads apply unchanged.
class SimulatedBackend final : public HidBackend {
  public:
    // Adds a device of `model` at `path` (DefaultSimulatedPath when empty), enumerated after the
    // devices added before it. The backend keeps the device; the reference stays valid for the
    // backend's lifetime.
    SimulatedDevice& AddDevice(Model model, std::string path = {});

    // The device added at `path` (the first, when several share it); nullptr when none.
    SimulatedDevice* Find(const std::string& path) const;

    // The plugged devices in the order they were added.
    std::vector<HidDeviceInfo> Enumerate() override;
    // A fresh opening of the first plugged device at `path`.
    std::unique_ptr<HidDevice> Open(const std::string& path, OpenError& error) override;

  private:
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<SimulatedDevice>> devices_;
};

}  // namespace quavelo
