#include "link/RemovalMonitor.h"

#include <algorithm>

namespace quavelo {

bool RemovalMonitor::TakeRemovalOf(const LinkState& link) {
    const std::vector<std::string> removed = TakeRemovedPaths();
    return std::any_of(removed.begin(), removed.end(),
                       [&](const std::string& path) { return link.IsDevicePath(path); });
}

}  // namespace quavelo
