// quavelo-uhid-device: a simulated TORVA or KD4 served through the kernel's uhid interface, so
// that the hidraw backend, the panel and the command-line tool reach it as a real USB device.

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "sim/SimulatedDevice.h"
#include "sim/WireTrace.h"
#include "uhid/EchoDevice.h"
#include "uhid/UhidDevice.h"
#include "uhid/UhidDeviceOptions.h"
#include "uhid/UhidRelay.h"

namespace {

using quavelo::UhidDeviceControl;
using quavelo::UhidDeviceOptions;

constexpr int kUsage = 2;
constexpr int kFailed = 1;

void Complain(const std::string& text) { std::cerr << "quavelo-uhid-device: " << text << '\n'; }

bool Apply(quavelo::SimulatedDevice& device, const UhidDeviceControl& control) {
    switch (control.kind) {
        case UhidDeviceControl::Kind::kKnob:
            return device.TurnGainKnob(control.detents);
        case UhidDeviceControl::Kind::kMute:
            return device.PressMute();
        case UhidDeviceControl::Kind::kLock:
            return device.PressLock();
    }
    return false;
}

// Reads control lines from standard input until `quitFd` becomes readable or the input ends, and
// works the simulated device's controls with them.
void ReadControls(quavelo::SimulatedDevice* device, int quitFd) {
    std::string pending;
    for (;;) {
        pollfd fds[2] = {{quitFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[0].revents != 0) {
            return;
        }
        if (fds[1].revents == 0) {
            continue;
        }
        char chunk[256];
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            return;
        }
        pending.append(chunk, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            UhidDeviceControl control;
            std::string error;
            if (!quavelo::ParseUhidDeviceControl(line, control, error)) {
                Complain(error);
            } else if (!device) {
                Complain("an echoing device has no controls");
            } else if (!Apply(*device, control)) {
                Complain("the device refused '" + line + "' (a TORVA has no own controls)");
            }
        }
    }
}

int Serve(const UhidDeviceOptions& options) {
    // The stop signals are taken through a descriptor the relay watches, so that the device is
    // removed in an orderly way; threads started later inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK);
    const int quitFd = eventfd(0, EFD_CLOEXEC);
    if (stopFd < 0 || quitFd < 0) {
        std::perror("quavelo-uhid-device");
        return kFailed;
    }

    const quavelo::ModelProfile& profile = quavelo::ProfileOf(options.model);
    quavelo::UhidIdentity identity;
    identity.vendorId = profile.usb.vendor;
    identity.productId = profile.usb.product;
    identity.name = std::string(profile.name) + " (uhid " + std::to_string(getpid()) + ")";
    identity.serial = options.serial;

    std::shared_ptr<quavelo::WireTrace> trace;
    std::string error;
    if (!options.tracePath.empty()) {
        trace = quavelo::WireTrace::AppendToFile(options.tracePath, error);
        if (!trace) {
            Complain(options.tracePath + ": " + error);
            return kFailed;
        }
    }
    const std::unique_ptr<quavelo::UhidDevice> device =
        quavelo::UhidDevice::Create(identity, error);
    if (!device) {
        Complain(error);
        return kFailed;
    }
    const std::string node = device->FindNode(std::chrono::milliseconds(5000));
    if (node.empty()) {
        Complain(
            "the kernel made no hidraw node for the device (are the hid-generic and "
            "hidraw drivers there?)");
        return kFailed;
    }

    // The model: the simulated device opened once for the whole time it is plugged in, as the
    // host's openings all reach the same device; or the echo.
    std::shared_ptr<quavelo::SimulatedDevice> simulated;
    std::unique_ptr<quavelo::HidDevice> model;
    if (options.echo) {
        model = std::make_unique<quavelo::EchoDevice>();
    } else {
        simulated = quavelo::SimulatedDevice::Create(options.model, node);
        if (!options.statePath.empty()) {
            const quavelo::StoreFileResult loaded = simulated->LoadStoreFile(options.statePath);
            if (loaded.status == quavelo::StoreFileStatus::kRefused) {
                Complain(options.statePath + ": " + loaded.error);
                return kFailed;
            }
        }
        simulated->SetWireTrace(trace);
        model = simulated->Open(error);
        if (!model) {
            Complain(error);
            return kFailed;
        }
    }
    std::cout << node << std::endl;

    std::thread controls(ReadControls, simulated.get(), quitFd);
    quavelo::UhidRelay relay(*device, *model, options.faults);
    const quavelo::UhidRelay::End end = relay.Run(stopFd);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(quitFd, &one, sizeof one);
    controls.join();
    close(quitFd);
    close(stopFd);
    if (simulated && !options.statePath.empty()) {
        if (const std::string problem = simulated->SaveStoreFile(options.statePath);
            !problem.empty()) {
            Complain(options.statePath + ": " + problem);
            return kFailed;
        }
    }
    if (end == quavelo::UhidRelay::End::kFailed) {
        Complain("/dev/uhid failed");
        return kFailed;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    UhidDeviceOptions options;
    std::string error;
    if (!quavelo::ParseUhidDeviceOptions(args, options, error)) {
        Complain(error + " (--help lists the options)");
        return kUsage;
    }
    if (options.help) {
        std::cout << quavelo::UhidDeviceUsage();
        return 0;
    }
    return Serve(options);
}
