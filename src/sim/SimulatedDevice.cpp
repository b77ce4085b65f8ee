#include "sim/SimulatedDevice.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "device/DeviceMap.h"
#include "device/DeviceParams.h"
#include "device/ParamRange.h"
#include "device/Report.h"

namespace quavelo {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kDspAccess = static_cast<std::uint8_t>(Access::Dsp);
constexpr std::uint8_t kStoreAccess = static_cast<std::uint8_t>(Access::Store);
constexpr std::size_t kProcessorValueBytes = 4;
constexpr std::size_t kHeaderBytes = kReportDataOffset;
constexpr int kGarbageMaxLength = 32;
// Garbage is the same in every run, so a failure it provokes can be repeated.
constexpr std::minstd_rand::result_type kGarbageSeed = 20240607;

}  // namespace

// One opening of the device, as HidControl uses it. Its stop flag lives here but is guarded by
// the device's lock, which every operation takes.
class SimulatedDevice::Opening final : public HidDevice {
  public:
    Opening(std::shared_ptr<SimulatedDevice> device, std::uint64_t generation)
        : device_(std::move(device)), generation_(generation) {}
    ~Opening() override { device_->OpeningGone(); }

    bool Write(std::span<const std::uint8_t> report) override {
        return device_->WriteFrom(generation_, stopped_, report);
    }
    ReadResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override {
        return device_->ReadFor(generation_, stopped_, buffer, timeout);
    }
    void RequestStop() override { device_->StopOpening(stopped_); }

  private:
    const std::shared_ptr<SimulatedDevice> device_;
    const std::uint64_t generation_;
    bool stopped_ = false;
};

std::shared_ptr<SimulatedDevice> SimulatedDevice::Create(Model model, std::string path) {
    return std::shared_ptr<SimulatedDevice>(new SimulatedDevice(model, std::move(path)));
}

SimulatedDevice::SimulatedDevice(Model model, std::string path)
    : model_(model),
      path_(std::move(path)),
      store_(InitialSettingsStore(model_)),
      garbage_(kGarbageSeed) {}

HidDeviceInfo SimulatedDevice::Info() const {
    const UsbIds ids = ProfileOf(model_).usb;
    return {path_, ids.vendor, ids.product, {}};
}

bool SimulatedDevice::Plugged() const {
    std::lock_guard lock(lock_);
    return plugged_;
}

void SimulatedDevice::Unplug() {
    QueuedRemovalMonitor* monitor = nullptr;
    {
        std::lock_guard lock(lock_);
        if (!plugged_) return;
        plugged_ = false;
        ++generation_;
        input_.clear();
        monitor = removals_;
        changed_.notify_all();
    }
    if (monitor != nullptr) monitor->Raise(path_);
}

void SimulatedDevice::Replug() {
    std::lock_guard lock(lock_);
    if (plugged_) return;
    plugged_ = true;
    memory_.Clear();
    levelSteps_[0] = levelSteps_[1] = 0;
}

void SimulatedDevice::SetRemovalMonitor(QueuedRemovalMonitor* monitor) {
    std::lock_guard lock(lock_);
    removals_ = monitor;
}

std::unique_ptr<HidDevice> SimulatedDevice::Open(std::string& error) {
    OpenError refusal;
    std::unique_ptr<HidDevice> opening = Open(refusal);
    error = refusal.text;
    return opening;
}

