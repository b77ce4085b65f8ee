#include "app/SimulatedSession.h"

#include "device/ParamRange.h"
#include "sim/SettingsStoreFile.h"

namespace quavelo {

std::unique_ptr<SimulatedSession> SimulatedSession::Create(const Options& options,
                                                           std::string& error) {
    std::unique_ptr<SimulatedSession> session(new SimulatedSession());
    session->monitor_ = QueuedRemovalMonitor::Create(error);
    if (!session->monitor_) return nullptr;

    if (options.storeFile) {
        StoreFileResult stored = ReadSettingsStoreFile(*options.storeFile);
        if (stored.status == StoreFileStatus::kRefused) {
            error = options.storeFile->string() + ": " + stored.error;
            return nullptr;
        }
        if (stored.status == StoreFileStatus::kLoaded) session->storedImage_ = stored.image;
        session->storeFile_ = options.storeFile;
    }

    std::shared_ptr<WireTrace> trace;
    if (options.traceFile) {
        trace = WireTrace::AppendToFile(*options.traceFile, error);
        if (!trace) return nullptr;
    }

    for (std::size_t i = 0; i < kModels.size(); ++i) {
        SimulatedDevice& device = session->backend_.AddDevice(kModels[i]);
        device.SetRemovalMonitor(session->monitor_.get());
        if (trace) device.SetWireTrace(trace);
        session->devices_[i].device = &device;
    }
    return session;
}

SimulatedSession::~SimulatedSession() {
    // Openings the panel let go may keep a device alive past the session; it must not announce
    // removals to a monitor that is gone.
    for (const ModelDevice& each : devices_) {
        if (each.device != nullptr) each.device->SetRemovalMonitor(nullptr);
    }
}

SimulatedSession::ModelDevice& SimulatedSession::EntryOf(Model model) {
    for (std::size_t i = 0; i < kModels.size(); ++i) {
        if (kModels[i] == model) return devices_[i];
    }
    return devices_[0];  // not reached: kModels lists every model
}

SimulatedDevice& SimulatedSession::Device(Model model) { return *EntryOf(model).device; }

void SimulatedSession::PrepareConnect(Model model) {
    ModelDevice& entry = EntryOf(model);
    if (!entry.storeLoaded && storedImage_) entry.device->ReplaceStore(*storedImage_);
    entry.storeLoaded = true;
    lastConnected_ = entry.device;
}

std::string SimulatedSession::SaveStore() const {
    if (!storeFile_ || lastConnected_ == nullptr) return {};
    return lastConnected_->SaveStoreFile(*storeFile_);
}

}  // namespace quavelo
