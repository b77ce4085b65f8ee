#include "cli/CliWatch.h"

#include <poll.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliPresets.h"

namespace quavelo {

namespace {

class Watch {
  public:
    Watch(const CliOptions& options, CliEnvironment& environment, std::ostream& err, int slot)
        : options_(options), environment_(environment), err_(err), slot_(slot) {}

    ExitCode Run();

  private:
    // The nodes of the present devices this watch is for.
    std::vector<std::string> Present(CliSession& watcher) const;
    // Loads the slot into the device at `path`; true when it has had its turn.
    bool LoadInto(const std::string& path);
    void Tell(const std::string& line);
    // Waits for the next look: a monitor event, the poll interval (always without a monitor,
    // and while a device waits to be opened) or a stop request.
    void Wait();

    const CliOptions& options_;
    CliEnvironment& environment_;
    std::ostream& err_;
    const int slot_;
    std::unique_ptr<TrafficLog> log_;
    std::unique_ptr<RemovalMonitor> monitor_;
    std::set<std::string> served_;    // present devices that had their turn
    std::set<std::string> retrying_;  // present devices that could not be opened yet
};

ExitCode Watch::Run() {
    CliSession watcher(options_, environment_, err_);
    const ExitCode prepared = watcher.Prepare();
    if (prepared != ExitCode::kDone) return prepared;
    if (!ReadSlot(watcher, slot_)) return ExitCode::kPresetUnavailable;
    log_ = std::make_unique<TrafficLog>(*watcher.DataFolder(), environment_.clock);
    // The simulated devices come and go without telling the system's monitor.
    if (!options_.simulate && environment_.makeDeviceMonitor) {
        monitor_ = environment_.makeDeviceMonitor();
    }
    err_ << "quavelo-cli: watching for " << watcher.Profile().name << " devices to load preset "
         << slot_ << " into\n";

    while (!watcher.StopRequested()) {
        const std::vector<std::string> present = Present(watcher);
        const auto gone = [&](const std::string& path) {
            return std::find(present.begin(), present.end(), path) == present.end();
        };
        std::erase_if(served_, gone);
        std::erase_if(retrying_, gone);
        for (const std::string& path : present) {
            if (served_.contains(path) || watcher.StopRequested()) continue;
            if (LoadInto(path)) served_.insert(path);
        }
        Wait();
    }
    return ExitCode::kDone;
}

std::vector<std::string> Watch::Present(CliSession& watcher) const {
    const UsbIds ids = watcher.Profile().usb;
    std::vector<std::string> present;
    for (const HidDeviceInfo& info : watcher.Backend().Enumerate()) {
        if (info.vendorId != ids.vendor || info.productId != ids.product) continue;
        if (options_.device && info.path != *options_.device && info.serial != *options_.device)
            continue;
        present.push_back(info.path);
    }
    return present;
}

bool Watch::LoadInto(const std::string& path) {
    CliOptions one = options_;
    one.device = path;
    // A device that still cannot be opened has been told about once.
    std::ostringstream quiet;
    const bool told = retrying_.contains(path);
    ExitCode code = ExitCode::kDone;
    std::string device;
    {
        CliSession session(one, environment_, told ? quiet : err_);
        device = "the " + std::string(session.Profile().name) + " at " + path;
        code = LoadPreset(session, slot_);
    }
    const std::string preset = "preset " + std::to_string(slot_);
    switch (code) {
        case ExitCode::kDone:
            retrying_.erase(path);
            Tell(preset + " loaded into " + device);
            return true;
        case ExitCode::kNoDevice:
            return false;  // gone again
        case ExitCode::kNotOpenable:
            if (!told) Tell(preset + " not loaded into " + device + " yet: looking again");
            retrying_.insert(path);
            return false;
        default:
            retrying_.erase(path);
            Tell(preset + " not loaded into " + device + "; it is loaded when it appears again");
            return true;
    }
}

void Watch::Tell(const std::string& line) {
    err_ << "quavelo-cli: " << line << '\n';
    log_->WriteLogLine("watch: " + line);
}

void Watch::Wait() {
    pollfd fds[2] = {{environment_.stop ? environment_.stop->Fd() : -1, POLLIN, 0},
                     {monitor_ ? monitor_->Fd() : -1, POLLIN, 0}};
    const bool look = !monitor_ || !retrying_.empty();
    ::poll(fds, 2, look ? static_cast<int>(environment_.pollInterval.count()) : -1);
    if (monitor_ && fds[1].revents != 0) {
        // A device removed and plugged again between two looks is a new appearance.
        for (const std::string& path : monitor_->TakeRemovedPaths()) {
            served_.erase(path);
            retrying_.erase(path);
        }
    }
}

}  // namespace

ExitCode RunWatch(const CliOptions& options, CliEnvironment& environment, std::ostream& err,
                  int slot) {
    return Watch(options, environment, err, slot).Run();
}

}  // namespace quavelo