std::unique_ptr<HidDevice> SimulatedDevice::Open(OpenError& error) {
    std::lock_guard lock(lock_);
    if (!plugged_) {
        error = {OpenError::Kind::Other, "No such device", 0};
        return nullptr;
    }
    if (storeFile_ && liveOpenings_ == 0) {
        const int fd = LockSettingsStoreFile(*storeFile_, store_.Image(), error);
        if (fd < 0) return nullptr;
        const StoreFileResult stored = ReadSettingsStoreFile(*storeFile_);
        if (stored.status == StoreFileStatus::kRefused) {
            ::close(fd);
            error = {OpenError::Kind::Other, storeFile_->string() + ": " + stored.error, 0};
            return nullptr;
        }
        if (stored.status == StoreFileStatus::kLoaded) store_.Replace(stored.image);
        storeFileLock_ = fd;
    }
    input_.clear();
    ++liveOpenings_;
    if (trace_) trace_->MarkOpen();
    return std::make_unique<Opening>(shared_from_this(), generation_);
}

int SimulatedDevice::LiveOpenings() const {
    std::lock_guard lock(lock_);
    return liveOpenings_;
}

void SimulatedDevice::SetWireTrace(std::shared_ptr<WireTrace> trace) {
    std::lock_guard lock(lock_);
    trace_ = std::move(trace);
}

std::vector<std::vector<std::uint8_t>> SimulatedDevice::TakeReceived() {
    std::lock_guard lock(lock_);
    std::vector<std::vector<std::uint8_t>> taken(std::make_move_iterator(received_.begin()),
                                                 std::make_move_iterator(received_.end()));
    received_.clear();
    return taken;
}

std::optional<std::vector<std::uint8_t>> SimulatedDevice::WaitForReceived(
    std::chrono::milliseconds wait) {
    std::unique_lock lock(lock_);
    if (!changed_.wait_for(lock, wait, [&] { return !received_.empty(); })) return std::nullopt;
    std::vector<std::uint8_t> oldest = std::move(received_.front());
    received_.pop_front();
    return oldest;
}

bool SimulatedDevice::SendInput(std::span<const std::uint8_t> report) {
    std::lock_guard lock(lock_);
    return QueueInput(report);
}

void SimulatedDevice::SetFaults(const SimFaults& faults) {
    std::lock_guard lock(lock_);
    faults_ = faults;
    changed_.notify_all();
}

SimFaults SimulatedDevice::Faults() const {
    std::lock_guard lock(lock_);
    return faults_;
}

SettingsStoreImage SimulatedDevice::Store() const {
    std::lock_guard lock(lock_);
    return store_.Image();
}

void SimulatedDevice::ReplaceStore(const SettingsStoreImage& image) {
    std::lock_guard lock(lock_);
    store_.Replace(image);
}

StoreFileResult SimulatedDevice::LoadStoreFile(const std::filesystem::path& path) {
    StoreFileResult result = ReadSettingsStoreFile(path);
    if (result.status == StoreFileStatus::kLoaded) ReplaceStore(result.image);
    return result;
}

std::string SimulatedDevice::SaveStoreFile(const std::filesystem::path& path) const {
    return WriteSettingsStoreFile(path, Store());
}

void SimulatedDevice::BindStoreFile(std::filesystem::path path) {
    std::lock_guard lock(lock_);
    storeFile_ = std::move(path);
}

std::string SimulatedDevice::StoreFileProblem() const {
    std::lock_guard lock(lock_);
    return storeFileProblem_;
}

std::optional<std::uint32_t> SimulatedDevice::DspValue(std::uint16_t address) const {
    std::lock_guard lock(lock_);
    return memory_.Value(address);
}

std::optional<Coefficients> SimulatedDevice::FilterWords(int band) const {
    if (band < 1 || band > kEqBands) return std::nullopt;
    std::lock_guard lock(lock_);
    return memory_.Words(dsp::EqFilter(band));
}

std::optional<Coefficients> SimulatedDevice::HighPassWords() const {
    std::lock_guard lock(lock_);
    return memory_.Words(dsp::kHighPass);
}

