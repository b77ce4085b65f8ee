#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "link/HidDevice.h"

namespace quavelo {

// A device without a protocol: every output report it takes comes back as an input report with
// the same bytes. Checks of the transport use it to see that reports cross the wire whole, in
// both directions.
class EchoDevice final : public HidDevice {
  public:
    // Input reports waiting to be read; later ones are dropped until the reader catches up.
    static constexpr std::size_t kQueueLimit = 64;

    bool Write(std::span<const std::uint8_t> report) override;
    ReadResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override;
    void RequestStop() override;

  private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::vector<std::uint8_t>> queue_;
    bool stopped_ = false;
};

}  // namespace quavelo
