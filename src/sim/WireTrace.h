#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <span>
#include <string>

namespace quavelo {

enum class WireDirection : char {
    kWrite = 'W',  // an output report, host to device
    kRead = 'R',   // an input report the host read
};

// One line of the wire trace, without the line end: the time since the opening in milliseconds
// with three decimals, W or R, the first 16 bytes of the report as upper-case hex pairs separated
// by blanks (zeros past the end of a shorter report), and " FAIL" for a write the device did not
// take: "12.345 W FF 70 40 0E 01 00 43 00 00 00 00 00 00 00 00 00".
std::string FormatWireTraceLine(std::chrono::nanoseconds sinceOpen, WireDirection direction,
                                std::span<const std::uint8_t> report, bool failed);

// Records every report that crosses a simulated device's wire, one line each, to a stream or
// appended to a file. Shared by the device and its openings, which may write from several threads
// at once; lines never tear. A line the stream cannot take is lost silently: the trace is a
// diagnostic and must never fail a transfer.
class WireTrace {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Writes to `out`, which must outlive the trace. `clock` (the steady clock when empty) gives
    // the time of each line.
    explicit WireTrace(std::ostream& out, Clock clock = {});

    // Appends to the file at `path`, created when missing. nullptr with `error` set when it
    // cannot be opened.
    static std::shared_ptr<WireTrace> AppendToFile(const std::filesystem::path& path,
                                                   std::string& error, Clock clock = {});

    WireTrace(const WireTrace&) = delete;
    WireTrace& operator=(const WireTrace&) = delete;

    // The device was opened: the times of later lines count from now.
    void MarkOpen();

    void Record(WireDirection direction, std::span<const std::uint8_t> report, bool failed = false);

  private:
    WireTrace(std::unique_ptr<std::ostream> owned, Clock clock);

    std::unique_ptr<std::ostream> owned_;
    std::ostream& out_;
    const Clock clock_;
    std::mutex lock_;
    std::chrono::steady_clock::time_point openedAt_;
};

}  // namespace quavelo
