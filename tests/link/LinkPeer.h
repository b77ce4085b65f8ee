#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/HidBackend.h"

namespace quavelo {

// The far side of a link under test: a backend that shows one device with kVendor / kProduct at
// Path(), and the device's end of the wire. The same link tests run against every kind of peer.
class LinkPeer {
  public:
    static constexpr std::uint16_t kVendor = 0x0F8C;
    static constexpr std::uint16_t kProduct = 0x0046;

    virtual ~LinkPeer() = default;

    virtual HidBackend& Backend() = 0;
    virtual std::string Path() const = 0;

    // The device sends one input report.
    virtual void SendInput(std::span<const std::uint8_t> report) = 0;
    // The next output report the device took, or nullopt when none came within `wait`.
    virtual std::optional<std::vector<std::uint8_t>> ReceiveOutput(
        std::chrono::milliseconds wait) = 0;
    // The device stops taking output reports until ResumeWrites.
    virtual void StallWrites() = 0;
    virtual void ResumeWrites() = 0;
    // The device goes away: every transfer in progress or to come fails.
    virtual void Unplug() = 0;
    // Device objects the backend handed out that still exist.
    virtual int LiveDevices() const = 0;
    // Input reports shorter than this never reach the host. Linux's HID core drops a report
    // shorter than the device's report descriptor declares (16 bytes here); a socket pair
    // carries every length.
    virtual std::size_t ShortestInput() const { return 1; }
};

}  // namespace quavelo
