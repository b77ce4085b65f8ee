#pragma once

// The equaliser response computed the plain way, one step per line of its definition: cos and
// sin per entry, a square root and a logarithm per section, sections summed in dB. The tests
// and the benchmark hold the production code against it; it is defined for the inputs the pages
// produce, not for the out-of-domain answers of the production code.

#include <array>
#include <cmath>
#include <cstddef>

#include "graph/EqResponse.h"

namespace quavelo::reference {

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0;
    double a0 = 1, a1 = 0, a2 = 0;
};

inline double SectionDb(const Biquad& q, std::size_t j) {
    const double b0 = q.b0 / q.a0, b1 = q.b1 / q.a0, b2 = q.b2 / q.a0;
    const double a1 = q.a1 / q.a0, a2 = q.a2 / q.a0;
    const double w = ResponseFrequencyTable[j] * 6.283185307179586 / 96000.0;
    const double c = std::cos(w);
    const double s = std::sin(w);
    const double nr = b0 * c + b1 + b2 * c;
    const double ni = b0 * s - b2 * s;
    const double dr = c + a1 + a2 * c;
    const double di = s - a2 * s;
    return 20 * std::log10(std::sqrt((ni * ni + nr * nr) / (di * di + dr * dr)));
}

inline void Evaluate(const Biquad* sections, std::size_t count, ResponseCurve& curve) {
    for (std::size_t j = 0; j < kResponsePoints; ++j) {
        double v = 0;
        for (std::size_t i = 0; i < count; ++i) v += SectionDb(sections[i], j);
        curve[j] = v;
    }
}

inline void Peaking(ResponseCurve& curve, double f, double gain, double p) {
    const auto& table = ResponseFrequencyTable;
    std::size_t k = 0;
    while (k < kResponsePoints && !(table[k] >= f)) ++k;
    if (k == kResponsePoints) {
        k = kResponsePoints - 1;
    } else if (k > 0 && (f - table[k - 1]) < (table[k] - f)) {
        k = k - 1;
    }
    const double A = std::pow(10.0, gain / 40);
    const double w0 = table[k] * 6.544985e-05;
    const double alpha = std::sin(w0) * std::sinh(0.69314718 * p * w0 / std::sin(w0));
    const double a0 = 1 + alpha / A;
    const Biquad q{(1 + alpha * A) / a0,   -2 * std::cos(w0) / a0, (1 - alpha * A) / a0, 1,
                   -2 * std::cos(w0) / a0, (1 - alpha / A) / a0};
    Evaluate(&q, 1, curve);
}

inline void Shelf(unsigned shape, ResponseCurve& curve, double f, double gain) {
    const double A = std::pow(10.0, gain / 40);
    const double S = 1.05;
    const double w0 = f * 6.544985e-05 * (shape == 1 ? 1.2727272727 : 0.76923076923);
    Biquad q;
    if (gain != 0.0) {
        const double c = std::cos(w0);
        const double t =
            2 * std::sqrt(A) * (std::sin(w0) * 0.5) * std::sqrt((1 / S - 1) * (A + 1 / A) + 2);
        if (shape == 1) {
            q.a0 = (A + 1) + (A - 1) * c + t;
            q.b0 = A * ((A + 1) - (A - 1) * c + t) / q.a0;
            q.b1 = 2 * A * ((A - 1) - (A + 1) * c) / q.a0;
            q.b2 = A * ((A + 1) - (A - 1) * c - t) / q.a0;
            q.a1 = -2 * ((A - 1) + (A + 1) * c) / q.a0;
            q.a2 = ((A + 1) + (A - 1) * c - t) / q.a0;
        } else {
            q.a0 = (A + 1) - (A - 1) * c + t;
            q.b0 = A * ((A + 1) + (A - 1) * c + t) / q.a0;
            q.b1 = -2 * A * ((A - 1) + (A + 1) * c) / q.a0;
            q.b2 = A * ((A + 1) + (A - 1) * c - t) / q.a0;
            q.a1 = 2 * ((A - 1) - (A + 1) * c) / q.a0;
            q.a2 = ((A + 1) - (A - 1) * c - t) / q.a0;
        }
        q.a0 = 1;
    }
    Evaluate(&q, 1, curve);
}

inline void Pass(bool lowPass, int n, ResponseCurve& curve, double f) {
    static constexpr double kFactors[7][4] = {
        {0.70422535, 0, 0, 0},
        {1.0, 0.5, 0, 0},
        {0.92592593, 0.38167939, 0, 0},
        {1.0, 0.8064616129, 0.3086417953, 0},
        {0.96153846, 0.70422535211, 0.2590673575, 0},
        {1.0, 0.90909090909, 0.625, 0.2222222222},
        {0.98039216, 0.83333333, 0.55555556, 0.1953125},
    };
    const double w0 = f * 6.544985e-05;
    const double c = std::cos(w0), s = std::sin(w0), t = std::tan(w0 * 0.5);
    Biquad sections[4];
    for (int i = 0; i < 4; ++i) {
        const double k = kFactors[n][i];
        if (k == 0) continue;
        Biquad& q = sections[i];
        const double alpha = k * s;
        q.a0 = 1 + alpha;
        if (q.a0 == 0) q.a0 = 1e-10;
        q.a1 = -2 * c;
        q.a2 = 1 - alpha;
        q.b0 = q.b2 = lowPass ? (1 - c) * 0.5 : (1 + c) * 0.5;
        q.b1 = lowPass ? 2 * q.b0 : -2 * q.b0;
    }
    if (n == 1 || n == 3 || n == 5) {
        const double k = kFactors[n][0];
        sections[0] =
            lowPass ? Biquad{t, t, 0, k + t, t - k, 0} : Biquad{1, -1, 0, k * t + 1, k * t - 1, 0};
        if (sections[0].a0 == 0) sections[0].a0 = 1e-10;
    }
    Evaluate(sections, 4, curve);
}

inline void ComputeEqResponse(const EqBandInputs& in, EqResponseCurves& out) {
    out.total.fill(0);
    if (in.bandCount < 1) return;
    for (int b = 0; b < in.bandCount; ++b) {
        const auto i = static_cast<std::size_t>(b);
        ResponseCurve scratch;
        if (in.kind[i] == 1) {
            if (in.shape[i] == 0) {
                Peaking(scratch, in.frequency[i], in.gain[i], 1 / in.q[i]);
            } else {
                Shelf(in.shape[i], scratch, in.frequency[i], in.gain[i]);
            }
        } else if (in.filterEnabled[i] != 0) {
            Pass(in.kind[i] == 3, static_cast<int>(in.q[i]), scratch, in.frequency[i]);
        } else {
            scratch.fill(0);
        }
        out.band[i] = scratch;
        out.grid = ResponseFrequencyTable;
        for (std::size_t j = 0; j < kResponsePoints; ++j) out.total[j] += scratch[j];
    }
}

}  // namespace quavelo::reference
