#include "graph/EqResponse.h"

#include <algorithm>
#include <cstddef>

#include "graph/ForEachPoint.h"

namespace quavelo {

int SlopeIndexOf(double q) noexcept {
    return q > kMinSlopeIndex - 1.0 && q < kMaxSlopeIndex + 1.0 ? static_cast<int>(q) : -1;
}

void ComputeEqResponse(const EqBandInputs& inputs, EqResponseCurves& curves) noexcept {
    curves.total.fill(0.0);
    curves.grid = ResponseFrequencyTable;
    const int count = std::min(inputs.bandCount, kMaxEqBands);
    for (int b = 0; b < count; ++b) {
        const auto i = static_cast<std::size_t>(b);
        // Computed apart from the outputs so that adding it to the total is a SIMD loop.
        ResponseCurve curve;
        const double frequency = inputs.frequency[i];
        switch (inputs.kind[i]) {
            case kKindEqBand:
                if (inputs.shape[i] == kShapePeaking) {
                    PeakingResponse(curve, frequency, inputs.gain[i], 1.0 / inputs.q[i]);
                } else {
                    ShelfResponse(inputs.shape[i], curve, frequency, inputs.gain[i]);
                }
                break;
            case kKindHighPass:
            case kKindLowPass:
                if (inputs.filterEnabled[i] == 0) {
                    curve.fill(0.0);
                } else if (inputs.kind[i] == kKindHighPass) {
                    HighPassResponse(SlopeIndexOf(inputs.q[i]), curve, frequency);
                } else {
                    LowPassResponse(SlopeIndexOf(inputs.q[i]), curve, frequency);
                }
                break;
            default:
                curve.fill(0.0);
                break;
        }
        curves.band[i] = curve;
        ForEachPoint([&](std::size_t j) { curves.total[j] += curve[j]; });
    }
}

}  // namespace quavelo
