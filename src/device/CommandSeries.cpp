#include "device/CommandSeries.h"

#include <algorithm>

#include "device/DeviceMap.h"
#include "device/Encoding.h"

namespace quavelo {

namespace {

std::array<Report, 7> BandLoad(const EqBand& band, int n, bool flat) noexcept {
    const EqBandValue b = band.Value();
    const Coefficients words =
        flat ? PeakingCoefficientsFlat(b.freq, b.q) : PeakingCoefficients(b.freq, b.q, b.gain);
    return Safeload(dsp::EqFilter(n), words);
}

int HeldBand(int band) noexcept { return std::clamp(band, 1, kEqBands); }

}  // namespace

std::optional<std::array<Report, 8>> LimiterSelectors(int on, int level) noexcept {
    const int s = on == 0 ? 0 : level;
    if (s < 0 || s > 3) return std::nullopt;
    std::array<Report, 8> reports{};
    for (int i = 0; i < 4; ++i) {
        const std::int32_t word = i == s ? kParamOne : 0;
        reports[i] = DspWriteParam(static_cast<std::uint16_t>(dsp::kLimiterGroup1 + i), word);
        reports[4 + i] = DspWriteParam(static_cast<std::uint16_t>(dsp::kLimiterGroup2 + i), word);
    }
    return reports;
}

std::optional<std::array<Report, 7>> HighPassLoad(int on, int corner) noexcept {
    const std::optional<Coefficients> words = HighPassCoefficients(on, corner);
    if (!words) return std::nullopt;
    return Safeload(dsp::kHighPass, *words);
}

std::array<Report, 2> StereoFeeds(int stereo) noexcept {
    const std::int32_t word = stereo == 0 ? kParamOne : 0;
    return {DspWriteParam(dsp::kMonoFeedA, word), DspWriteParam(dsp::kMonoFeedB, word)};
}

std::array<Report, 7> BandLoad(const DeviceParams& params, BandSet set, int band,
                               bool flat) noexcept {
    const int n = HeldBand(band);
    return BandLoad(Bands(params, set)[n - 1], n, flat);
}

}  // namespace quavelo
