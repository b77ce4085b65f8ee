#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "link/HidBackend.h"
#include "link/HidDevice.h"
#include "link/LinkState.h"
#include "link/ReportLink.h"
#include "link/ReportReader.h"
#include "link/ReportWriter.h"

namespace quavelo {

// The link to one device: finds it by vendor and product id through the backend it was given,
// writes output reports with a time limit, reads input reports one at a time on request or
// continuously on a reader thread, and closes everything again. It knows nothing of what the
// reports mean.
//
// States: closed; open (reports read with ReadReport); open with the reader thread (reports go
// to the handler, ReadReport refuses). Close returns to closed from either; the object can then
// be opened again.
//
// Threads: FindAndOpen, StartReader, SetReportHandler and Close belong to the owner's thread.
// Write and WriteReport16 may come from any thread; ReadReport from one thread at a time.
class HidControl final : public ReportLink {
  public:
    // The longest a caller waits for one write.
    static constexpr std::chrono::milliseconds kWriteLimit{100};
    // ReadReport gives up after this long without a report, so that a silent device cannot
    // freeze the thread that asked (the user-interface thread during the TORVA read-back). A
    // device answers a request within a few milliseconds.
    static constexpr std::chrono::milliseconds kReadReportWait{1000};
    // Within kReadReportWait, ReadReport takes at most this many reads: empty reports are
    // skipped, so a device sending nothing but those cannot keep the caller waiting either.
    static constexpr int kReadReportAttempts = 21;
    // How long Close waits for the reader thread to end after the stop.
    static constexpr std::chrono::milliseconds kReaderStopWait{2000};
    // How long Close waits for a write still in progress after the stop.
    static constexpr std::chrono::milliseconds kWriterStopWait = kWriteLimit;

    // `backend` and `state` must outlive the HidControl.
    HidControl(HidBackend& backend, LinkState& state);
    HidControl(const HidControl&) = delete;
    HidControl& operator=(const HidControl&) = delete;
    // Closes the link.
    ~HidControl() override;

    // Examines the backend's interfaces in enumeration order, storing each one's path in the
    // link state's devicePath, and opens the first whose vendor and product id both match (and,
    // when `choice` is not empty, whose path or serial number is `choice`); then sets deviceFound
    // to 1 and returns true. An interface with both ids that cannot be opened is skipped
    // (Refusal says why). A link that is open is closed first. On false nothing is left open.
    bool FindAndOpen(std::uint16_t vendorId, std::uint16_t productId,
                     const std::string& choice = {});

    // An interface that the last FindAndOpen could not open, and why.
    struct Refusal {
        std::string path;
        OpenError error;
    };
    // nullopt when it opened one or found none with the ids, else the last refusal.
    std::optional<Refusal> LastRefusal() const;

    // Installs the receiver of the reader thread's reports; takes effect at the next
    // StartReader. The handler runs on the reader thread.
    void SetReportHandler(InputReportHandler handler);

    // Starts the reader thread. False when the link is closed, a reader already runs, or the
    // thread cannot be started.
    bool StartReader();

    // Writes the bytes as one output report on the writer thread, serialised with every other
    // writer, and waits at most kWriteLimit. False when the link is closed, `bytes` is empty,
    // the device refused the report, it did not take it in time, or an earlier write that ran
    // out of time is still in progress; the link takes writes again once that one ends.
    bool Write(std::span<const std::uint8_t> bytes);

    bool WriteReport16(const HidReport& report) override;

    // Waits for one input report (see kReadReportWait) and stores its first 16 bytes (zero past
    // its end) and its length (at most 255). False at once when the link is closed, the reader
    // thread runs, or the device has failed; false after the wait when no report came.
    bool ReadReport(HidReport& dest, std::uint8_t& length) override;

    // Raises the device's stop, waits for the reader thread (kReaderStopWait) and for a write in
    // progress (kWriterStopWait), and releases the device. A thread that overruns its wait is
    // let go and releases the device when it ends. Always true.
    bool Close();

    bool IsOpen() const;
    bool ReaderRunning() const;

  private:
    // Takes the device and its threads out of the fields and ends them; controlLock_ held.
    void CloseOpenDevice();

    HidBackend& backend_;
    LinkState& state_;
    // Serialises writers, so each report is written whole before the next one starts.
    std::mutex writeLock_;
    // Serialises FindAndOpen, StartReader and Close.
    std::mutex controlLock_;
    // Guards the fields below; held only briefly, never across a wait.
    mutable std::mutex fieldLock_;
    std::shared_ptr<HidDevice> device_;
    std::shared_ptr<ReportWriter> writer_;
    std::unique_ptr<ReportReader> readerThread_;
    InputReportHandler handler_;
    std::optional<Refusal> refusal_;
};

}  // namespace quavelo