bool SimulatedDevice::TurnGainKnob(int detents) {
    std::lock_guard lock(lock_);
    if (!ProfileOf(model_).hasOwnControls || !plugged_) return false;
    const std::int32_t held = ranges::kMicGain.Clamp(store_.Byte(storebyte::kMicGain));
    const std::int32_t next = ranges::kMicGain.Clamp(std::int64_t{held} + detents);
    if (next == store_.Byte(storebyte::kMicGain)) return false;
    const std::uint8_t code[] = {MicGainCode(next)};
    memory_.Write(dsp::kMicGain1, code);
    memory_.Write(dsp::kMicGain2, code);
    return ChangeByDevice(storebyte::kMicGain, static_cast<std::uint8_t>(next));
}

bool SimulatedDevice::PressMute() {
    std::lock_guard lock(lock_);
    if (!ProfileOf(model_).hasOwnControls || !plugged_) return false;
    return ChangeByDevice(storebyte::kMuteKd4, store_.Byte(storebyte::kMuteKd4) == 0 ? 1 : 0);
}

bool SimulatedDevice::PressLock() {
    std::lock_guard lock(lock_);
    if (!ProfileOf(model_).hasOwnControls || !plugged_) return false;
    return ChangeByDevice(storebyte::kLockKd4, store_.Byte(storebyte::kLockKd4) == 0 ? 1 : 0);
}

bool SimulatedDevice::WriteFrom(std::uint64_t generation, const bool& stopped,
                                std::span<const std::uint8_t> report) {
    std::unique_lock lock(lock_);
    const auto gone = [&] { return !Current(generation) || stopped; };
    if (!gone() && faults_.latency > std::chrono::microseconds::zero()) {
        changed_.wait_until(lock, Clock::now() + faults_.latency, gone);
    }
    changed_.wait(lock, [&] { return gone() || !faults_.stallWrites; });
    if (gone()) {
        Trace(WireDirection::kWrite, report, true);
        return false;
    }
    Take(report);
    Trace(WireDirection::kWrite, report, false);
    return true;
}

ReadResult SimulatedDevice::ReadFor(std::uint64_t generation, const bool& stopped,
                                    std::span<std::uint8_t> buffer,
                                    std::chrono::milliseconds timeout) {
    std::unique_lock lock(lock_);
    const bool endless = timeout < std::chrono::milliseconds::zero();
    const Clock::time_point deadline = endless ? Clock::time_point::max() : Clock::now() + timeout;
    for (;;) {
        if (!Current(generation)) return {ReadStatus::kFailed, 0};
        if (stopped) return {ReadStatus::kStopped, 0};
        const Clock::time_point now = Clock::now();
        if (!input_.empty() && input_.front().readyAt <= now) {
            const Input input = std::move(input_.front());
            input_.pop_front();
            const std::size_t n = std::min(input.bytes.size(), buffer.size());
            std::copy_n(input.bytes.begin(), n, buffer.begin());
            Trace(WireDirection::kRead, input.bytes, false);
            return {ReadStatus::kReport, n};
        }
        if (now >= deadline) return {ReadStatus::kTimedOut, 0};
        const Clock::time_point wake =
            input_.empty() ? deadline : std::min(deadline, input_.front().readyAt);
        if (wake == Clock::time_point::max()) {
            changed_.wait(lock);
        } else {
            changed_.wait_until(lock, wake);
        }
    }
}

void SimulatedDevice::StopOpening(bool& stopped) {
    std::lock_guard lock(lock_);
    stopped = true;
    changed_.notify_all();
}

void SimulatedDevice::OpeningGone() {
    std::lock_guard lock(lock_);
    --liveOpenings_;
    if (liveOpenings_ > 0 || storeFileLock_ < 0) return;
    // Written while the lock is still held, so the next process to take it reads this store.
    storeFileProblem_ = WriteSettingsStoreFile(*storeFile_, store_.Image());
    ::close(storeFileLock_);
    storeFileLock_ = -1;
}

