#include "cli/CliSession.h"

#include <algorithm>

#include "device/Messages.h"
#include "language/Catalogue.h"
#include "sim/WireTrace.h"

namespace quavelo {

namespace {

std::unique_ptr<HidBackend> MakeBackend(const CliOptions& options, CliEnvironment& environment) {
    if (options.simulate) return std::make_unique<SimulatedBackend>();
    return environment.makeDeviceBackend();
}

// How long a level poll waits at most before it looks for a stop request again.
constexpr std::chrono::milliseconds kStopLook{50};

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
    if (options.device) session_.ChooseDevice(*options.device);
    session_.SetSink([this](const SessionEvent& event) { OnSessionEvent(event); });
}

CliSession::~CliSession() {
    // The session's threads use the model and the log: stop them before they go. Closing ends
    // the simulated device's last opening, which writes its store back to --sim-state.
    session_.Close();
    if (simulatedDevice_ == nullptr) return;
    if (const std::string error = simulatedDevice_->StoreFileProblem(); !error.empty()) {
        err_ << "quavelo-cli: cannot save the simulated device to " << *options_.simState << ": "
             << error << '\n';
    }
}

void CliSession::Complain(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        err_ << "quavelo-cli: " << text.substr(0, end) << '\n';
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

bool CliSession::StopRequested() const noexcept {
    return environment_.stop != nullptr && environment_.stop->Signal() != 0;
}

const std::filesystem::path* CliSession::DataFolder() {
    if (dataDirectory_.error.empty()) return &dataDirectory_.path;
    err_ << "quavelo-cli: " << dataDirectory_.error << '\n';
    return nullptr;
}

ExitCode CliSession::Prepare() {
    if (options_.dataDir && DataFolder() == nullptr) return ExitCode::kUsage;
    if (!options_.simulate && (options_.simState || options_.trace)) {
        err_ << "quavelo-cli: --sim-state and --trace belong to the simulated device; add "
                "--simulate\n";
        return ExitCode::kUsage;
    }
    if (simulated_ == nullptr) return ExitCode::kDone;
    SimulatedDevice& device = simulated_->AddDevice(options_.model);
    if (options_.simState) {
        // Refused here, before anything is sent; the device loads it when it is opened, under
        // the lock that keeps other processes off the file.
        const StoreFileResult stored = ReadSettingsStoreFile(*options_.simState);
        if (stored.status == StoreFileStatus::kRefused) {
            err_ << "quavelo-cli: cannot use " << *options_.simState
                 << " as --sim-state: " << stored.error << '\n';
            return ExitCode::kUsage;
        }
        device.BindStoreFile(*options_.simState);
        simulatedDevice_ = &device;
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
    DeviceSession::OpenResult result = session_.Open();
    for (int retry = 0;
         result == DeviceSession::OpenResult::InUse && retry < kInUseRetries && !StopRequested();
         ++retry) {
        environment_.sleeper->SleepFor(kInUseRetryPause);
        result = session_.Open();
    }
    switch (result) {
        case DeviceSession::OpenResult::Opened:
            break;
        case DeviceSession::OpenResult::NoDevice:
            return ReportNoDevice();
        case DeviceSession::OpenResult::InUse:
            Complain(session_.OpenProblem());
            return ExitCode::kInUse;
        case DeviceSession::OpenResult::NotOpenable:
        case DeviceSession::OpenResult::Failed:
            Complain(session_.OpenProblem());
            return ExitCode::kNotOpenable;
    }
    if (!options_.device) {
        const UsbIds ids = Profile().usb;
        const auto found = std::ranges::count_if(backend_->Enumerate(), [&](const auto& info) {
            return info.vendorId == ids.vendor && info.productId == ids.product;
        });
        if (found > 1) {
            err_ << "quavelo-cli: " << found << ' ' << Profile().name << " devices found; using "
                 << DevicePath() << " (use --device to choose)\n";
        }
    }
    return ExitCode::kDone;
}

ExitCode CliSession::ReportNoDevice() {
    err_ << "quavelo-cli: no " << Profile().name << " device";
    if (options_.device) err_ << ' ' << *options_.device;
    err_ << " found";
    // A chosen device of another model is most likely a forgotten --model.
    for (const HidDeviceInfo& info : backend_->Enumerate()) {
        const ModelProfile* other = FindProfile(UsbIds{info.vendorId, info.productId});
        if (options_.device && other != nullptr &&
            (info.path == *options_.device || info.serial == *options_.device)) {
            err_ << " (" << *options_.device << " is a " << other->name << ": add --model "
                 << other->cliName << ")";
            break;
        }
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
    using Clock = std::chrono::steady_clock;
    while (levels_.size() < static_cast<std::size_t>(count) && !StopRequested()) {
        const std::size_t have = levels_.size();
        const Clock::time_point giveUp = Clock::now() + environment_.levelWait;
        while (levels_.size() == have && !StopRequested()) {
            if (Clock::now() >= giveUp) return std::nullopt;
            levelsArrived_.wait_until(lock, std::min(giveUp, Clock::now() + kStopLook));
        }
    }
    const std::size_t taken = std::min(levels_.size(), static_cast<std::size_t>(count));
    return std::vector<LevelReading>(levels_.begin(), levels_.begin() + taken);
}

ExitCode CliSession::Connect() {
    for (auto step : {&CliSession::Prepare, &CliSession::Open, &CliSession::ReadBack}) {
        const ExitCode code = (this->*step)();
        if (code != ExitCode::kDone) return code;
    }
    return ExitCode::kDone;
}

}  // namespace quavelo
