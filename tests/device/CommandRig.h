#pragma once

#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "device/DeviceCommands.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

namespace quavelo::test {

using Reports = std::vector<std::string>;

inline Report Hex(std::string_view hex) { return ParseHexReport(hex).value(); }

inline void Set(std::initializer_list<std::pair<SharedInt*, int>> fields) {
    for (auto [field, value] : fields) *field = value;
}

// A command object over fakes that all write to one trace, with a model whose settings-block
// bytes all differ from the initial ones:
//   TORVA block  01 01 02 01 02 55 07 14 01 00   (stereo, limiter 1/2, high-pass 1/2, mic cut 5,
//   KD4 block    00 01 02 01 02 55 AA 14 01 00    gain2 7, micGain 20, eq on, graph set)
// Graph and slider band 3 are 1000 Hz, Q 2.0, +6 dB; the other bands are at their initial values.
struct CommandRig {
    EventTrace trace;
    FakeReportLink link{&trace};
    RecordingSleeper sleeper{&trace};
    RecordingLogSink log{&trace};
    RecordingPrompt prompt{&trace};
    DeviceParams params;
    DeviceCommands commands{link, params, sleeper, log, prompt};

    CommandRig() {
        DeviceParams& p = params;
        p.ResetToInitialValues();
        // clang-format off
        Set({{&p.stereo, 1}, {&p.limiterLevel, 2}, {&p.hpfFreq, 2}, {&p.monitorMicCut, 5},
             {&p.monitorPlaybackCut, 0}, {&p.gain2, 7}, {&p.micGain, 20}, {&p.eqMode, 1},
             {&p.kd4Mute, 1}, {&p.kd4Indicator, 1}, {&p.graphBands[2].gain, 210},
             {&p.sliderBands[2].gain, 210}});
        // clang-format on
    }
};

inline const std::string kTorvaBlock = "FF A0 00 00 0A 00  01 01 02 01 02 55 07 14 01 00";
inline const std::string kKd4Block = "FF A0 00 00 0A 00  00 01 02 01 02 55 AA 14 01 00";
inline const std::string kSliderBlockKd4 = "FF A0 00 40 09 00  00 00 06 00 00  07 01 00 01";
inline const std::string kBandBlock3 = "FF A0 00 20 04 00  03 E8 02 06";

// `block` with its data byte `index` (0 = report byte 6) replaced by `value`.
inline std::string WithData(const std::string& block, int index, int value) {
    Report report = Hex(block);
    report[6 + index] = static_cast<std::uint8_t>(value);
    return TraceHex(report);
}

// Makes `model` the model in use and draws every setting that its settings-store blocks and
// preset recall carry from its whole range (band gains in whole dB). Q, the slider frequencies
// and the settings the model lacks keep their values.
inline void Randomise(std::mt19937& random, DeviceParams& p, Model model) {
    using namespace ranges;
    const auto pick = [&random](ParamRange range) {
        return std::uniform_int_distribution<std::int32_t>(range.min, range.max)(random);
    };
    const bool kd4 = ProfileOf(model).hasLock;
    p.deviceModel = model;
    const std::int32_t cut = pick(kMonitorCut);
    const std::int32_t micSide = pick(kSwitch);
    // clang-format off
    Set({{&p.limiterOn, pick(kSwitch)}, {&p.limiterLevel, pick(kLimiterLevel)},
         {&p.hpfOn, pick(kSwitch)}, {&p.hpfFreq, pick(kHpfFreq)}, {&p.micGain, pick(kMicGain)},
         {&p.gain2, pick(ProfileOf(model).gain2Range)}, {&p.eqEnabled, pick(kSwitch)},
         {&p.eqMode, pick(kSwitch)}, {&p.monitorMicCut, micSide * cut},
         {&p.monitorPlaybackCut, (1 - micSide) * cut},
         {kd4 ? &p.kd4Mute : &p.stereo, pick(kSwitch)},
         {kd4 ? &p.kd4Lock : &p.stereo, pick(kSwitch)}, {kd4 ? &p.kd4Indicator : &p.stereo, pick(kSwitch)}});
    for (int i = 0; i < kEqBands; ++i) {
        Set({{&p.sliderBands[i].gain, 10 * pick({0, 30})},
             {&p.graphBands[i].gain, 10 * pick({0, 30})}, {&p.graphBands[i].freq, pick(kBandFreq)}});
    }
    // clang-format on
}

// A processing-parameter write as hex.
inline std::string Param(int address, std::uint32_t word) {
    char text[40];
    std::snprintf(text, sizeof text, "FF 70 %04X 04 00 %08X", address, word);
    return text;
}

// The staged load of five words into `target`.
inline Reports Load(int target, std::array<std::uint32_t, 5> w) {
    return {Param(1, w[0]), Param(2, w[1]),   Param(3, w[2]), Param(4, w[3]),
            Param(5, w[4]), Param(6, target), Param(7, 5)};
}

// Band 3 (1000 Hz, Q 2.0) at +6 dB and flat, loaded into equaliser filter 3.
inline const Reports kBand3 =
    Load(0x1A, {0x00840693, 0xFF0A35EA, 0x0073E276, 0x00F5CA16, 0xFF8816F7});
inline const Reports kBand3Flat =
    Load(0x1A, {1 << 23, 0xFF0A35EA, 0x0077E909, 0x00F5CA16, 0xFF8816F7});

inline Reports Join(std::initializer_list<Reports> parts) {
    Reports all;
    for (const Reports& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The trace of `reports` each written, then logged as `logAs` ("Csend:", or nothing when empty)
// with the report's hex, then followed by a pause of `ms` (none when 0).
inline Reports Paced(const Reports& reports, int ms = 0, const std::string& logAs = "") {
    Reports events;
    for (const std::string& r : reports) {
        events.push_back(Wrote(r));
        if (!logAs.empty()) events.push_back(Logged(logAs + PaddedHex(r) + " "));
        if (ms > 0) events.push_back(Paused(ms));
    }
    return events;
}

}  // namespace quavelo::test
