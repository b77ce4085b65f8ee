#include "graph/BandResponse.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "graph/SectionCascade.h"

namespace quavelo {
namespace {

// Angular frequency per Hz in filter design: 2 pi / 96000 rounded to seven digits, while the
// evaluation uses the full-precision value. Both are part of how the curves are defined.
constexpr double kDesignRadiansPerHz = 6.544985e-05;

constexpr Section Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

void Flat(ResponseCurve& curve) noexcept { curve.fill(0.0); }

// Section factors 1/(2Q) of the cascades by slope index; 0 marks an empty section. For odd
// orders (indices 1, 3, 5) section 0 is first-order and its factor 1.0 enters that design.
// clang-format off
constexpr std::array<std::array<double, 4>, 7> kCascadeFactors{{
    {0.70422535, 0, 0, 0},
    {1.0, 0.5, 0, 0},
    {0.92592593, 0.38167939, 0, 0},
    {1.0, 0.8064616129, 0.3086417953, 0},
    {0.96153846, 0.70422535211, 0.2590673575, 0},
    {1.0, 0.90909090909, 0.625, 0.2222222222},
    {0.98039216, 0.83333333, 0.55555556, 0.1953125},
}};
// clang-format on

// A zero leading coefficient is replaced by this, so no section divides by zero.
constexpr double kZeroGuard = 1e-10;

double Guarded(double a0) noexcept { return a0 == 0.0 ? kZeroGuard : a0; }

enum class Pass { kLow, kHigh };

void PassResponse(Pass pass, int slopeIndex, ResponseCurve& curve, double frequency) noexcept {
    if (slopeIndex < kMinSlopeIndex || slopeIndex > kMaxSlopeIndex || !std::isfinite(frequency)) {
        Flat(curve);
        return;
    }
    const auto& factors = kCascadeFactors[static_cast<std::size_t>(slopeIndex)];
    const double w0 = frequency * kDesignRadiansPerHz;
    const double c = std::cos(w0);
    const double s = std::sin(w0);
    const double t = std::tan(w0 * 0.5);

    std::array<Section, 4> sections;
    std::size_t count = 0;
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const double k = factors[i];
        if (k == 0.0) continue;  // an empty section is exactly 0 dB
        const bool firstOrder = i == 0 && slopeIndex % 2 == 1;
        if (firstOrder && pass == Pass::kLow) {
            sections[count++] = Normalised(t, t, 0.0, Guarded(k + t), t - k, 0.0);
        } else if (firstOrder) {
            sections[count++] = Normalised(1.0, -1.0, 0.0, Guarded(k * t + 1), k * t - 1, 0.0);
        } else {
            const double alpha = k * s;
            const double a0 = Guarded(1 + alpha);
            const double b0 = pass == Pass::kLow ? (1 - c) * 0.5 : (1 + c) * 0.5;
            const double b1 = pass == Pass::kLow ? 2 * b0 : -2 * b0;
            sections[count++] = Normalised(b0, b1, b0, a0, -2 * c, 1 - alpha);
        }
    }
    WriteCascadeDb(std::span(sections.data(), count), curve);
}

}  // namespace

std::size_t PeakingGridIndex(double frequency) noexcept {
    const auto& table = ResponseFrequencyTable;
    // The first entry at or above the frequency; for NaN there is none, as above the table.
    const auto upper = std::partition_point(table.begin(), table.end(),
                                            [&](double entry) { return !(entry >= frequency); });
    if (upper == table.end()) return kResponsePoints - 1;
    auto k = static_cast<std::size_t>(upper - table.begin());
    if (k > 0 && (frequency - table[k - 1]) < (table[k] - frequency)) --k;
    return k;
}

void PeakingResponse(ResponseCurve& curve, double frequency, double gainDb,
                     double bandwidth) noexcept {
    if (!std::isfinite(frequency) || !std::isfinite(gainDb) || !std::isfinite(bandwidth)) {
        Flat(curve);
        return;
    }
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = ResponseFrequencyTable[PeakingGridIndex(frequency)] * kDesignRadiansPerHz;
    const double alpha = std::sin(w0) * std::sinh(0.69314718 * bandwidth * w0 / std::sin(w0));
    const double a0 = 1 + alpha / a;
    const Section s{(1 + alpha * a) / a0, -2 * std::cos(w0) / a0, (1 - alpha * a) / a0,
                    -2 * std::cos(w0) / a0, (1 - alpha / a) / a0};
    WriteCascadeDb(std::span(&s, 1), curve);
}

void ShelfResponse(std::uint32_t shape, ResponseCurve& curve, double frequency,
                   double gainDb) noexcept {
    const bool low = shape == kShapeLowShelf;
    if ((!low && shape != kShapeHighShelf) || !std::isfinite(frequency) || !std::isfinite(gainDb) ||
        gainDb == 0.0) {
        Flat(curve);
        return;
    }
    constexpr double kSlope = 1.05;
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = frequency * kDesignRadiansPerHz * (low ? 1.2727272727 : 0.76923076923);
    const double c = std::cos(w0);
    const double t =
        2 * std::sqrt(a) * (std::sin(w0) * 0.5) * std::sqrt((1 / kSlope - 1) * (a + 1 / a) + 2);
    Section s;
    if (low) {
        const double a0 = (a + 1) + (a - 1) * c + t;
        s = Normalised(a * ((a + 1) - (a - 1) * c + t), 2 * a * ((a - 1) - (a + 1) * c),
                       a * ((a + 1) - (a - 1) * c - t), a0, -2 * ((a - 1) + (a + 1) * c),
                       (a + 1) + (a - 1) * c - t);
    } else {
        const double a0 = (a + 1) - (a - 1) * c + t;
        s = Normalised(a * ((a + 1) + (a - 1) * c + t), -2 * a * ((a - 1) + (a + 1) * c),
                       a * ((a + 1) + (a - 1) * c - t), a0, 2 * ((a - 1) - (a + 1) * c),
                       (a + 1) - (a - 1) * c - t);
    }
    WriteCascadeDb(std::span(&s, 1), curve);
}

void LowPassResponse(int slopeIndex, ResponseCurve& curve, double frequency) noexcept {
    PassResponse(Pass::kLow, slopeIndex, curve, frequency);
}

void HighPassResponse(int slopeIndex, ResponseCurve& curve, double frequency) noexcept {
    PassResponse(Pass::kHigh, slopeIndex, curve, frequency);
}

}  // namespace quavelo
