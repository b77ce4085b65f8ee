#pragma once

#include <chrono>
#include <functional>

namespace quavelo {

// Runs the user-interface thread's events until `done` holds or `limit` has passed; true when it
// holds. For the panel's unattended runs (screenshots, the start-up measurement), which drive the
// window themselves instead of waiting for a user.
bool PumpEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

}  // namespace quavelo
