#include "link/HidControl.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quavelo {

HidControl::HidControl(HidBackend& backend, LinkState& state) : backend_(backend), state_(state) {}

HidControl::~HidControl() { Close(); }

bool HidControl::FindAndOpen(std::uint16_t vendorId, std::uint16_t productId,
                             const std::string& choice) {
    std::lock_guard control(controlLock_);
    CloseOpenDevice();
    std::optional<Refusal> refusal;
    for (const HidDeviceInfo& info : backend_.Enumerate()) {
        state_.SetDevicePath(info.path);
        if (info.vendorId != vendorId || info.productId != productId) {
            continue;
        }
        if (!choice.empty() && info.path != choice && info.serial != choice) {
            continue;
        }
        OpenError error;
        std::shared_ptr<HidDevice> device = backend_.Open(info.path, error);
        if (!device) {
            refusal = Refusal{info.path, std::move(error)};
            continue;
        }
        std::shared_ptr<ReportWriter> writer = ReportWriter::Start(device);
        if (!writer) {
            device->RequestStop();
            refusal = Refusal{info.path,
                              {OpenError::Kind::Other, "the writer thread cannot be started", 0}};
            break;
        }
        state_.SetDeviceFound(1);
        std::lock_guard fields(fieldLock_);
        device_ = std::move(device);
        writer_ = std::move(writer);
        refusal_.reset();
        return true;
    }
    std::lock_guard fields(fieldLock_);
    refusal_ = std::move(refusal);
    return false;
}

std::optional<HidControl::Refusal> HidControl::LastRefusal() const {
    std::lock_guard fields(fieldLock_);
    return refusal_;
}

void HidControl::SetReportHandler(InputReportHandler handler) {
    std::lock_guard fields(fieldLock_);
    handler_ = std::move(handler);
}

bool HidControl::StartReader() {
    std::lock_guard control(controlLock_);
    std::shared_ptr<HidDevice> device;
    InputReportHandler handler;
    std::unique_ptr<ReportReader> ended;
    {
        std::lock_guard fields(fieldLock_);
        if (!device_ || (readerThread_ && readerThread_->Running())) {
            return false;
        }
        device = device_;
        handler = handler_;
        ended = std::move(readerThread_);
    }
    if (ended) {
        ended->Stop(kReaderStopWait);
    }
    std::unique_ptr<ReportReader> reader = ReportReader::Start(device, std::move(handler));
    if (!reader) {
        return false;
    }
    std::lock_guard fields(fieldLock_);
    readerThread_ = std::move(reader);
    return true;
}

bool HidControl::Write(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return false;
    }
    std::lock_guard write(writeLock_);
    std::shared_ptr<ReportWriter> writer;
    {
        std::lock_guard fields(fieldLock_);
        writer = writer_;
    }
    return writer && writer->Write(bytes, kWriteLimit);
}

bool HidControl::WriteReport16(const HidReport& report) { return Write(report); }

bool HidControl::ReadReport(HidReport& dest, std::uint8_t& length) {
    std::shared_ptr<HidDevice> device;
    {
        std::lock_guard fields(fieldLock_);
        if (!device_ || (readerThread_ && readerThread_->Running())) {
            return false;
        }
        device = device_;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kReadReportWait;
    std::array<std::uint8_t, ReportReader::kReadBufferSize> buffer{};
    for (int attempt = 0; attempt < kReadReportAttempts; ++attempt) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= std::chrono::milliseconds::zero()) {
            return false;
        }
        const ReadResult result = device->Read(buffer, left);
        if (result.status != ReadStatus::kReport) {
            return false;
        }
        if (result.length == 0) {
            continue;
        }
        dest.fill(0);
        std::copy_n(buffer.begin(), std::min(result.length, dest.size()), dest.begin());
        length = static_cast<std::uint8_t>(std::min<std::size_t>(result.length, 255));
        return true;
    }
    return false;
}

bool HidControl::Close() {
    std::lock_guard control(controlLock_);
    CloseOpenDevice();
    return true;
}

void HidControl::CloseOpenDevice() {
    std::shared_ptr<HidDevice> device;
    std::shared_ptr<ReportWriter> writer;
    std::unique_ptr<ReportReader> reader;
    {
        std::lock_guard fields(fieldLock_);
        device = std::move(device_);
        writer = std::move(writer_);
        reader = std::move(readerThread_);
    }
    if (device) {
        device->RequestStop();
    }
    if (reader) {
        reader->Stop(kReaderStopWait);
    }
    if (writer) {
        writer->Shutdown(kWriterStopWait);
    }
}

bool HidControl::IsOpen() const {
    std::lock_guard fields(fieldLock_);
    return device_ != nullptr;
}

bool HidControl::ReaderRunning() const {
    std::lock_guard fields(fieldLock_);
    return readerThread_ && readerThread_->Running();
}

}  // namespace quavelo
