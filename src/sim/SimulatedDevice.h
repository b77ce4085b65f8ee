#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "device/Encoding.h"
#include "device/ModelProfile.h"
#include "link/HidBackend.h"
#include "link/HidDevice.h"
#include "link/QueuedRemovalMonitor.h"
#include "sim/ProcessorMemory.h"
#include "sim/SettingsStore.h"
#include "sim/SettingsStoreFile.h"
#include "sim/WireTrace.h"

namespace quavelo {

// Faults a simulated device can be told to show, one switch each; the default is a sound device.
// Removal is not among them: it is Unplug and Replug.
struct SimFaults {
    // Writes are not taken: each waits until the switch is cleared (then the device takes it),
    // the device is removed or the opening's stop is requested (then it fails).
    bool stallWrites = false;
    // Read requests are taken but never answered.
    bool missingAnswers = false;
    // Each answer is the answer for the next address (the address asked for plus one).
    bool wrongAddressAnswers = false;
    // Each answer is replaced by garbage: random bytes of a random length (0..32), about half of
    // them keeping the real answer's first six bytes so that they pass a receiver's header checks.
    bool garbageAnswers = false;
    // When set, the three answer faults above hit only requests for this address; the others are
    // answered soundly.
    std::optional<std::uint16_t> answerFaultAddress;
    // Each write is taken this long after it was handed over, and each input report can be read
    // this long after the device sent it.
    std::chrono::microseconds latency{0};
};

// A TORVA or KD4 as the host sees it on the wire, for tests, demonstrations and the command-line
// tool's simulated mode:
//
//  - a settings store that starts with the panel's initial settings in the model's layout; store
//    writes change it and store-read requests are answered from it;
//  - processor memory with the staged coefficient load; level requests (0x00AE, 0x00B0) are
//    answered with a slow deterministic waveform and other processor reads with the memory;
//  - on the KD4, its own controls (gain knob, mute, lock), which change the store and make the
//    device send its status block 0x50;
//  - the fault switches of SimFaults, and removal.
//
// The device never answers a write. Reports shorter than six bytes or not starting with 0xFF are
// received but change nothing. The device keeps the reports it received for whoever watches it
// (the panel's simulated-device window, a test playing the far end of a link).
//
// Openings (Open) are HidDevices for HidControl: Write blocks while the device does not take the
// report, Read waits for an input report, RequestStop ends both. Each opening holds the device, so
// the device lives as long as its last user. All operations may be used from any thread.
class SimulatedDevice : public std::enable_shared_from_this<SimulatedDevice> {
  public:
    // Input reports waiting to be read; further ones are dropped, as by a full hidraw buffer.
    static constexpr std::size_t kInputQueueLimit = 64;
    // Received reports kept for watchers; beyond it the oldest are dropped.
    static constexpr std::size_t kReceivedLimit = 4096;

    // `path` is what
    // enumeration shows and removal reports.
    static std::shared_ptr<SimulatedDevice> Create(Model model, std::string path);

    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    quavelo::Model DeviceModel() const noexcept { return model_; }
    const std::string& Path() const noexcept { return path_; }
    // Path, vendor and product id as an enumeration lists them.
    HidDeviceInfo Info() const;

    // Plugging. Unplug fails every transfer in progress and every later one of the openings made
    // so far, drops the waiting input, and announces the path on the removal monitor. Replug
    // makes the device enumerable and openable again, with its store as it was and its processor
    // memory cleared, as after a power cycle.
    bool Plugged() const;
    void Unplug();
    void Replug();
    // Receives Raise(path) at each Unplug; nullptr for none. Must outlive the device or be
    // replaced before it goes.
    void SetRemovalMonitor(QueuedRemovalMonitor* monitor);

    // A fresh opening: earlier input is dropped. nullptr with `error` set while unplugged, and
    // when a store file is bound and cannot be had (InUse while another process holds it).
    std::unique_ptr<HidDevice> Open(OpenError& error);
    std::unique_ptr<HidDevice> Open(std::string& error);
    // Openings that still exist.
    int LiveOpenings() const;

    // Records every report written to and read from the device; nullptr for none. Each Open marks
    // the trace's zero time.
    void SetWireTrace(std::shared_ptr<WireTrace> trace);

