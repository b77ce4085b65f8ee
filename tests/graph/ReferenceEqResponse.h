#pragma once

// The equaliser response computed the plain way, as the tests and the benchmark hold the
// production code against it: cos, sin, square root and logarithm per section and entry, sections
// summed in dB. Defined for 1..20 bands of the inputs the pages produce, nothing beyond.

#include <cmath>
#include <cstddef>

#include "graph/EqResponse.h"

namespace quavelo::reference {

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0;
    double a0 = 1, a1 = 0, a2 = 0;
};

inline void Evaluate(const Biquad* sections, std::size_t count, ResponseCurve& curve) {
    for (std::size_t j = 0; j < kResponsePoints; ++j) {
        const double w = ResponseFrequencyTable[j] * 6.283185307179586 / 96000.0;
        const double c = std::cos(w), s = std::sin(w);
        curve[j] = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const Biquad& q = sections[i];
            const double b0 = q.b0 / q.a0, b1 = q.b1 / q.a0, b2 = q.b2 / q.a0;
            const double a1 = q.a1 / q.a0, a2 = q.a2 / q.a0;
            const double nr = b0 * c + b1 + b2 * c, ni = b0 * s - b2 * s;
            const double dr = c + a1 + a2 * c, di = s - a2 * s;
            curve[j] += 20 * std::log10(std::sqrt((ni * ni + nr * nr) / (di * di + dr * dr)));
        }
    }
}

inline void Peaking(ResponseCurve& curve, double f, double gain, double p) {
    const auto& table = ResponseFrequencyTable;
    std::size_t k = 0;  // the nearest entry, the upper one on a tie
    for (std::size_t j = 0; j < kResponsePoints; ++j)
        k = std::fabs(table[j] - f) <= std::fabs(table[k] - f) ? j : k;
    const double A = std::pow(10.0, gain / 40);
    const double w0 = table[k] * 6.544985e-05;
    const double alpha = std::sin(w0) * std::sinh(0.69314718 * p * w0 / std::sin(w0));
    const Biquad q{1 + alpha * A, -2 * std::cos(w0), 1 - alpha * A,
                   1 + alpha / A, -2 * std::cos(w0), 1 - alpha / A};
    Evaluate(&q, 1, curve);
}

inline void Shelf(unsigned shape, ResponseCurve& curve, double f, double gain) {
    const double A = std::pow(10.0, gain / 40);
    const double w0 = f * 6.544985e-05 * (shape == 1 ? 1.2727272727 : 0.76923076923);
    const double c = std::cos(w0);
    const double t = std::sqrt(A) * std::sin(w0) * std::sqrt((1 / 1.05 - 1) * (A + 1 / A) + 2);
    const double sign = shape == 1 ? 1 : -1;  // the high shelf mirrors the cosine terms
    // clang-format off
    const Biquad q{A * ((A + 1) - sign * (A - 1) * c + t), sign * 2 * A * ((A - 1) - sign * (A + 1) * c),
                   A * ((A + 1) - sign * (A - 1) * c - t), (A + 1) + sign * (A - 1) * c + t,
                   -sign * 2 * ((A - 1) + sign * (A + 1) * c), (A + 1) + sign * (A - 1) * c - t};
    // clang-format on
    Evaluate(&q, 1, curve);
}

inline void Pass(bool lowPass, int n, ResponseCurve& curve, double f) {
    // clang-format off
    static constexpr double kFactors[7][4] = {
        {0.70422535, 0, 0, 0}, {1.0, 0.5, 0, 0}, {0.92592593, 0.38167939, 0, 0},
        {1.0, 0.8064616129, 0.3086417953, 0}, {0.96153846, 0.70422535211, 0.2590673575, 0},
        {1.0, 0.90909090909, 0.625, 0.2222222222}, {0.98039216, 0.83333333, 0.55555556, 0.1953125}};
    // clang-format on
    const double w0 = f * 6.544985e-05;
    const double c = std::cos(w0), s = std::sin(w0), t = std::tan(w0 * 0.5);
    Biquad sections[4];
    for (int i = 0; i < 4; ++i) {
        const double k = kFactors[n][i];
        if (k == 0) continue;
        const double b = lowPass ? (1 - c) * 0.5 : (1 + c) * 0.5;
        sections[i] = {b, lowPass ? 2 * b : -2 * b, b, 1 + k * s, -2 * c, 1 - k * s};
    }
    if (n % 2 == 1) {
        const double k = kFactors[n][0];
        sections[0] =
            lowPass ? Biquad{t, t, 0, k + t, t - k, 0} : Biquad{1, -1, 0, k * t + 1, k * t - 1, 0};
    }
    Evaluate(sections, 4, curve);
}

inline void ComputeEqResponse(const EqBandInputs& in, EqResponseCurves& out) {
    out.total.fill(0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(in.bandCount); ++i) {
        ResponseCurve& band = out.band[i];
        if (in.kind[i] == 1 && in.shape[i] == 0) {
            Peaking(band, in.frequency[i], in.gain[i], 1 / in.q[i]);
        } else if (in.kind[i] == 1) {
            Shelf(in.shape[i], band, in.frequency[i], in.gain[i]);
        } else if (in.filterEnabled[i] != 0) {
            Pass(in.kind[i] == 3, static_cast<int>(in.q[i]), band, in.frequency[i]);
        } else {
            band.fill(0);
        }
        for (std::size_t j = 0; j < kResponsePoints; ++j) out.total[j] += band[j];
    }
}

}  // namespace quavelo::reference
