#include "cli/CliSession.h"

#include "device/Messages.h"
#include "language/Catalogue.h"
#include "sim/WireTrace.h"

namespace quavelo {

namespace {

std::unique_ptr<HidBackend> MakeBackend(const CliOptions& options, CliEnvironment& environment) {
    if (options.simulate) return std::make_unique<SimulatedBackend>();
    return environment.makeDeviceBackend();
}

}  // namespace

void StreamPrompt::Info(std::string_view text) {
    err_ << "quavelo-cli: " << Translate(language_, kMessagesContext, text) << '\n';
}

bool StreamPrompt::Confirm(std::string_view) { return true; }

CliSession::CliSession(const CliOptions& options, CliEnvironment& environment, std::ostream& err)
    : options_(options),
      environment_(environment),
      err_(err),
      dataDirectory_(ResolveDataDirectory(options.dataDir, environment.dataDirectory)),
      backend_(MakeBackend(options, environment)),
      log_(dataDirectory_.path, environment.clock),
      prompt_(err, environment.language),
      session_(*backend_, params_, *environment.sleeper, log_, prompt_) {
    if (options.simulate) simulated_ = static_cast<SimulatedBackend*>(backend_.get());
    // The panel gives the model its initial values when it starts; a read-back overwrites them.
    params_.ResetToInitialValues();
    params_.deviceModel = options.model;
    session_.SetSink([this](const SessionEvent& event) { OnSessionEvent(event); });
}

CliSession::~CliSession() {
    // The session's threads use the model and the log: stop them before they go.
    session_.Close();
    if (simulated_ == nullptr || !storeLoaded_ || !options_.simState) return;
    const SimulatedDevice* device = simulated_->Find(DefaultSimulatedPath(options_.model));
    if (device == nullptr) return;
    const std::string error = device->SaveStoreFile(*options_.simState);
    if (!error.empty()) {
        err_ << "quavelo-cli: cannot save the simulated device to " << *options_.simState << ": "
             << error << '\n';
    }
}

ExitCode CliSession::Prepare() {
    if (!options_.simulate && (options_.simState || options_.trace)) {
        err_ << "quavelo-cli: --sim-state and --trace belong to the simulated device; add "
                "--simulate\n";
        return ExitCode::kUsage;
    }
    if (simulated_ == nullptr) return ExitCode::kDone;
    SimulatedDevice& device = simulated_->AddDevice(options_.model);
    if (options_.simState) {
        const StoreFileResult loaded = device.LoadStoreFile(*options_.simState);
        if (loaded.status == StoreFileStatus::kRefused) {
            err_ << "quavelo-cli: cannot use " << *options_.simState
                 << " as --sim-state: " << loaded.error << '\n';
            return ExitCode::kUsage;
        }
        storeLoaded_ = true;
    }
    if (options_.trace) {
        std::string error;
        auto trace = WireTrace::AppendToFile(*options_.trace, error);
        if (!trace) {
            err_ << "quavelo-cli: cannot write the trace " << *options_.trace << ": " << error
                 << '\n';
            return ExitCode::kUsage;
        }
        device.SetWireTrace(std::move(trace));
    }
    return ExitCode::kDone;
}

ExitCode CliSession::Open() {
    if (session_.Open() == DeviceSession::OpenResult::Opened) return ExitCode::kDone;
    err_ << "quavelo-cli: no " << Profile().name << " device found";
    if (const std::string problem = session_.OpenProblem(); !problem.empty()) {
        err_ << " (" << problem << ")";
    }
    err_ << '\n';
    return ExitCode::kNoDevice;
}

ExitCode CliSession::ReadBack() {
    if (!session_.ReadBack()) {
        err_ << "quavelo-cli: " << Text(message::kReadBackFailed);
        if (Profile().readBack == ReadBackKind::ReaderThread) {
            err_ << " (the " << Profile().name << " did not answer every request)";
        }
        err_ << '\n';
        return ExitCode::kReadBackFailed;
    }
    params_.connected = 1;
    return ExitCode::kDone;
}

std::string_view CliSession::Text(std::string_view message) const {
    return Translate(environment_.language, kMessagesContext, message);
}

void CliSession::OnSessionEvent(const SessionEvent& event) {
    if (event.kind != SessionEvent::Kind::Levels) return;
    {
        std::lock_guard lock(levelsLock_);
        levels_.push_back(event.levels);
    }
    levelsArrived_.notify_all();
}

std::optional<std::vector<LevelReading>> CliSession::PollLevels(int count) {
    {
        std::lock_guard lock(levelsLock_);
        levels_.clear();
    }
    session_.StartLevelPolling(count);
    std::unique_lock lock(levelsLock_);
    for (std::size_t have = 0; have < static_cast<std::size_t>(count); have = levels_.size()) {
        const bool more = levelsArrived_.wait_for(lock, environment_.levelWait,
                                                  [&] { return levels_.size() > have; });
        if (!more) return std::nullopt;
    }
    return std::vector<LevelReading>(levels_.begin(), levels_.begin() + count);
}

ExitCode CliSession::Connect() {
    for (auto step : {&CliSession::Prepare, &CliSession::Open, &CliSession::ReadBack}) {
        const ExitCode code = (this->*step)();
        if (code != ExitCode::kDone) return code;
    }
    return ExitCode::kDone;
}

}  // namespace quavelo