    // The reports the device took, oldest first, and forgets them.
    std::vector<std::vector<std::uint8_t>> TakeReceived();
    // The oldest report taken and not yet handed out, waiting at most `wait` for one.
    std::optional<std::vector<std::uint8_t>> WaitForReceived(std::chrono::milliseconds wait);

    // The device sends `report` (any length) as an input report. False when it is unplugged or
    // not open, or the input queue is full.
    bool SendInput(std::span<const std::uint8_t> report);

    void SetFaults(const SimFaults& faults);
    SimFaults Faults() const;

    SettingsStoreImage Store() const;
    void ReplaceStore(const SettingsStoreImage& image);
    // Loads the store from a file written by SaveStoreFile. The store is replaced only when the
    // file held an image; a missing or refused file leaves it as it was.
    StoreFileResult LoadStoreFile(const std::filesystem::path& path);
    std::string SaveStoreFile(const std::filesystem::path& path) const;
    // Keeps the store in the file at `path` while the device is open, as one device shared by
    // the processes that use the file (the command-line tool's --sim-state): the first opening
    // takes the device lock on the file (LockSettingsStoreFile: another process holding it makes
    // Open fail with InUse) and loads the store from it; the end of the last opening writes the
    // store back and then releases the lock. Bind it before the first Open.
    void BindStoreFile(std::filesystem::path path);
    // Why the last write-back to the bound file failed; empty when it did not.
    std::string StoreFileProblem() const;

    // Processor memory: the value last written at `address`, and the five words a staged load
    // put into equaliser filter `band` (1..5) or the high-pass filter; nullopt while not loaded.
    std::optional<std::uint32_t> DspValue(std::uint16_t address) const;
    std::optional<Coefficients> FilterWords(int band) const;
    std::optional<Coefficients> HighPassWords() const;

    // The KD4's own controls. Each changes its setting in the store (the knob also sets the codec
    // gain of both channels) and sends the status block 0x50, which is lost when no host has the
    // device open. False, with nothing changed, on a TORVA, while unplugged, or when the knob is
    // already at its end.
    // Turns the gain knob by `detents` steps (micGain, held in 0..47).
    bool TurnGainKnob(int detents);
    // Toggles the microphone mute (kd4Mute).
    bool PressMute();
    // Toggles the panel lock (kd4Lock).
    bool PressLock();

  private:
    class Opening;

    struct Input {
        std::vector<std::uint8_t> bytes;
        std::chrono::steady_clock::time_point readyAt;
    };

    SimulatedDevice(Model model, std::string path);

    // The operations of an opening opened at `generation`; `stopped` is the opening's stop flag,
    // guarded by lock_.
    bool WriteFrom(std::uint64_t generation, const bool& stopped,
                   std::span<const std::uint8_t> report);
    ReadResult ReadFor(std::uint64_t generation, const bool& stopped,
                       std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout);
    void StopOpening(bool& stopped);
    void OpeningGone();

    // The rest runs with lock_ held.
    bool Current(std::uint64_t generation) const { return plugged_ && generation == generation_; }
    void Take(std::span<const std::uint8_t> report);
    void AnswerRequest(std::uint8_t access, std::uint16_t address, std::uint8_t count);
    std::optional<Report> BuildAnswer(std::uint8_t access, std::uint16_t address,
                                      std::uint8_t count);
    std::vector<std::uint8_t> Garbage(const Report& answer);
    bool QueueInput(std::span<const std::uint8_t> report);
    bool ChangeByDevice(std::uint8_t storeAddress, std::uint8_t value);
    void Trace(WireDirection direction, std::span<const std::uint8_t> report, bool failed);

    const Model model_;
    const std::string path_;

    mutable std::mutex lock_;
    std::condition_variable changed_;
    bool plugged_ = true;
    std::uint64_t generation_ = 0;  // counts the unpluggings; an opening of an older one is dead
    int liveOpenings_ = 0;
    QueuedRemovalMonitor* removals_ = nullptr;
    std::shared_ptr<WireTrace> trace_;
    SimFaults faults_;
    SettingsStore store_;
    ProcessorMemory memory_;
    std::uint32_t levelSteps_[2] = {0, 0};
    std::minstd_rand garbage_;
    std::deque<Input> input_;
    std::deque<std::vector<std::uint8_t>> received_;
    std::optional<std::filesystem::path> storeFile_;
    int storeFileLock_ = -1;  // holds the lock on storeFile_ while the device is open
    std::string storeFileProblem_;
};

}  // namespace quavelo
