#pragma once

#include <chrono>
#include <thread>

namespace quavelo {

// Every deliberate pause of the system (the KD4 commands' pacing, the send jobs' waits, the level
// pollers' intervals) goes through a Sleeper, so tests can record the length and place of each
// pause instead of waiting it out.
class Sleeper {
  public:
    virtual ~Sleeper() = default;
    virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

// Pauses the calling thread for real.
class RealSleeper final : public Sleeper {
  public:
    void SleepFor(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(duration);
    }
};

}  // namespace quavelo
