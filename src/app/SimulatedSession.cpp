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

    session->torva_ = &session->backend_.AddDevice(kModelTorva);
    session->kd4_ = &session->backend_.AddDevice(kModelKd4);
    for (SimulatedDevice* device : {session->torva_, session->kd4_}) {
        device->SetRemovalMonitor(session->monitor_.get());
        if (trace) device->SetWireTrace(trace);
    }
    return session;
}

SimulatedSession::~SimulatedSession() {
    // Openings the panel let go may keep a device alive past the session; it must not announce
    // removals to a monitor that is gone.
    for (SimulatedDevice* device : {torva_, kd4_}) {
        if (device != nullptr) device->SetRemovalMonitor(nullptr);
    }
}

SimulatedDevice& SimulatedSession::Device(std::int32_t model) {
    return model == kModelKd4 ? *kd4_ : *torva_;
}

void SimulatedSession::PrepareConnect(std::int32_t model) {
    SimulatedDevice& device = Device(model);
    bool& loaded = model == kModelKd4 ? kd4Loaded_ : torvaLoaded_;
    if (!loaded && storedImage_) device.ReplaceStore(*storedImage_);
    loaded = true;
    lastConnected_ = &device;
}

std::string SimulatedSession::SaveStore() const {
    if (!storeFile_ || lastConnected_ == nullptr) return {};
    return lastConnected_->SaveStoreFile(*storeFile_);
}

}  // namespace quavelo
