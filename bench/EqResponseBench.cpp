#include <benchmark/benchmark.h>

#include "graph/EqResponse.h"
#include "graph/ReferenceEqResponse.h"
#include "graph/SectionCascade.h"

namespace quavelo {
namespace {

// Five peaking bands as a page sets them up from the device's graph bands.
EqBandInputs FivePeakingBands() {
    EqBandInputs in;
    constexpr double kFreq[] = {60, 250, 1000, 4000, 12000};
    constexpr double kGain[] = {4.5, -3.0, 6.0, -7.5, 2.0};
    constexpr double kQ[] = {0.7, 1.4, 2.0, 3.5, 0.9};
    for (std::size_t i = 0; i < 5; ++i) {
        in.kind[i] = kKindEqBand;
        in.shape[i] = kShapePeaking;
        in.frequency[i] = kFreq[i];
        in.gain[i] = kGain[i];
        in.q[i] = kQ[i];
    }
    in.bandCount = 5;
    return in;
}

// The five peaking bands plus a 48 dB/octave high-pass at 40 Hz and low-pass at 15 kHz.
EqBandInputs FivePeakingBandsWithPasses() {
    EqBandInputs in = FivePeakingBands();
    in.kind[5] = kKindHighPass;
    in.frequency[5] = 40;
    in.kind[6] = kKindLowPass;
    in.frequency[6] = 15000;
    for (std::size_t i = 5; i < 7; ++i) {
        in.q[i] = kMaxSlopeIndex;
        in.filterEnabled[i] = 1;
    }
    in.bandCount = 7;
    return in;
}

template <void (*Compute)(const EqBandInputs&, EqResponseCurves&)>
void Run(benchmark::State& state, const EqBandInputs& in) {
    EqResponseCurves curves;
    for (auto _ : state) {
        Compute(in, curves);
        benchmark::DoNotOptimize(curves);
        benchmark::ClobberMemory();
    }
}

void BM_FivePeaking(benchmark::State& state) { Run<ComputeEqResponse>(state, FivePeakingBands()); }
void BM_FivePeakingWithPasses(benchmark::State& state) {
    Run<ComputeEqResponse>(state, FivePeakingBandsWithPasses());
}
void BM_FivePeakingReference(benchmark::State& state) {
    Run<reference::ComputeEqResponse>(state, FivePeakingBands());
}
void BM_FivePeakingWithPassesReference(benchmark::State& state) {
    Run<reference::ComputeEqResponse>(state, FivePeakingBandsWithPasses());
}

// One band's curve in each build of the evaluation loop: the baseline is what a processor
// without AVX2 runs. The section is a peaking band of about +6 dB at 1 kHz, Q 2.
void BM_OneBandKernel(benchmark::State& state, CascadeKernel kernel) {
    const Section peaking{1.01604, -1.96358, 0.95172, -1.96358, 0.96777};
    ResponseCurve curve;
    for (auto _ : state) {
        WriteCascadeDb(std::span(&peaking, 1), curve, kernel);
        benchmark::DoNotOptimize(curve);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_FivePeaking)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FivePeakingReference)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FivePeakingWithPasses)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FivePeakingWithPassesReference)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OneBandKernel, baseline, CascadeKernel::kBaseline);
BENCHMARK_CAPTURE(BM_OneBandKernel, avx2, CascadeKernel::kAvx2);

}  // namespace
}  // namespace quavelo

BENCHMARK_MAIN();
