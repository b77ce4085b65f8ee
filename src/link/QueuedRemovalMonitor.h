#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/RemovalMonitor.h"

namespace quavelo {

// A removal monitor fed by the program itself: a simulated device announces its unplugging
// here, from any thread, and the panel receives it exactly as it receives a real one.
class QueuedRemovalMonitor final : public RemovalMonitor {
  public:
    // nullptr with `error` set when the notification pipe cannot be made.
    static std::unique_ptr<QueuedRemovalMonitor> Create(std::string& error);

    QueuedRemovalMonitor(const QueuedRemovalMonitor&) = delete;
    QueuedRemovalMonitor& operator=(const QueuedRemovalMonitor&) = delete;
    ~QueuedRemovalMonitor() override;

    // Records that the device at `path` was removed and makes Fd() readable. Any thread.
    void Raise(std::string path);

    int Fd() const override { return readFd_; }
    std::vector<std::string> TakeRemovedPaths() override;

  private:
    QueuedRemovalMonitor(int readFd, int writeFd) : readFd_(readFd), writeFd_(writeFd) {}

    const int readFd_;
    const int writeFd_;
    std::mutex lock_;
    // Non-empty exactly while one byte waits in the pipe.
    std::vector<std::string> pending_;
};

}  // namespace quavelo
