#include "device/Encoding.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"

namespace quavelo {

namespace {

constexpr double kTwoPow23 = 8388608.0;
constexpr double kSampleRate = 48000.0;

constexpr std::array<std::uint8_t, kMicGainSteps> BuildMicGainTable() {
    std::array<std::uint8_t, kMicGainSteps> table{};
    for (int s = 0; s < kMicGainSteps; ++s) table[s] = static_cast<std::uint8_t>(0x43 + 4 * s);
    return table;
}

constexpr std::array<std::uint8_t, kMicGainSteps> kMicGainTable = BuildMicGainTable();

// Both tapers: v^2 in single precision, divided in double and rounded to single, negated in
// single, divided by 20 in double, raised as a power of ten in double, rounded to single.
std::int32_t Taper(int value, double divisor) noexcept {
    const float squared = static_cast<float>(value) * static_cast<float>(value);
    const float db = -static_cast<float>(squared / divisor);
    const auto gain = static_cast<float>(std::pow(10.0, db / 20.0));
    return ToParameter(gain);
}

Coefficients Peaking(int freq, int q, double v) noexcept {
    const double f = ranges::kBandFreq.Clamp(freq);
    const double bigQ = ranges::kBandQ.Clamp(q) / 10.0;
    const double k = std::tan(std::numbers::pi * f / kSampleRate);
    const double k2 = k * k;
    const double d = 1.0 + k / bigQ + k2;
    const double b0 = (1.0 + v * k / bigQ + k2) / d;
    const double b1 = 2.0 * (k2 - 1.0) / d;
    const double b2 = (1.0 - v * k / bigQ + k2) / d;
    const double a1 = b1;
    const double a2 = (1.0 - k / bigQ + k2) / d;
    return {ToParameter(b0) & 0x0FFFFFFF, ToParameter(b1), ToParameter(b2), ToParameter(-a1),
            ToParameter(-a2)};
}

}  // namespace

const std::array<std::uint8_t, kMicGainSteps>& MicGainCodeTable() noexcept { return kMicGainTable; }

std::uint8_t MicGainCode(int step) noexcept {
    return kMicGainTable[static_cast<std::size_t>(ranges::kMicGain.Clamp(step))];
}

std::int32_t ToParameter(double x) noexcept {
    const double scaled = static_cast<double>(static_cast<float>(x)) * kTwoPow23;
    if (std::isnan(scaled)) return 0;
    if (scaled >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (scaled <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(scaled);  // truncates toward zero
}

std::int32_t LevelTaper(int cut) noexcept { return Taper(cut, 80.0); }

std::int32_t ShallowLevelTaper(int value) noexcept { return Taper(value, 100.0); }

Coefficients PeakingCoefficients(int freq, int q, int gain) noexcept {
    const int wholeDb = gain / 10 - 15;
    return Peaking(freq, q, std::pow(10.0, wholeDb / 20.0));
}

Coefficients PeakingCoefficientsFlat(int freq, int q) noexcept { return Peaking(freq, q, 1.0); }

std::optional<Coefficients> HighPassCoefficients(int on, int corner) noexcept {
    static constexpr Coefficients kOff{0x00800000, 0x00000000, 0x00000000, 0x00000000, 0x00000000};
    static constexpr Coefficients k75Hz{0x007F1D47, static_cast<std::int32_t>(0xFF01C572),
                                        0x007F1D47, 0x00FE38FD,
                                        static_cast<std::int32_t>(0xFF81C3E0)};
    static constexpr Coefficients k150Hz{0x007E3C20, static_cast<std::int32_t>(0xFF0387C0),
                                         0x007E3C20, 0x00FC7205,
                                         static_cast<std::int32_t>(0xFF838185)};
    if (on == 0) return kOff;
    if (corner == 1) return k75Hz;
    if (corner == 2) return k150Hz;
    return std::nullopt;
}

std::array<Report, 7> Safeload(std::uint16_t target, const Coefficients& words) noexcept {
    std::array<Report, 7> reports{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        reports[i] = DspWriteParam(static_cast<std::uint16_t>(dsp::kSafeloadData + i), words[i]);
    }
    reports[5] = DspWriteParam(dsp::kSafeloadTarget, target);
    reports[6] = DspWriteParam(dsp::kSafeloadCount, 5);
    return reports;
}

std::int8_t BandGainToDevice(int gain) noexcept {
    return static_cast<std::int8_t>(ranges::kBandGain.Clamp(gain) / 10 - 15);
}

std::int32_t BandGainFromDevice(std::int8_t deviceGain) noexcept {
    return ranges::kBandGain.Clamp((deviceGain + 15) * 10);
}

std::uint8_t MonitorBalance(int micCut, int playbackCut) noexcept {
    const int mic = ranges::kMonitorCut.Clamp(micCut);
    const int playback = ranges::kMonitorCut.Clamp(playbackCut);
    if (playback > 0) return static_cast<std::uint8_t>(80 - playback);
    if (mic > 0) return static_cast<std::uint8_t>(80 + mic);
    return 80;
}

MonitorCuts DecodeMonitorBalance(std::uint8_t balance) noexcept {
    if (balance < 80) return {0, 80 - balance};
    return {std::min(balance - 80, 80), 0};
}

}  // namespace quavelo
