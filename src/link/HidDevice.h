#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quavelo {

enum class ReadStatus {
    kReport,    // one input report was read
    kTimedOut,  // none came within the time limit
    kStopped,   // RequestStop was called
    kFailed,    // the device is gone or broken; every later read fails as well
};

struct ReadResult {
    ReadStatus status = ReadStatus::kFailed;
    std::size_t length = 0;  // bytes stored in the buffer, with kReport
};

// One opened device, as a backend gives it to HidControl. Its operations block; HidControl runs
// them on its own threads and puts the time limits around them. At most one thread reads and at
// most one thread writes at a time; RequestStop may come from any thread while they do.
class HidDevice {
  public:
    // Read without a time limit: only a report, the stop request or a failure ends the wait.
    static constexpr std::chrono::milliseconds kNoTimeout{-1};

    virtual ~HidDevice() = default;

    // Writes one output report. May block for as long as the device takes to accept it (on
    // hidraw until the USB transfer ends, which cannot be cancelled); a wait the backend performs
    // itself ends at RequestStop. True when the whole report was taken.
    virtual bool Write(std::span<const std::uint8_t> report) = 0;

    // Waits at most `timeout` (or kNoTimeout) for one input report and copies it into `buffer`;
    // a report longer than the buffer is cut to it.
    virtual ReadResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) = 0;

    // The stop event of this opening: ends a Read in progress and makes every later Read return
    // kStopped at once; ends a Write where the backend can. It stays raised for the rest of the
    // opening, so it can never be lost or be consumed by the wrong wait.
    virtual void RequestStop() = 0;
};

}  // namespace quavelo
