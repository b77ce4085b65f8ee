#pragma once

#include <string>
#include <vector>

#include "device/DeviceParams.h"
#include "device/ParamRange.h"

namespace quavelo::test {

struct NamedField {
    std::string name;
    std::int32_t value;
    ParamRange range;
};

// Every user setting of the model with its name and range: the scalars, then the frequency,
// gain and Q of the five bands of both sets. gain2's range follows deviceModel.
inline std::vector<NamedField> SettingsFields(const DeviceParams& p) {
    using namespace ranges;
    // clang-format off
    std::vector<NamedField> fields{
        {"eqEnabled", p.eqEnabled, kSwitch}, {"eqMode", p.eqMode, kSwitch},
        {"stereo", p.stereo, kSwitch}, {"kd4Lock", p.kd4Lock, kSwitch},
        {"kd4Mute", p.kd4Mute, kSwitch}, {"kd4Indicator", p.kd4Indicator, kSwitch},
        {"monitorMicCut", p.monitorMicCut, kMonitorCut},
        {"monitorPlaybackCut", p.monitorPlaybackCut, kMonitorCut},
        {"micGain", p.micGain, kMicGain}, {"gain2", p.gain2, ProfileOf(p).gain2Range},
        {"hpfFreq", p.hpfFreq, kHpfFreq}, {"hpfOn", p.hpfOn, kSwitch},
        {"limiterLevel", p.limiterLevel, kLimiterLevel}, {"limiterOn", p.limiterOn, kSwitch}};
    // clang-format on
    for (int i = 0; i < kEqBands; ++i) {
        for (const auto* set : {&p.sliderBands, &p.graphBands}) {
            const std::string band =
                (set == &p.graphBands ? "graphBands" : "sliderBands") + std::to_string(i + 1);
            fields.push_back({band + ".freq", (*set)[i].freq, kBandFreq});
            fields.push_back({band + ".gain", (*set)[i].gain, kBandGain});
            fields.push_back({band + ".q", (*set)[i].q, kBandQ});
        }
    }
    return fields;
}

// The fields of `params` that lie outside their ranges, named with their values; empty when the
// model is sound. Besides the settings the read-back flags are checked; meterLevel, a
// measurement without a range, and the unused band records are not.
inline std::vector<std::string> FieldsOutOfRange(const DeviceParams& p) {
    std::vector<NamedField> fields = SettingsFields(p);
    fields.push_back({"meterReady", p.meterReady, ranges::kSwitch});
    fields.push_back({"statusReady", p.statusReady, ranges::kSwitch});
    fields.push_back({"readbackDone", p.readbackDone, ranges::kSwitch});
    for (const SharedInt& seen : p.blockSeen)
        fields.push_back({"blockSeen", seen, ranges::kSwitch});
    std::vector<std::string> bad;
    for (const auto& [name, value, range] : fields) {
        if (!range.Contains(value)) bad.push_back(name + " = " + std::to_string(value));
    }
    if (p.monitorMicCut != 0 && p.monitorPlaybackCut != 0) bad.push_back("both monitor cuts set");
    return bad;
}

}  // namespace quavelo::test
