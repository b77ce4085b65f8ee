// The link's own cost per report, without a USB wire: HidControl's hand-over to its writer
// thread, the wait for the result, and the bounded read, over the simulated device at zero
// latency. A full-speed USB interrupt endpoint moves one report per millisecond, so this is the
// part of each report's time that the panel adds.

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "device/Report.h"
#include "link/HidControl.h"
#include "sim/SimulatedBackend.h"

namespace quavelo {
namespace {

struct LinkRig {
    SimulatedBackend backend;
    SimulatedDevice& device = backend.AddDevice(Model::Torva);
    LinkState state;
    HidControl link{backend, state};

    explicit LinkRig(benchmark::State& bench) {
        const UsbIds ids = ProfileOf(Model::Torva).usb;
        if (!link.FindAndOpen(ids.vendor, ids.product)) bench.SkipWithError("no device");
    }
};

void BM_WriteReport16(benchmark::State& state) {
    LinkRig rig(state);
    const Report report = DspWriteByte(dsp::kMicGain1, 0x93);
    for (auto _ : state) {
        if (!rig.link.WriteReport16(report)) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteReport16)->UseRealTime();

// A stream that drops what it is given, so the trace's formatting is measured without a disk.
class NullBuffer final : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_WriteReport16Traced(benchmark::State& state) {
    LinkRig rig(state);
    NullBuffer buffer;
    std::ostream discard(&buffer);
    rig.device.SetWireTrace(std::make_shared<WireTrace>(discard));
    const Report report = DspWriteByte(dsp::kMicGain1, 0x93);
    for (auto _ : state) {
        if (!rig.link.WriteReport16(report)) state.SkipWithError("write failed");
    }
    rig.device.SetWireTrace(nullptr);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteReport16Traced)->UseRealTime();

// A level request and its answer: two reports, as the TORVA poller exchanges them.
void BM_RequestAndAnswer(benchmark::State& state) {
    LinkRig rig(state);
    const Report request = DspRead(dsp::kLevel1, 4);
    Report answer{};
    std::uint8_t length = 0;
    for (auto _ : state) {
        if (!rig.link.WriteReport16(request) || !rig.link.ReadReport(answer, length)) {
            state.SkipWithError("exchange failed");
        }
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_RequestAndAnswer)->UseRealTime();

}  // namespace
}  // namespace quavelo

BENCHMARK_MAIN();
