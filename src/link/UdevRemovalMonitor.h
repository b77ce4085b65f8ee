#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/RemovalMonitor.h"

struct udev;
struct udev_monitor;

namespace quavelo {

// Removals of hidraw nodes as udev announces them; the paths are the nodes (/dev/hidrawN), the
// same paths the hidraw backend enumerates. Its descriptor becomes readable at every hidraw
// event, additions included, so a caller that looks for new devices can wait on it too. Where no
// udev daemon runs (a minimal system, a container, the test machine), udev relays nothing and
// libudev's udev source stays silent; the monitor then listens to the kernel's own uevents, which
// announce the same removal with the same node.
class UdevRemovalMonitor final : public RemovalMonitor {
  public:
    // nullptr with `error` set when the udev monitor cannot be set up. Whether the daemon runs is
    // decided here, once, by its control socket, as libudev itself decides.
    static std::unique_ptr<UdevRemovalMonitor> Create(std::string& error);

    // "udev" or "kernel": where the events come from.
    const char* Source() const { return source_; }

    UdevRemovalMonitor(const UdevRemovalMonitor&) = delete;
    UdevRemovalMonitor& operator=(const UdevRemovalMonitor&) = delete;
    ~UdevRemovalMonitor() override;

    int Fd() const override;
    // Reads every event udev has queued (of any action) and keeps the device nodes of the
    // "remove" events.
    std::vector<std::string> TakeRemovedPaths() override;

  private:
    UdevRemovalMonitor(udev* context, udev_monitor* monitor, const char* source)
        : context_(context), monitor_(monitor), source_(source) {}

    udev* const context_;
    udev_monitor* const monitor_;
    const char* const source_;
};

}  // namespace quavelo
