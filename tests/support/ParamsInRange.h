#pragma once

#include <string>
#include <vector>

#include "device/DeviceParams.h"
#include "device/ParamRange.h"

namespace quavelo::test {

// The fields of `params` that lie outside their ranges, named with their values; empty when the
// model is sound. gain2's range follows deviceModel. meterLevel, a measurement without a range,
// and the unused band records are not checked.
inline std::vector<std::string> FieldsOutOfRange(const DeviceParams& params) {
    std::vector<std::string> bad;
    const auto check = [&bad](const char* name, std::int32_t value, ParamRange range) {
        if (!range.Contains(value))
            bad.push_back(std::string(name) + " = " + std::to_string(value));
    };
    check("eqEnabled", params.eqEnabled, ranges::kSwitch);
    check("eqMode", params.eqMode, ranges::kSwitch);
    check("stereo", params.stereo, ranges::kSwitch);
    check("kd4Lock", params.kd4Lock, ranges::kSwitch);
    check("kd4SwitchA", params.kd4SwitchA, ranges::kSwitch);
    check("kd4SwitchB", params.kd4SwitchB, ranges::kSwitch);
    check("monitorMicCut", params.monitorMicCut, ranges::kMonitorCut);
    check("monitorPlaybackCut", params.monitorPlaybackCut, ranges::kMonitorCut);
    if (params.monitorMicCut != 0 && params.monitorPlaybackCut != 0) {
        bad.push_back("both monitor cuts are set");
    }
    check("micGain", params.micGain, ranges::kMicGain);
    check("gain2", params.gain2, Gain2Range(params.deviceModel));
    check("hpfFreq", params.hpfFreq, ranges::kHpfFreq);
    check("hpfOn", params.hpfOn, ranges::kSwitch);
    check("limiterLevel", params.limiterLevel, ranges::kLimiterLevel);
    check("limiterOn", params.limiterOn, ranges::kSwitch);
    check("meterReady", params.meterReady, ranges::kSwitch);
    check("statusReady", params.statusReady, ranges::kSwitch);
    check("readbackDone", params.readbackDone, ranges::kSwitch);
    for (const SharedInt& seen : params.blockSeen) check("blockSeen", seen, ranges::kSwitch);
    for (int i = 0; i < kEqBands; ++i) {
        check("graphBands.freq", params.graphBands[i].freq, ranges::kBandFreq);
        check("graphBands.gain", params.graphBands[i].gain, ranges::kBandGain);
        check("graphBands.q", params.graphBands[i].q, ranges::kBandQ);
        check("sliderBands.freq", params.sliderBands[i].freq, ranges::kBandFreq);
        check("sliderBands.gain", params.sliderBands[i].gain, ranges::kBandGain);
        check("sliderBands.q", params.sliderBands[i].q, ranges::kBandQ);
    }
    return bad;
}

}  // namespace quavelo::test
