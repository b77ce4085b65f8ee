#pragma once

#include <atomic>

namespace quavelo {

// A request to stop the command-line tool: a stop signal (SIGTERM, SIGINT, SIGHUP) or a test.
// Commands look at it only where stopping leaves the device whole: `levels` between two
// readings, `watch` while it waits for a device and between two loads; every other command
// finishes first, so a staged coefficient load is never cut in half.
class StopRequest {
  public:
    StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;
    ~StopRequest();

    // Records a request with its signal number; only the first one counts. Any thread.
    void Request(int signal);
    // The signal of the first request; 0 while none came.
    int Signal() const noexcept { return signal_.load(); }
    // Readable once a request came, and from then on (for poll()); -1 when it could not be made.
    int Fd() const noexcept { return readFd_; }

  private:
    std::atomic<int> signal_{0};
    int readFd_ = -1;
    int writeFd_ = -1;
};

// Blocks SIGTERM, SIGINT and SIGHUP in the calling thread, and so in every thread it starts
// later, and hands each such signal to a StopRequest that lives until the process ends, from a
// thread of its own; no system call is ever interrupted. Call it before any thread is started.
StopRequest& RouteStopSignals();

}  // namespace quavelo
