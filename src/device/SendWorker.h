#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "device/DeviceParams.h"
#include "link/Sleeper.h"

namespace quavelo {

// The send work of a model whose page sends deferred (the KD4): the page's send jobs and the
// read-back of a connect run here one at a time, in the order they were started, on one thread of
// its own. None of these reports is written on the user-interface thread, and two jobs never
// interleave their reports: two jobs at once would interleave two staged coefficient loads, which
// share the staging addresses 0x0001..0x0007, and load corrupted filters into the device.
//
// `commandBusy` is 1 from the moment a job is started until no job is queued or running, so it is
// never cleared under a running job. While it is 1 the level poller skips its exchange and the
// page answers new button changes with "Please Wait".
//
// Each job runs these steps on the worker thread: a job that needs the connection is dropped when
// `connected` is 0; otherwise the worker waits in 20 ms sleeps while `pollBusy` is 1 (a level
// exchange is in progress), sleeps 20 ms more unless the job skips that settle pause, and runs
// the job. Jobs read the parameter model when they run, so they send the values current then.
// `commandBusy` is raised before `pollBusy` is read, and the level poller raises `pollBusy` before
// it reads `commandBusy` (LevelPoller), both sequentially consistent: at least one of the two
// sees the other, so a job and a level exchange never share the link.
class SendWorker {
  public:
    enum class Settle { Pause20ms, None };
    enum class Needs { Connection, Nothing };
    using Job = std::function<void()>;

    // `params` and `sleeper` must outlive the worker.
    SendWorker(DeviceParams& params, Sleeper& sleeper);
    SendWorker(const SendWorker&) = delete;
    SendWorker& operator=(const SendWorker&) = delete;
    // Drops the jobs not yet started and waits for the running one to end.
    ~SendWorker();

    // Queues `job` behind every job started before it and sets `commandBusy`. Any thread.
    void Start(Job job, Settle settle = Settle::Pause20ms, Needs needs = Needs::Connection);
    // Drops the jobs not yet started; the running one ends normally. `commandBusy` falls to 0
    // when it has.
    void DropPending();
    // Blocks until every job started so far has ended (or been dropped).
    void WaitIdle();

  private:
    struct Entry {
        Job job;
        Settle settle;
        Needs needs;
    };

    void Run();
    void RunOne(const Entry& entry);

    DeviceParams& params_;
    Sleeper& sleeper_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Entry> pending_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace quavelo
