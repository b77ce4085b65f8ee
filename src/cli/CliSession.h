#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliExit.h"
#include "cli/StopRequest.h"
#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"
#include "device/DeviceSession.h"
#include "device/Prompt.h"
#include "link/DataDirectory.h"
#include "link/HidBackend.h"
#include "link/RemovalMonitor.h"
#include "link/Sleeper.h"
#include "link/TrafficLog.h"
#include "sim/SimulatedBackend.h"

namespace quavelo {

// The options every command shares.
struct CliOptions {
    Model model = Model::Torva;
    bool simulate = false;
    std::optional<std::filesystem::path> simState;
    std::optional<std::filesystem::path> trace;
    std::optional<std::filesystem::path> dataDir;
    // --device: the node or serial number of the device to use among several of the model.
    std::optional<std::string> device;
    bool json = false;
};

// What the tool takes from the process it runs in; tests hand in their own.
struct CliEnvironment {
    // The backend of real devices (hidraw on Linux).
    std::function<std::unique_ptr<HidBackend>()> makeDeviceBackend;
    DataDirectoryEnvironment dataDirectory;
    // Every pause of the commands goes through it.
    Sleeper* sleeper = nullptr;
    LocalClock clock = CurrentLocalTime;
    // How long a level poll waits for its next reading before it counts as failed.
    std::chrono::milliseconds levelWait{1000};
    // Stop signals (cli/StopRequest.h); nullptr when nothing asks the tool to stop.
    StopRequest* stop = nullptr;
    // What tells `watch` that devices came or went: a monitor whose descriptor becomes readable
    // at every change of the hidraw nodes and that reports removals (UdevRemovalMonitor). Unset,
    // or nullptr made, when there is none: `watch` then looks every pollInterval.
    std::function<std::unique_ptr<RemovalMonitor>()> makeDeviceMonitor;
    std::chrono::milliseconds pollInterval{500};
    // The language of the messages (UserLanguage: "zh_CN", or "" for English).
    std::string_view language;
};

// How long a command waits for a device that another QUAVELO process has open, and how often it
// looks again meanwhile.
inline constexpr std::chrono::milliseconds kInUseRetryPause{100};
inline constexpr int kInUseRetries = 20;

// Messages of the command set (message::kSendFailed) go to stderr in `language`; questions are
// answered yes, since the tool asks nothing interactively.
class StreamPrompt final : public Prompt {
  public:
    StreamPrompt(std::ostream& err, std::string_view language) : err_(err), language_(language) {}
    void Info(std::string_view text) override;
    bool Confirm(std::string_view text) override;

  private:
    std::ostream& err_;
    std::string_view language_;
};

// One run's device: the device session over the real or simulated backend, the parameter model
// and the daily log, opened and read back as the panel does on connect. With --simulate the
// simulated device keeps its settings store in --sim-state while it is open (loaded when opened,
// written back when closed, under the device lock, so runs in other processes wait for it), and
// its wire trace is appended to --trace.
class CliSession {
  public:
    CliSession(const CliOptions& options, CliEnvironment& environment, std::ostream& err);
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;
    // Closes the link, which writes the simulated device's store back; says when that failed.
    ~CliSession();

    // Checks a --data-dir and sets up the simulated device (its --sim-state and --trace files).
    // kDone, or kUsage with the message written.
    ExitCode Prepare();
    // Opens the model's device (the --device one, else the first that opens, with a note when
    // there are several). A device that another QUAVELO process has open is waited for, up to
    // kInUseRetries x kInUseRetryPause, unless a stop is requested. Otherwise the refusal is
    // written with its fix: kNoDevice when none of the model is present, kInUse when it stays in
    // use, kNotOpenable when one is present but cannot be opened.
    ExitCode Open();
    // Reads the settings back as the panel does on connect and sets `connected`. kReadBackFailed
    // with the reason written.
    ExitCode ReadBack();
    // Prepare, Open and ReadBack.
    ExitCode Connect();
    // Polls the level meters `count` times as the model's poller does; after a stop request,
    // the readings taken so far. Nothing when a reading did not come within levelWait.
    std::optional<std::vector<LevelReading>> PollLevels(int count);
    // Whether a stop was requested.
    bool StopRequested() const noexcept;

    const ModelProfile& Profile() const noexcept { return ProfileOf(options_.model); }
    DeviceParams& Params() noexcept { return params_; }
    DeviceCommands& Commands() noexcept { return session_.Commands(); }
    // The data directory, for the files kept there (presets); nullptr, with the reason written,
    // when none could be had.
    const std::filesystem::path* DataFolder();
    HidBackend& Backend() noexcept { return *backend_; }
    std::ostream& Err() noexcept { return err_; }
    // The node of the device opened last.
    std::string DevicePath() { return session_.State().DevicePath(); }

    // Writes `text` to stderr, each line after "quavelo-cli: ".
    void Complain(std::string_view text);
    // A text of device/Messages.h in the user's language.
    std::string_view Text(std::string_view message) const;

  private:
    void OnSessionEvent(const SessionEvent& event);
    ExitCode ReportNoDevice();

    const CliOptions options_;
    CliEnvironment& environment_;
    std::ostream& err_;
    const DataDirectory dataDirectory_;
    std::unique_ptr<HidBackend> backend_;
    SimulatedBackend* simulated_ = nullptr;  // backend_, when simulating
    SimulatedDevice* simulatedDevice_ = nullptr;
    DeviceParams params_;
    TrafficLog log_;
    StreamPrompt prompt_;

    // Level readings as the session hands them over.
    std::mutex levelsLock_;
    std::condition_variable levelsArrived_;
    std::vector<LevelReading> levels_;

    // Last: its threads use everything above.
    DeviceSession session_;
};

}  // namespace quavelo
