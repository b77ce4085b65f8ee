#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quavelo {

// Tells a level poller to end. One event belongs to one poller: once signalled it stays
// signalled, so the signal can neither be lost nor taken by anyone else. The poller's pauses wait
// on it, so a stop ends a pause at once.
class PollStopEvent {
  public:
    // Any thread.
    void Signal();
    bool IsSignalled() const;
    // Waits at most `wait`; true when the event is (or becomes) signalled.
    bool WaitFor(std::chrono::milliseconds wait);

  private:
    mutable std::mutex lock_;
    std::condition_variable signalled_;
    bool set_ = false;
};

}  // namespace quavelo
