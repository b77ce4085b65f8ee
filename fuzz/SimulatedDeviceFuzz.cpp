// Plays arbitrary host reports to a simulated device, with the KD4's own controls in between,
// and checks what comes back: every input report is a whole 16-byte answer or status block,
// answers never outnumber the requests, and decoding them keeps the model inside its ranges.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "device/InputReportParser.h"
#include "device/SettingsBlocks.h"
#include "fuzz/FuzzReports.h"
#include "sim/SimulatedDevice.h"

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quavelo;
    if (size == 0) return 0;
    const Model model = kModels[data[0] % kModels.size()];
    auto device = SimulatedDevice::Create(model, "sim:fuzz");
    std::string error;
    auto wire = device->Open(error);
    Require(wire != nullptr, "the device does not open");
    DeviceParams params;
    params.ResetToInitialValues();
    params.deviceModel = model;

    int requests = 0;
    int answers = 0;
    for (const fuzz::FuzzReport& chunk : fuzz::SplitIntoReports({data + 1, size - 1})) {
        const Report& r = chunk.bytes;
        // A chunk starting with 0x00 is a hand on the device instead of a host report.
        if (r[0] == 0x00 && chunk.length >= 3) {
            const int choice = r[1] % 3;
            if (choice == 0) device->TurnGainKnob(static_cast<std::int8_t>(r[2]));
            if (choice == 1) device->PressMute();
            if (choice == 2) device->PressLock();
        } else {
            Require(wire->Write({r.data(), chunk.length}), "a write was refused");
            requests += chunk.length >= 6 && r[0] == kReportHead && r[5] == kReadFlag;
        }
        std::array<std::uint8_t, 64> buffer{};
        for (ReadResult got = wire->Read(buffer, std::chrono::milliseconds(0));
             got.status == ReadStatus::kReport;
             got = wire->Read(buffer, std::chrono::milliseconds(0))) {
            Require(got.length == kReportSize, "an input report that is not 16 bytes");
            Report in{};
            std::copy_n(buffer.begin(), kReportSize, in.begin());
            Require(in[0] == kReportHead && in[5] == kReadFlag,
                    "an input report with a bad header");
            answers += in[3] != block::kStatus || in[1] != static_cast<std::uint8_t>(Access::Store);
            switch (ProfileOf(model).readBack) {
                case ReadBackKind::ReaderThread:
                    ParseInputReport(in, params);
                    break;
                case ReadBackKind::Synchronous:
                    DecodeStoreAnswer(in, params, ProfileOf(model));
                    break;
            }
        }
    }
    Require(answers <= requests, "more answers than requests");
    fuzz::RequireInRange(params);
    return 0;
}
