#include "sim/SimulatedBackend.h"

#include <utility>

#include "device/ParamRange.h"

namespace quavelo {

std::string DefaultSimulatedPath(Model model) {
    return "sim:" + std::string(ProfileOf(model).cliName);
}

SimulatedDevice& SimulatedBackend::AddDevice(Model model, std::string path) {
    if (path.empty()) path = DefaultSimulatedPath(model);
    std::lock_guard lock(lock_);
    return *devices_.emplace_back(SimulatedDevice::Create(model, std::move(path)));
}

SimulatedDevice* SimulatedBackend::Find(const std::string& path) const {
    std::lock_guard lock(lock_);
    for (const auto& device : devices_) {
        if (device->Path() == path) return device.get();
    }
    return nullptr;
}

std::vector<HidDeviceInfo> SimulatedBackend::Enumerate() {
    std::lock_guard lock(lock_);
    std::vector<HidDeviceInfo> infos;
    for (const auto& device : devices_) {
        if (device->Plugged()) infos.push_back(device->Info());
    }
    return infos;
}

std::unique_ptr<HidDevice> SimulatedBackend::Open(const std::string& path, OpenError& error) {
    std::lock_guard lock(lock_);
    for (const auto& device : devices_) {
        if (device->Path() == path && device->Plugged()) return device->Open(error);
    }
    error = {OpenError::Kind::Other, "No such device", 0};
    return nullptr;
}

}  // namespace quavelo
