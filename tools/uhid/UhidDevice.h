#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quavelo {

// How a device made through uhid shows itself to the host. The bus is always USB.
struct UhidIdentity {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // The HID device's name; also how FindNode tells this device's hidraw node from others.
    std::string name;
    // The serial number (HID_UNIQ, as usbhid fills it from a USB device's serial number string);
    // empty for none, at most 63 characters.
    std::string serial;
};

// One output report the host wrote.
struct UhidOutput {
    std::vector<std::uint8_t> report;
    // Set when the host's write() waits until Acknowledge is called with it. That is the case
    // when the kernel sends the report as a SET_REPORT request (the usbhid quirk
    // HID_QUIRK_NO_OUTPUT_REPORTS_ON_INTR_EP for these ids, which the test machine sets): then
    // a device that does not answer holds the host's write for up to 5 s, as a USB device that
    // does not take an interrupt transfer does. Without it, uhid queues the report and the write
    // returns at once.
    std::optional<std::uint32_t> requestId;
};

enum class UhidReceive {
    kOutput,   // `output` holds a report the host wrote
    kNothing,  // no event was waiting, or one that needs no attention (open, close, start, ...)
    kFailed,   // the uhid descriptor failed
};

// A HID device that this process plays through the kernel's uhid interface (/dev/uhid, root
// only). The kernel's HID core sees a USB device with a vendor-defined report descriptor of one
// 16-byte input and one 16-byte output report without report ids, and makes a hidraw node for it.
// Closing the descriptor (destruction) removes the device like an unplugged one.
//
// Receive and Acknowledge belong to one thread; SendInput and Destroy may come from any thread.
class UhidDevice {
  public:
    static constexpr std::size_t kReportSize = 16;

    // Opens /dev/uhid and creates the device. nullptr with `error` set when it cannot.
    static std::unique_ptr<UhidDevice> Create(const UhidIdentity& identity, std::string& error);

    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;
    ~UhidDevice();

    // Readable while the kernel has events for Receive. Nonblocking.
    int Fd() const { return fd_; }

    // Takes one event without waiting. Requests for feature or input reports are refused
    // (answered with an error) here, since the device has none.
    UhidReceive Receive(UhidOutput& output);

    // Lets the host's write of a report with `requestId` return: successfully, or with an I/O
    // error when `taken` is false.
    bool Acknowledge(std::uint32_t requestId, bool taken);

    // Sends one input report of any length (at most 4096 bytes). False when it cannot be sent:
    // the device was destroyed, or the kernel refused it.
    bool SendInput(std::span<const std::uint8_t> report);

    // Removes the device from the host now, as unplugging does; every later call fails.
    void Destroy();

    // The hidraw node the kernel made for this device ("/dev/hidrawN"), waiting at most `wait`
    // for it to appear. Empty when it did not.
    std::string FindNode(std::chrono::milliseconds wait) const;

  private:
    UhidDevice(int fd, UhidIdentity identity) : fd_(fd), identity_(std::move(identity)) {}
    bool WriteEvent(const void* event);
    bool WriteEventLocked(const void* event);  // writeLock_ held

    const int fd_;
    const UhidIdentity identity_;
    std::mutex writeLock_;
    bool destroyed_ = false;  // guarded by writeLock_
};

}  // namespace quavelo
