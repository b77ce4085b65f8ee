// quavelo-uhid-device: a simulated TORVA or KD4 served through the kernel's uhid interface, so
// that the hidraw backend, the panel and the command-line tool reach it as a real USB device.

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "device/DeviceMap.h"
#include "uhid/EchoDevice.h"
#include "uhid/UhidDevice.h"
#include "uhid/UhidDeviceOptions.h"
#include "uhid/UhidRelay.h"

namespace {

using quavelo::UhidDeviceOptions;

constexpr int kUsage = 2;
constexpr int kFailed = 1;

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
    if (stopFd < 0) {
        std::perror("quavelo-uhid-device: signalfd");
        return kFailed;
    }

    const bool kd4 = options.model == UhidDeviceOptions::Model::kKd4;
    quavelo::UhidIdentity identity;
    identity.vendorId = kd4 ? quavelo::kKd4VendorId : quavelo::kTorvaVendorId;
    identity.productId = kd4 ? quavelo::kKd4ProductId : quavelo::kTorvaProductId;
    identity.name = std::string(kd4 ? "KD4" : "TORVA") + " (uhid " + std::to_string(getpid()) + ")";

    std::string error;
    const std::unique_ptr<quavelo::UhidDevice> device =
        quavelo::UhidDevice::Create(identity, error);
    if (!device) {
        std::cerr << "quavelo-uhid-device: " << error << '\n';
        return kFailed;
    }
    const std::string node = device->FindNode(std::chrono::milliseconds(5000));
    if (node.empty()) {
        std::cerr << "quavelo-uhid-device: the kernel made no hidraw node for the device (are "
                     "the hid-generic and hidraw drivers there?)\n";
        return kFailed;
    }
    std::cout << node << std::endl;

    quavelo::EchoDevice model;
    quavelo::UhidRelay relay(*device, model, options.faults);
    const quavelo::UhidRelay::End end = relay.Run(stopFd);
    close(stopFd);
    if (end == quavelo::UhidRelay::End::kFailed) {
        std::cerr << "quavelo-uhid-device: /dev/uhid failed\n";
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
        std::cerr << "quavelo-uhid-device: " << error << " (--help lists the options)\n";
        return kUsage;
    }
    if (options.help) {
        std::cout << quavelo::UhidDeviceUsage();
        return 0;
    }
    return Serve(options);
}
