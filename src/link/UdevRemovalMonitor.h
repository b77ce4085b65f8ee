#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/RemovalMonitor.h"

struct udev;
struct udev_monitor;

namespace quavelo {

// Removals of hidraw nodes as udev announces them; the paths are the nodes (/dev/hidrawN), the
// same paths the hidraw backend enumerates.
class UdevRemovalMonitor final : public RemovalMonitor {
  public:
    // nullptr with `error` set when the udev monitor cannot be set up.
    static std::unique_ptr<UdevRemovalMonitor> Create(std::string& error);

    UdevRemovalMonitor(const UdevRemovalMonitor&) = delete;
    UdevRemovalMonitor& operator=(const UdevRemovalMonitor&) = delete;
    ~UdevRemovalMonitor() override;

    int Fd() const override;
    // Reads every event udev has queued and keeps the device nodes of the "remove" events.
    std::vector<std::string> TakeRemovedPaths() override;

  private:
    UdevRemovalMonitor(udev* context, udev_monitor* monitor)
        : context_(context), monitor_(monitor) {}

    udev* const context_;
    udev_monitor* const monitor_;
};

}  // namespace quavelo
