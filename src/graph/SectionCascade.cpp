#include "graph/SectionCascade.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graph/ForEachPoint.h"
#include "graph/PowerRatioDb.h"

namespace quavelo {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kSampleRate = 96000.0;

// cos and sin of the angular frequency of every table entry, computed once: every section is
// evaluated at the same 241 points.
struct GridTrig {
    ResponseCurve cos;
    ResponseCurve sin;
};

const GridTrig& Trig() noexcept {
    static const GridTrig trig = [] {
        GridTrig t{};
        for (std::size_t j = 0; j < kResponsePoints; ++j) {
            const double w = ResponseFrequencyTable[j] * kTwoPi / kSampleRate;
            t.cos[j] = std::cos(w);
            t.sin[j] = std::sin(w);
        }
        return t;
    }();
    return trig;
}

// |N|^2 and |D|^2 of one section at e^{jw}, numerator and denominator multiplied by e^{jw}.
// The operations and their order are those of the plain evaluation, so cancellation near a
// cascade's zeros (high-pass at low frequencies) rounds the same way.
struct Power {
    double num;
    double den;
};

inline Power SectionPower(const Section& s, double c, double sn) noexcept {
    const double nr = s.b0 * c + s.b1 + s.b2 * c;
    const double ni = s.b0 * sn - s.b2 * sn;
    const double dr = c + s.a1 + s.a2 * c;
    const double di = sn - s.a2 * sn;
    return {ni * ni + nr * nr, di * di + dr * dr};
}

// The loops of one cascade; inlined into each kernel build. Returns false when some entry's
// power ratio is not a positive normal double.
[[gnu::always_inline]] inline bool CascadeLoops(std::span<const Section> sections,
                                                ResponseCurve& curve) noexcept {
    const GridTrig& trig = Trig();
    ResponseCurve num;
    ResponseCurve den;
    ForEachPoint([&](std::size_t j) {
        const Power p = SectionPower(sections[0], trig.cos[j], trig.sin[j]);
        num[j] = p.num;
        den[j] = p.den;
    });
    for (const Section& s : sections.subspan(1)) {
        ForEachPoint([&](std::size_t j) {
            const Power p = SectionPower(s, trig.cos[j], trig.sin[j]);
            num[j] *= p.num;
            den[j] *= p.den;
        });
    }
    std::uint64_t outside = 0;
    ForEachPoint([&](std::size_t j) {
        const double ratio = num[j] / den[j];
        outside |= PowerRatioOutsideNormal(ratio);
        curve[j] = PowerRatioDb(ratio);
    });
    return (outside >> 63) == 0;
}

bool BaselineLoops(std::span<const Section> sections, ResponseCurve& curve) noexcept {
    return CascadeLoops(sections, curve);
}

// The AVX2 build enables no FMA: products and sums are rounded one by one as in the baseline.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUAVELO_HAS_AVX2_KERNEL 1
[[gnu::target("avx2")]] bool Avx2Loops(std::span<const Section> sections,
                                       ResponseCurve& curve) noexcept {
    return CascadeLoops(sections, curve);
}
#endif

bool IsFinite(const Section& s) noexcept {
    return std::isfinite(s.b0) && std::isfinite(s.b1) && std::isfinite(s.b2) &&
           std::isfinite(s.a1) && std::isfinite(s.a2);
}

}  // namespace

bool HasAvx2Kernel() noexcept {
#ifdef QUAVELO_HAS_AVX2_KERNEL
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

void WriteCascadeDb(std::span<const Section> sections, ResponseCurve& curve,
                    CascadeKernel kernel) noexcept {
    if (sections.empty() || !std::all_of(sections.begin(), sections.end(), IsFinite)) {
        curve.fill(0.0);
        return;
    }
    bool levelsFinite = false;
#ifdef QUAVELO_HAS_AVX2_KERNEL
    if (kernel != CascadeKernel::kBaseline && HasAvx2Kernel()) {
        levelsFinite = Avx2Loops(sections, curve);
    } else {
        levelsFinite = BaselineLoops(sections, curve);
    }
#else
    (void)kernel;
    levelsFinite = BaselineLoops(sections, curve);
#endif
    if (!levelsFinite) curve.fill(0.0);
}

}  // namespace quavelo
