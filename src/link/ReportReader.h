#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>

#include "link/HidDevice.h"
#include "link/ReportLink.h"

namespace quavelo {

// Receives each input report on the reader thread: its first 16 bytes (zero past its end when it
// is shorter) and its length in bytes. It runs on the reader thread, never on the caller's, so it
// must not touch widgets and must not block for long.
using InputReportHandler = std::function<void(const HidReport& report, std::size_t length)>;

// The reader thread of one opened device: reads input reports without a time limit and hands
// each to the handler, until the device's stop is requested or the device fails (removal).
class ReportReader {
  public:
    // Size of the buffer each read goes into; longer reports are cut to it.
    static constexpr std::size_t kReadBufferSize = 1024;

    // Starts the thread; nullptr when it cannot be started.
    static std::unique_ptr<ReportReader> Start(std::shared_ptr<HidDevice> device,
                                               InputReportHandler handler);

    ReportReader(const ReportReader&) = delete;
    ReportReader& operator=(const ReportReader&) = delete;
    // Stops with a zero wait if Stop was not called.
    ~ReportReader();

    // False once the thread has ended by itself because the device failed.
    bool Running() const;

    // Ends the thread; call it after the device's stop was requested. Waits at most `wait`; true
    // when the thread ended in time. A thread still inside the handler by then is let go: it ends
    // after the handler returns, at its next look at the stop, and keeps the device open until
    // then.
    bool Stop(std::chrono::milliseconds wait);

  private:
    struct State;
    explicit ReportReader(std::shared_ptr<State> state);
    static void Run(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;  // shared with the thread, which may outlive this object
    std::thread thread_;
};

}  // namespace quavelo
