#include "uhid/UhidDevice.h"

#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>

namespace quavelo {

namespace {

// Vendor-defined usage page 0xFF00, one application collection holding a 16-byte input report
// and a 16-byte output report of opaque bytes; no report ids.
constexpr std::uint8_t kReportDescriptor[] = {
    0x06, 0x00, 0xFF,  // Usage Page (vendor-defined 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x09, 0x02,        //   Usage (2)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x10,        //   Report Count (16)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x03,        //   Usage (3)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x10,        //   Report Count (16)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

constexpr std::uint16_t kBusUsb = 0x03;

std::string ErrorText(int error) { return std::generic_category().message(error); }

// The HID_NAME line of a hidraw node's parent HID device.
bool NodeHasName(const std::filesystem::path& node, const std::string& name) {
    std::ifstream uevent(node / "device" / "uevent");
    std::string line;
    while (std::getline(uevent, line)) {
        if (line == "HID_NAME=" + name) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::unique_ptr<UhidDevice> UhidDevice::Create(const UhidIdentity& identity, std::string& error) {
    auto event = std::make_unique<uhid_event>();
    if (identity.name.empty() || identity.name.size() >= sizeof event->u.create2.name) {
        error = "the device name must have 1 to 127 characters";
        return nullptr;
    }
    if (identity.serial.size() >= sizeof event->u.create2.uniq) {
        error = "the serial number must have at most 63 characters";
        return nullptr;
    }
    const int fd = open("/dev/uhid", O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = "/dev/uhid: " + ErrorText(errno);
        return nullptr;
    }
    std::unique_ptr<UhidDevice> device(new UhidDevice(fd, identity));
    event->type = UHID_CREATE2;
    std::memcpy(event->u.create2.name, identity.name.data(), identity.name.size());
    std::memcpy(event->u.create2.uniq, identity.serial.data(), identity.serial.size());
    event->u.create2.rd_size = sizeof kReportDescriptor;
    std::memcpy(event->u.create2.rd_data, kReportDescriptor, sizeof kReportDescriptor);
    event->u.create2.bus = kBusUsb;
    event->u.create2.vendor = identity.vendorId;
    event->u.create2.product = identity.productId;
    if (!device->WriteEvent(event.get())) {
        error = "the uhid device cannot be created: " + ErrorText(errno);
        return nullptr;
    }
    return device;
}

UhidDevice::~UhidDevice() { close(fd_); }

bool UhidDevice::WriteEvent(const void* event) {
    std::lock_guard lock(writeLock_);
    return WriteEventLocked(event);
}

bool UhidDevice::WriteEventLocked(const void* event) {
    if (destroyed_) {
        errno = ENODEV;
        return false;
    }
    for (;;) {
        const ssize_t written = write(fd_, event, sizeof(uhid_event));
        if (written == static_cast<ssize_t>(sizeof(uhid_event))) {
            return true;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        return false;
    }
}

UhidReceive UhidDevice::Receive(UhidOutput& output) {
    auto event = std::make_unique<uhid_event>();
    const ssize_t got = read(fd_, event.get(), sizeof(uhid_event));
    if (got < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? UhidReceive::kNothing
                                                                         : UhidReceive::kFailed;
    }
    if (got < static_cast<ssize_t>(sizeof event->type)) {
        return UhidReceive::kNothing;
    }
    switch (event->type) {
        case UHID_OUTPUT: {
            const auto& out = event->u.output;
            const std::size_t size = std::min<std::size_t>(out.size, sizeof out.data);
            output.report.assign(out.data, out.data + size);
            output.requestId.reset();
            return out.rtype == UHID_OUTPUT_REPORT ? UhidReceive::kOutput : UhidReceive::kNothing;
        }
        case UHID_SET_REPORT: {
            const auto& set = event->u.set_report;
            if (set.rtype != UHID_OUTPUT_REPORT) {
                Acknowledge(set.id, false);
                return UhidReceive::kNothing;
            }
            const std::size_t size = std::min<std::size_t>(set.size, sizeof set.data);
            output.report.assign(set.data, set.data + size);
            output.requestId = set.id;
            return UhidReceive::kOutput;
        }
        case UHID_GET_REPORT: {
            auto reply = std::make_unique<uhid_event>();
            reply->type = UHID_GET_REPORT_REPLY;
            reply->u.get_report_reply.id = event->u.get_report.id;
            reply->u.get_report_reply.err = EIO;
            WriteEvent(reply.get());
            return UhidReceive::kNothing;
        }
        default:
            return UhidReceive::kNothing;
    }
}

bool UhidDevice::Acknowledge(std::uint32_t requestId, bool taken) {
    auto reply = std::make_unique<uhid_event>();
    reply->type = UHID_SET_REPORT_REPLY;
    reply->u.set_report_reply.id = requestId;
    reply->u.set_report_reply.err = taken ? 0 : EIO;
    return WriteEvent(reply.get());
}

bool UhidDevice::SendInput(std::span<const std::uint8_t> report) {
    auto event = std::make_unique<uhid_event>();
    if (report.size() > sizeof event->u.input2.data) {
        return false;
    }
    event->type = UHID_INPUT2;
    event->u.input2.size = static_cast<std::uint16_t>(report.size());
    std::copy(report.begin(), report.end(), event->u.input2.data);
    return WriteEvent(event.get());
}

void UhidDevice::Destroy() {
    auto event = std::make_unique<uhid_event>();
    event->type = UHID_DESTROY;
    std::lock_guard lock(writeLock_);
    if (WriteEventLocked(event.get())) {
        destroyed_ = true;
    }
}

std::string UhidDevice::FindNode(std::chrono::milliseconds wait) const {
    namespace fs = std::filesystem;
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    for (;;) {
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator("/sys/class/hidraw", ec)) {
            // devtmpfs makes the node shortly after the kernel announced it.
            const fs::path node = fs::path("/dev") / entry.path().filename();
            if (NodeHasName(entry.path(), identity_.name) && fs::exists(node, ec)) {
                return node.string();
            }
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace quavelo
