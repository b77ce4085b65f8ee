#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "link/QueuedRemovalMonitor.h"
#include "sim/SimulatedBackend.h"
#include "sim/SimulatedDevice.h"
#include "sim/WireTrace.h"

namespace quavelo {

// The simulated devices the panel runs against with --simulate and for its screenshots: one of
// each model ("sim:torva", "sim:kd4") on one backend, both plugged from the start, their
// removals announced on one queued removal monitor.
//
// The store file (--sim-state) stands for one device, as for the command-line tool: it is read
// when the session is created, loaded into a model's device the first time the panel connects to
// that model, and SaveStore writes back the store of the device the panel connected to last. The
// wire trace (--trace) records both devices.
class SimulatedSession {
  public:
    struct Options {
        std::optional<std::filesystem::path> storeFile;
        std::optional<std::filesystem::path> traceFile;
    };

    // nullptr with `error` set when the store file is refused or the trace or the removal
    // monitor cannot be set up.
    static std::unique_ptr<SimulatedSession> Create(const Options& options, std::string& error);

    SimulatedSession(const SimulatedSession&) = delete;
    SimulatedSession& operator=(const SimulatedSession&) = delete;
    ~SimulatedSession();

    // The backend and monitor the main window is given; they live as long as the session.
    SimulatedBackend& Backend() { return backend_; }
    QueuedRemovalMonitor& RemovalMonitor() { return *monitor_; }
    // The device of `model`.
    SimulatedDevice& Device(Model model);

    // The panel is about to connect to `model`.
    void PrepareConnect(Model model);
    // Writes the store of the device connected to last to the store file. "" when saved or when
    // there is nothing to save (no store file, no connection made), else what failed.
    std::string SaveStore() const;

  private:
    SimulatedSession() = default;

    SimulatedBackend backend_;
    std::unique_ptr<QueuedRemovalMonitor> monitor_;
    // One device per model, in the order of kModels.
    struct ModelDevice {
        SimulatedDevice* device = nullptr;
        bool storeLoaded = false;  // the store file was loaded into it
    };
    ModelDevice& EntryOf(Model model);

    std::array<ModelDevice, kModels.size()> devices_{};
    std::optional<std::filesystem::path> storeFile_;
    std::optional<SettingsStoreImage> storedImage_;
    SimulatedDevice* lastConnected_ = nullptr;
};

}  // namespace quavelo
