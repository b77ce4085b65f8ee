#pragma once

#include <string>
#include <vector>

#include "link/LinkState.h"

namespace quavelo {

// Tells the panel's user-interface thread that HID devices went away. The panel watches Fd()
// (a QSocketNotifier) and, when it becomes readable, calls TakeRemovalOf with its link state.
class RemovalMonitor {
  public:
    virtual ~RemovalMonitor() = default;

    // Readable while removals are pending. Owned by the monitor; valid for its lifetime.
    virtual int Fd() const = 0;

    // The device paths removed since the last call, oldest first. Clears Fd's readability;
    // never blocks.
    virtual std::vector<std::string> TakeRemovedPaths() = 0;

    // Takes the pending removals and tells whether one of them was the device the search
    // examined last (the link state's devicePath, compared ignoring case). Whether that device
    // counts as connected (deviceFound) is for the caller to decide.
    bool TakeRemovalOf(const LinkState& link);
};

}  // namespace quavelo
