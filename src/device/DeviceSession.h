#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"
#include "device/LevelPoller.h"
#include "device/Prompt.h"
#include "device/SendWorker.h"
#include "link/HidBackend.h"
#include "link/HidControl.h"
#include "link/LinkState.h"
#include "link/LogSink.h"
#include "link/Sleeper.h"

namespace quavelo {

// What a session reports to its owner. Events come from whichever thread produced them (the
// caller, the link's reader thread, the level poller, the send worker); each carries the number
// of the opening it belongs to, so an owner that hands them to another thread can drop those of
// an opening that has ended meanwhile.
struct SessionEvent {
    enum class Kind {
        ReadBackEnded,  // `ok`: every settings block was read back into the model
        Levels,         // `levels`: one reading of the level meters
        DeviceChanged,  // the device changed settings by itself (its own controls); in the model
    };
    Kind kind = Kind::Levels;
    std::uint64_t opening = 0;
    bool ok = false;
    LevelReading levels{};
};
using SessionSink = std::function<void(const SessionEvent& event)>;

// What to tell the user about a device of `profile` at `path` that `backend` would not open, in
// two lines: the model, the node and the error, then the fix (see DeviceSession::OpenProblem).
std::string DescribeRefusal(const ModelProfile& profile, const std::string& path,
                            const OpenError& error, const HidBackend& backend);

// The connection to one device of the model in use (`deviceModel`), as the panel and the
// command-line tool both make it: open, read the settings back, push them, poll the levels and
// close, each the way the model's profile says. It owns the link, the command set and the send
// worker; the backend, the model, the sleeper, the log and the prompt are its owner's and must
// outlive it.
//
// Read-back: a Synchronous model's runs on the calling thread (ReadAllSettings); a ReaderThread
// model's starts the link's reader thread and runs as one job on the send worker: the request
// series, 100 ms, the series again, then up to kAnswerWait for its last answers. Either way it
// ends with one ReadBackEnded event, whose `ok` says whether one series was answered whole; the
// owner sets `connected` then, so nothing edits the model while answers may still overwrite it.
//
// Every report the reader thread receives is logged ("recdata:") and decoded into the model; a
// level answer is handed on as a Levels event and a status report as DeviceChanged.
//
// Threads: Open, StartReadBack, ReadBack, the polling calls and Close belong to the owner's
// thread. The sink may be called from any thread and must not block for long.
class DeviceSession {
  public:
    // How long a reader-thread read-back waits for the answers to its last requests.
    static constexpr std::chrono::milliseconds kAnswerWait{2000};
    // Between the two request series of a reader-thread read-back.
    static constexpr std::chrono::milliseconds kSeriesGap{100};

    enum class OpenResult {
        Opened,
        NoDevice,     // no device of the model is present
        NotOpenable,  // one is present, but this user may not open it (OpenProblem says why)
        InUse,        // one is present, but another QUAVELO process has it open
        Failed,       // one is present, but opening it failed otherwise (OpenProblem)
    };

    DeviceSession(HidBackend& backend, DeviceParams& params, Sleeper& sleeper, LogSink& log,
                  Prompt& prompt);
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;
    // Closes, and ends the send worker.
    ~DeviceSession();

    // Where the events go; set it before the first Open.
    void SetSink(SessionSink sink);

    // Which device Open takes when several of the model are attached: the one whose node or
    // serial number is `choice`; empty (the default) for the first that opens.
    void ChooseDevice(std::string choice) { choice_ = std::move(choice); }

    // Ends an earlier opening (waiting for a job still running on it, at most about one write's
    // limit), then opens the first device of the model in use (and of the choice) that opens.
    // When none does, the result says why the last one present was refused (NoDevice when none
    // is present).
    OpenResult Open();
    bool IsOpen() const noexcept { return open_; }
    // The number of the current opening (0 before the first).
    std::uint64_t Opening() const noexcept { return opening_; }
    // After an Open that was refused (NotOpenable, InUse, Failed), what to tell the user, in two
    // lines: the model, the node and the error, then the fix, e.g.
    //   KD4 /dev/hidraw3: cannot be opened: Permission denied
    //   the udev rule 70-quavelo.rules is not installed (looked in ...): install it, ... replug
    //   KD4 /dev/hidraw3: the device is in use by another QUAVELO process (pid 4711)
    //   close the panel or let the other command end, then try again
    // Empty after Opened and NoDevice.
    std::string OpenProblem() const;

    // Starts the read-back of the open device; it ends with a ReadBackEnded event (before this
    // returns for a Synchronous model).
    void StartReadBack();
    // StartReadBack, then waits for its end: whether every block was read back.
    bool ReadBack();
    // After a read-back, writes every setting back where the model's profile asks for it
    // (PushAllSettings). True when nothing was to be pushed or everything was sent.
    bool PushIfDue();

    // The level poller of this opening; Levels events follow. With `exchanges` above 0 it ends
    // after that many exchanges.
    void StartLevelPolling(int exchanges = 0);
    bool Polling() const noexcept { return poller_ != nullptr; }

    // Stops the poller, drops the queued send jobs and closes the link (a job still running fails
    // at its next write). The opening's later events are stale.
    void Close();

    DeviceCommands& Commands() noexcept { return commands_; }
    SendWorker& Worker() noexcept { return worker_; }
    LinkState& State() noexcept { return state_; }

  private:
    void Emit(SessionEvent event);
    void OnInputReport(const HidReport& report);
    // The reader-thread read-back job of opening `opening`.
    void ReadBackOnReader(std::uint64_t opening);
    void EndReadBack(std::uint64_t opening, bool ok);

    HidBackend& backend_;
    DeviceParams& params_;
    LogSink& log_;
    std::string choice_;
    LinkState state_;
    HidControl link_;
    DeviceCommands commands_;
    SendWorker worker_;
    std::unique_ptr<LevelPoller> poller_;
    SessionSink sink_;
    std::atomic<std::uint64_t> opening_{0};
    bool open_ = false;

    // The end of the read-back in progress, for ReadBack to wait on.
    std::mutex readBackLock_;
    std::condition_variable readBackEnded_;
    std::uint64_t readBackOpening_ = 0;
    bool readBackDone_ = false;
    bool readBackOk_ = false;
};

}  // namespace quavelo
