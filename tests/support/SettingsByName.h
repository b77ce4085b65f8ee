#pragma once

#include <map>
#include <string>

#include "device/DeviceParams.h"

namespace quavelo::test {

// Every user setting of `params` by field name (the five bands of both sets with their frequency,
// gain and Q), for comparing a whole model before and after an action. Hand-shake flags and the
// level are left out: they are not settings.
inline std::map<std::string, int> SettingsByName(const DeviceParams& p) {
    std::map<std::string, int> fields{{"eqEnabled", p.eqEnabled},
                                      {"eqMode", p.eqMode},
                                      {"stereo", p.stereo},
                                      {"kd4Lock", p.kd4Lock},
                                      {"kd4SwitchA", p.kd4SwitchA},
                                      {"kd4SwitchB", p.kd4SwitchB},
                                      {"monitorMicCut", p.monitorMicCut},
                                      {"monitorPlaybackCut", p.monitorPlaybackCut},
                                      {"micGain", p.micGain},
                                      {"gain2", p.gain2},
                                      {"hpfFreq", p.hpfFreq},
                                      {"hpfOn", p.hpfOn},
                                      {"limiterLevel", p.limiterLevel},
                                      {"limiterOn", p.limiterOn}};
    for (int i = 0; i < kEqBands; ++i) {
        const std::string n = std::to_string(i + 1);
        fields["sliderBands" + n + ".freq"] = p.sliderBands[i].freq;
        fields["sliderBands" + n + ".gain"] = p.sliderBands[i].gain;
        fields["sliderBands" + n + ".q"] = p.sliderBands[i].q;
        fields["graphBands" + n + ".freq"] = p.graphBands[i].freq;
        fields["graphBands" + n + ".gain"] = p.graphBands[i].gain;
        fields["graphBands" + n + ".q"] = p.graphBands[i].q;
    }
    return fields;
}

}  // namespace quavelo::test
