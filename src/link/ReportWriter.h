#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <thread>

#include "link/HidDevice.h"

namespace quavelo {

// The writer thread of one opened device. A device write may block far longer than any caller
// may wait, so each write runs here while the caller waits for it with a time limit. A write that
// overruns the limit keeps the thread busy until the device takes or refuses it; writes asked for
// meanwhile fail at once instead of queueing behind it.
class ReportWriter {
  public:
    // Starts the thread; nullptr when it cannot be started.
    static std::unique_ptr<ReportWriter> Start(std::shared_ptr<HidDevice> device);

    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;
    // Shuts down with a zero wait if Shutdown was not called.
    ~ReportWriter();

    // Hands `bytes` to the thread and waits at most `limit` for the device to take them. False
    // when the write failed, did not finish in time, an earlier write is still in progress, or
    // the writer was shut down. A write that was not begun within `limit` is withdrawn.
    // Callers must serialise their calls (HidControl's write lock does).
    bool Write(std::span<const std::uint8_t> bytes, std::chrono::milliseconds limit);

    // Ends the thread. Call it after the device's stop was requested. Waits at most `wait` for a
    // write in progress; a write that outlasts it is let go: the thread ends when the device
    // returns from it, and keeps the device open until then. Waiting Write calls return false.
    void Shutdown(std::chrono::milliseconds wait);

  private:
    struct State;
    explicit ReportWriter(std::shared_ptr<State> state);
    static void Run(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;  // shared with the thread, which may outlive this object
    std::thread thread_;
};

}  // namespace quavelo