void SimulatedDevice::Take(std::span<const std::uint8_t> report) {
    received_.emplace_back(report.begin(), report.end());
    if (received_.size() > kReceivedLimit) received_.pop_front();
    changed_.notify_all();

    if (report.size() < kHeaderBytes || report[0] != kReportHead) return;
    Report r{};
    std::copy_n(report.begin(), std::min(report.size(), r.size()), r.begin());
    const std::uint8_t access = r[1];
    const auto address = static_cast<std::uint16_t>(r[2] << 8 | r[3]);
    const std::uint8_t count = r[4];
    if (r[5] == kReadFlag) {
        AnswerRequest(access, address, count);
        return;
    }
    if (r[5] != kWriteFlag) return;
    const std::span<const std::uint8_t> data(r.data() + kReportDataOffset,
                                             std::min<std::size_t>(count, kReportMaxData));
    if (access == kDspAccess) {
        memory_.Write(address, data);
    } else if (access == kStoreAccess) {
        store_.Write(address, data);
    }
}

void SimulatedDevice::AnswerRequest(std::uint8_t access, std::uint16_t address,
                                    std::uint8_t count) {
    const bool hit = !faults_.answerFaultAddress || *faults_.answerFaultAddress == address;
    if (hit && faults_.missingAnswers) return;
    const auto answered =
        static_cast<std::uint16_t>(hit && faults_.wrongAddressAnswers ? address + 1 : address);
    const std::optional<Report> answer = BuildAnswer(access, answered, count);
    if (!answer) return;
    if (hit && faults_.garbageAnswers) {
        QueueInput(Garbage(*answer));
    } else {
        QueueInput(*answer);
    }
}

std::optional<Report> SimulatedDevice::BuildAnswer(std::uint8_t access, std::uint16_t address,
                                                   std::uint8_t count) {
    if (access == kStoreAccess) return store_.Answer(address, count);
    if (access != kDspAccess) return std::nullopt;
    std::uint32_t value = 0;
    if (address == dsp::kLevel1) {
        value = static_cast<std::uint32_t>(SimulatedLevel(0, levelSteps_[0]++));
    } else if (address == dsp::kLevel2) {
        value = static_cast<std::uint32_t>(SimulatedLevel(1, levelSteps_[1]++));
    } else {
        value = memory_.Value(address).value_or(0);
    }
    // The value as `count` bytes (at most four), high byte first: a codec register answers with
    // its one byte, a processing parameter with its four.
    const std::size_t n = std::min<std::size_t>(count, kProcessorValueBytes);
    std::uint8_t data[kProcessorValueBytes] = {};
    for (std::size_t i = 0; i < n; ++i) {
        data[i] = static_cast<std::uint8_t>(value >> (8 * (n - 1 - i)));
    }
    Report answer = MakeWrite(Access::Dsp, address, std::span(data, n));
    answer[5] = kReadFlag;
    return answer;
}

std::vector<std::uint8_t> SimulatedDevice::Garbage(const Report& answer) {
    std::uniform_int_distribution<int> length(0, kGarbageMaxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length(garbage_)));
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(byte(garbage_));
    if (byte(garbage_) % 2 == 0) {
        std::copy_n(answer.begin(), std::min(bytes.size(), kHeaderBytes), bytes.begin());
    }
    return bytes;
}

bool SimulatedDevice::QueueInput(std::span<const std::uint8_t> report) {
    if (!plugged_ || liveOpenings_ == 0 || input_.size() >= kInputQueueLimit) return false;
    input_.push_back({{report.begin(), report.end()}, Clock::now() + faults_.latency});
    changed_.notify_all();
    return true;
}

bool SimulatedDevice::ChangeByDevice(std::uint8_t storeAddress, std::uint8_t value) {
    store_.SetByte(storeAddress, value);
    QueueInput(store_.StatusBlock());
    return true;
}

void SimulatedDevice::Trace(WireDirection direction, std::span<const std::uint8_t> report,
                            bool failed) {
    if (trace_) trace_->Record(direction, report, failed);
}

}  // namespace quavelo
