#include "cli/CliSession.h"

#include <thread>

#include "device/DeviceMap.h"
#include "device/Kd4ReportParser.h"
#include "link/HexBytes.h"
#include "sim/WireTrace.h"

namespace quavelo {

namespace {

std::unique_ptr<HidBackend> MakeBackend(const CliOptions& options, CliEnvironment& environment) {
    if (options.simulate) return std::make_unique<SimulatedBackend>();
    return environment.makeDeviceBackend();
}

const char* ModelName(std::int32_t model) { return model == kModelKd4 ? "KD4" : "TORVA"; }

}  // namespace

void StreamPrompt::Info(std::string_view text) { err_ << "quavelo-cli: " << text << '\n'; }

bool StreamPrompt::Confirm(std::string_view) { return true; }

CliSession::CliSession(const CliOptions& options, CliEnvironment& environment, std::ostream& err)
    : options_(options),
      environment_(environment),
      err_(err),
      dataDirectory_(ResolveDataDirectory(options.dataDir, environment.dataDirectory)),
      backend_(MakeBackend(options, environment)),
      link_(*backend_, linkState_),
      log_(dataDirectory_.path, environment.clock),
      prompt_(err),
      commands_(link_, params_, *environment.sleeper, log_, prompt_) {
    if (options.simulate) simulated_ = static_cast<SimulatedBackend*>(backend_.get());
    // The panel gives the model its initial values when it starts; a read-back overwrites them.
    params_.ResetToInitialValues();
    params_.deviceModel = options.model;
}

CliSession::~CliSession() {
    // The reader thread uses the model and the log: stop it before they go.
    link_.Close();
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
    const bool kd4 = options_.model == kModelKd4;
    if (link_.FindAndOpen(kd4 ? kKd4VendorId : kTorvaVendorId,
                          kd4 ? kKd4ProductId : kTorvaProductId)) {
        return ExitCode::kDone;
    }
    err_ << "quavelo-cli: no " << ModelName(options_.model) << " device found";
    if (!link_.OpenProblem().empty()) err_ << " (" << link_.OpenProblem() << ")";
    err_ << '\n';
    return ExitCode::kNoDevice;
}

ExitCode CliSession::ReadBack() {
    if (options_.model == kModelKd4) return ReadBackKd4();
    if (!commands_.ReadAllSettings()) {
        err_ << "quavelo-cli: Read para fail.\n";
        return ExitCode::kReadBackFailed;
    }
    params_.connected = 1;
    return ExitCode::kDone;
}

ExitCode CliSession::ReadBackKd4() {
    link_.SetReportHandler([this](const HidReport& report, std::size_t) {
        log_.WriteLogLine("recdata:" + HexBytes(report));
        ParseKd4Report(report, params_);
    });
    for (auto& seen : params_.blockSeen) seen = 0;
    params_.readbackDone = 0;
    if (!link_.StartReader() || !commands_.RequestAllSettingsKd4()) {
        err_ << "quavelo-cli: Read para fail.\n";
        return ExitCode::kReadBackFailed;
    }
    const auto deadline = std::chrono::steady_clock::now() + environment_.kd4ReadBackLimit;
    while (params_.readbackDone == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (params_.readbackDone == 0) {
        err_ << "quavelo-cli: Read para fail. (the KD4 did not answer every request)\n";
        return ExitCode::kReadBackFailed;
    }
    params_.readbackDone = 0;
    params_.connected = 1;
    return ExitCode::kDone;
}

ExitCode CliSession::Connect() {
    for (auto step : {&CliSession::Prepare, &CliSession::Open, &CliSession::ReadBack}) {
        const ExitCode code = (this->*step)();
        if (code != ExitCode::kDone) return code;
    }
    return ExitCode::kDone;
}

}  // namespace quavelo
