#pragma once

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "device/DeviceCommands.h"
#include "support/EventTrace.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

namespace quavelo::test {

// A command object over fakes that all write to one trace, with a model whose settings block
// bytes are all distinct from the initial ones:
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
        params.ResetToInitialValues();
        params.stereo = 1;
        params.limiterLevel = 2;
        params.hpfFreq = 2;
        params.monitorMicCut = 5;
        params.monitorPlaybackCut = 0;
        params.gain2 = 7;
        params.micGain = 20;
        params.eqMode = 1;
        params.kd4SwitchA = 1;
        params.kd4SwitchB = 1;
        params.graphBands[2].gain = 210;
        params.sliderBands[2].gain = 210;
    }
};

// One command's expected wire and pause trace, for the parameterised series tables.
struct SeriesCase {
    const char* name;
    std::function<bool(DeviceCommands&)> command;
    std::vector<std::string> trace;
};

inline void PrintTo(const SeriesCase& c, std::ostream* out) { *out << c.name; }

inline constexpr const char* kTorvaBlock = "FF A0 00 00 0A 00  01 01 02 01 02 55 07 14 01 00";
inline constexpr const char* kKd4Block = "FF A0 00 00 0A 00  00 01 02 01 02 55 AA 14 01 00";
inline constexpr const char* kSliderBlock = "FF A0 00 40 05 00  00 00 06 00 00";
inline constexpr const char* kSliderBlockKd4 = "FF A0 00 40 09 00  00 00 06 00 00  07 01 00 01";
inline constexpr const char* kBandBlock3 = "FF A0 00 20 04 00  03 E8 02 06";

// A processing-parameter write as hex.
inline std::string Param(std::uint16_t address, std::uint32_t word) {
    char text[64];
    std::snprintf(text, sizeof text, "FF 70 %02X %02X 04 00 %02X %02X %02X %02X", address >> 8,
                  address & 0xFF, word >> 24, (word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
    return text;
}

// The staged load of five words into `target`.
inline std::vector<std::string> Load(std::uint16_t target, std::array<std::uint32_t, 5> words) {
    std::vector<std::string> reports;
    for (std::uint16_t i = 0; i < 5; ++i) reports.push_back(Param(1 + i, words[i]));
    reports.push_back(Param(0x0006, target));
    reports.push_back(Param(0x0007, 5));
    return reports;
}

// Band 3 (1000 Hz, Q 2.0) at +6 dB and flat, loaded into equaliser filter 3.
inline std::vector<std::string> Band3Load() {
    return Load(0x001A, {0x00840693, 0xFF0A35EA, 0x0073E276, 0x00F5CA16, 0xFF8816F7});
}
inline std::vector<std::string> Band3FlatLoad() {
    return Load(0x001A, {0x00800000, 0xFF0A35EA, 0x0077E909, 0x00F5CA16, 0xFF8816F7});
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Expected trace events: each report written, with nothing between them.
inline std::vector<std::string> Writes(const std::vector<std::string>& reports) {
    std::vector<std::string> events;
    for (const auto& r : reports) events.push_back(Wrote(r));
    return events;
}

// Each report written, then (when `logged`) its "Csend:" line, then its pause.
inline std::vector<std::string> Paced(const std::vector<std::string>& reports, int ms,
                                      bool logged = false) {
    std::vector<std::string> events;
    for (const auto& r : reports) {
        events.push_back(Wrote(r));
        if (logged) events.push_back(Logged("Csend:" + PaddedHex(r) + " "));
        events.push_back(Paused(ms));
    }
    return events;
}

}  // namespace quavelo::test
