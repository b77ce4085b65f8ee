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
#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"
#include "device/DeviceSession.h"
#include "device/Prompt.h"
#include "link/DataDirectory.h"
#include "link/HidBackend.h"
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
    // The language of the messages (UserLanguage: "zh_CN", or "" for English).
    std::string_view language;
};

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
// simulated device's settings store is loaded from and saved back to --sim-state, and its wire
// trace appended to --trace.
class CliSession {
  public:
    CliSession(const CliOptions& options, CliEnvironment& environment, std::ostream& err);
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;
    // Closes the link and saves the simulated device's store.
    ~CliSession();

    // Checks the data directory and sets up the simulated device (its --sim-state and --trace
    // files). kDone, or kUsage with the message written.
    ExitCode Prepare();
    // Opens the model's device. kNoDevice with the reason written when it is not there.
    ExitCode Open();
    // Reads the settings back as the panel does on connect and sets `connected`. kReadBackFailed
    // with the reason written.
    ExitCode ReadBack();
    // Prepare, Open and ReadBack.
    ExitCode Connect();
    // Polls the level meters `count` times as the model's poller does. Nothing when a reading
    // did not come within the environment's levelWait.
    std::optional<std::vector<LevelReading>> PollLevels(int count);

    const ModelProfile& Profile() const noexcept { return ProfileOf(options_.model); }
    DeviceParams& Params() noexcept { return params_; }
    DeviceCommands& Commands() noexcept { return session_.Commands(); }
    const std::filesystem::path& DataDirectoryPath() const noexcept { return dataDirectory_.path; }
    HidBackend& Backend() noexcept { return *backend_; }
    std::ostream& Err() noexcept { return err_; }
    // A text of device/Messages.h in the user's language.
    std::string_view Text(std::string_view message) const;

  private:
    void OnSessionEvent(const SessionEvent& event);

    const CliOptions options_;
    CliEnvironment& environment_;
    std::ostream& err_;
    const DataDirectory dataDirectory_;
    std::unique_ptr<HidBackend> backend_;
    SimulatedBackend* simulated_ = nullptr;  // backend_, when simulating
    bool storeLoaded_ = false;               // the simulated store may be saved back to --sim-state
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
