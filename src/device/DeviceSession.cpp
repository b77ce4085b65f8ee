#include "device/DeviceSession.h"

#include <thread>
#include <utility>

#include "device/InputReportParser.h"
#include "link/HexBytes.h"

namespace quavelo {

namespace {
constexpr std::chrono::milliseconds kAnswerPoll{5};
}  // namespace

DeviceSession::DeviceSession(HidBackend& backend, DeviceParams& params, Sleeper& sleeper,
                             LogSink& log, Prompt& prompt)
    : backend_(backend),
      params_(params),
      log_(log),
      link_(backend, state_),
      commands_(link_, params, sleeper, log, prompt),
      worker_(params, sleeper) {
    link_.SetReportHandler([this](const HidReport& report, std::size_t) { OnInputReport(report); });
}

DeviceSession::~DeviceSession() {
    Close();
    worker_.WaitIdle();
}

void DeviceSession::SetSink(SessionSink sink) { sink_ = std::move(sink); }

void DeviceSession::Emit(SessionEvent event) {
    if (sink_) sink_(event);
}

DeviceSession::OpenResult DeviceSession::Open() {
    Close();
    // A job of the earlier opening ends within one write once its link is closed; it must not
    // write into this one.
    worker_.WaitIdle();
    const UsbIds ids = ProfileOf(params_).usb;
    if (!link_.FindAndOpen(ids.vendor, ids.product, choice_)) {
        const std::optional<HidControl::Refusal> refusal = link_.LastRefusal();
        if (!refusal) return OpenResult::NoDevice;
        switch (refusal->error.kind) {
            case OpenError::Kind::NotPermitted:
                return OpenResult::NotOpenable;
            case OpenError::Kind::InUse:
                return OpenResult::InUse;
            case OpenError::Kind::Other:
                return OpenResult::Failed;
        }
        return OpenResult::Failed;
    }
    open_ = true;
    opening_.fetch_add(1);
    return OpenResult::Opened;
}

std::string DescribeRefusal(const ModelProfile& profile, const std::string& path,
                            const OpenError& error, const HidBackend& backend) {
    const std::string device = std::string(profile.name) + " " + path + ": ";
    switch (error.kind) {
        case OpenError::Kind::InUse:
            return device + "the device is in use by another QUAVELO process" +
                   (error.holder > 0 ? " (pid " + std::to_string(error.holder) + ")" : "") +
                   "\nclose the panel or let the other command end, then try again";
        case OpenError::Kind::NotPermitted: {
            const std::string advice = backend.PermissionAdvice();
            return device + "cannot be opened: " + error.text +
                   (advice.empty() ? "" : "\n" + advice);
        }
        case OpenError::Kind::Other:
            break;
    }
    return device + "cannot be opened: " + error.text + "\nunplug the device and plug it in again";
}

std::string DeviceSession::OpenProblem() const {
    const std::optional<HidControl::Refusal> refusal = link_.LastRefusal();
    if (open_ || !refusal) return {};
    return DescribeRefusal(ProfileOf(params_), refusal->path, refusal->error, backend_);
}

void DeviceSession::OnInputReport(const HidReport& report) {
    log_.WriteLogLine("recdata:" + HexBytes(report));
    ParseInputReport(report, params_);
    const std::uint64_t opening = opening_.load();
    if (params_.meterReady.Exchange(0) != 0) {
        Emit({.kind = SessionEvent::Kind::Levels,
              .opening = opening,
              .levels = {.first = params_.meterLevel}});
    }
    if (params_.statusReady.Exchange(0) != 0) {
        Emit({.kind = SessionEvent::Kind::DeviceChanged, .opening = opening});
    }
}

void DeviceSession::StartReadBack() {
    const std::uint64_t opening = opening_.load();
    {
        std::lock_guard lock(readBackLock_);
        readBackOpening_ = opening;
        readBackDone_ = false;
    }
    switch (ProfileOf(params_).readBack) {
        case ReadBackKind::Synchronous:
            EndReadBack(opening, commands_.ReadAllSettings());
            return;
        case ReadBackKind::ReaderThread:
            for (SharedInt& seen : params_.blockSeen) seen = 0;
            params_.readbackDone = 0;
            if (!link_.StartReader()) {
                EndReadBack(opening, false);
                return;
            }
            // Fourteen requests 80 ms apart: on the send worker, so the caller goes on meanwhile.
            worker_.Start([this, opening] { ReadBackOnReader(opening); }, SendWorker::Settle::None,
                          SendWorker::Needs::Nothing);
            return;
    }
}

void DeviceSession::ReadBackOnReader(std::uint64_t opening) {
    if (opening_.load() != opening) return;
    commands_.RequestAllSettings();
    commands_.Pause(kSeriesGap);
    if (opening_.load() != opening) return;
    // A read-back is complete when band 5 came after all other blocks (readbackDone). The second
    // series' answers announce themselves again; until they are in, the model may still change,
    // so the read-back has not ended.
    const bool firstComplete = params_.readbackDone.Exchange(0) != 0;
    bool secondComplete = false;
    if (commands_.RequestAllSettings()) {
        const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
        while (!(secondComplete = params_.readbackDone != 0) && opening_.load() == opening &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(kAnswerPoll);
        }
    }
    if (opening_.load() != opening) return;
    params_.readbackDone = 0;
    EndReadBack(opening, firstComplete || secondComplete);
}

void DeviceSession::EndReadBack(std::uint64_t opening, bool ok) {
    {
        std::lock_guard lock(readBackLock_);
        if (readBackOpening_ == opening) {
            readBackDone_ = true;
            readBackOk_ = ok;
        }
    }
    readBackEnded_.notify_all();
    Emit({.kind = SessionEvent::Kind::ReadBackEnded, .opening = opening, .ok = ok});
}

bool DeviceSession::ReadBack() {
    StartReadBack();
    std::unique_lock lock(readBackLock_);
    readBackEnded_.wait(lock, [this] { return readBackDone_; });
    return readBackOk_;
}

bool DeviceSession::PushIfDue() {
    if (!ProfileOf(params_).pushesOnConnect) return true;
    return commands_.PushAllSettings();
}

void DeviceSession::StartLevelPolling(int exchanges) {
    if (poller_ || !open_) return;
    const std::uint64_t opening = opening_.load();
    poller_ = LevelPoller::Start(
        commands_, params_,
        [this, opening](const LevelReading& reading) {
            Emit({.kind = SessionEvent::Kind::Levels, .opening = opening, .levels = reading});
        },
        exchanges);
}

void DeviceSession::Close() {
    opening_.fetch_add(1);
    if (poller_) poller_->RequestStop();
    worker_.DropPending();
    {
        // A ReadBack waiting on this opening ends now, as failed.
        std::lock_guard lock(readBackLock_);
        if (!readBackDone_) {
            readBackDone_ = true;
            readBackOk_ = false;
        }
    }
    readBackEnded_.notify_all();
    // Ends an exchange the poller has in progress at once.
    if (open_) {
        link_.Close();
        open_ = false;
    }
    if (poller_) {
        poller_->Stop();
        poller_.reset();
    }
}

}  // namespace quavelo
