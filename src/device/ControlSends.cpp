#include "device/ControlSends.h"

#include <chrono>

#include "device/ParamRange.h"

namespace quavelo {

namespace {

using namespace std::chrono_literals;

template <typename BandCommand>
bool ForEachBand(OnFailure onFailure, BandCommand send) {
    bool allSent = true;
    for (int band = 1; band <= kEqBands; ++band) {
        if (send(band)) continue;
        allSent = false;
        if (onFailure == OnFailure::Stop) break;
    }
    return allSent;
}

}  // namespace

void StoreLimiterSwitch(DeviceParams& params, int on) {
    const int value = ranges::kSwitch.Clamp(on);
    if (value == 1 && params.limiterLevel == 0) params.limiterLevel = 1;
    params.limiterOn = value;
}

void StoreHighPassSwitch(DeviceParams& params, int on) {
    const int value = ranges::kSwitch.Clamp(on);
    if (value == 1 && params.hpfFreq == 0) params.hpfFreq = 1;
    params.hpfOn = value;
}

void StoreMonitorMicCut(DeviceParams& params, int cut) {
    params.monitorPlaybackCut = 0;
    params.monitorMicCut = ranges::kMonitorCut.Clamp(cut);
}

void StoreMonitorPlaybackCut(DeviceParams& params, int cut) {
    params.monitorMicCut = 0;
    params.monitorPlaybackCut = ranges::kMonitorCut.Clamp(cut);
}

void ResetEqualiser(DeviceParams& params) {
    const bool graph = params.eqMode == 1;
    auto& bands = graph ? params.graphBands : params.sliderBands;
    for (int i = 0; i < kEqBands; ++i) {
        bands[i].gain = kDefaultBandGain;
        if (graph) bands[i].freq = kDefaultBandFreq[i];
    }
}

bool SendEqBandsTorva(DeviceCommands& commands, const DeviceParams& params, OnFailure onFailure) {
    const bool graph = params.eqMode == 1;
    const bool flat = params.eqEnabled == 0;
    return ForEachBand(onFailure, [&](int band) {
        if (graph) return flat ? commands.SetGraphBandFlat(band) : commands.SetGraphBand(band);
        return flat ? commands.SetSliderBandFlat(band) : commands.SetSliderBand(band);
    });
}

bool SendEqViewTorva(DeviceCommands& commands, const DeviceParams& params) {
    const bool bands = SendEqBandsTorva(commands, params, OnFailure::Continue);
    commands.Pause(50ms);
    return commands.StoreSettings() && bands;
}

bool SendEqSwitchTorva(DeviceCommands& commands, const DeviceParams& params) {
    const bool bands = SendEqBandsTorva(commands, params, OnFailure::Continue);
    commands.Pause(100ms);
    return commands.StoreSettings() && bands;
}

bool SendEqResetTorva(DeviceCommands& commands, const DeviceParams& params) {
    return commands.StoreSettings() && SendEqBandsTorva(commands, params, OnFailure::Stop);
}

bool SendMonitorMixTorva(DeviceCommands& commands, const DeviceParams& params) {
    const bool mic = commands.SetMonitorMicCut(params.monitorMicCut);
    const bool playback = commands.SetMonitorPlaybackCut(params.monitorPlaybackCut);
    return mic && playback;
}

bool SendPresetRecallTorva(DeviceCommands& commands, const DeviceParams& p) {
    commands.StoreSettings();
    return SendEqBandsTorva(commands, p, OnFailure::Stop) && commands.SetMicGain(p.micGain) &&
           commands.SetGain2(p.gain2) && commands.SetHighPass(p.hpfOn, p.hpfFreq) &&
           commands.SetLimiter(p.limiterOn, p.limiterLevel) && commands.SetStereo(p.stereo) &&
           commands.SetMonitorMicCut(p.monitorMicCut) &&
           commands.SetMonitorPlaybackCut(p.monitorPlaybackCut);
}

bool SendEqBandsKd4(DeviceCommands& commands, const DeviceParams& params, OnFailure onFailure,
                    std::chrono::milliseconds pauseAfterEach) {
    const bool graph = params.eqMode == 1;
    const bool flat = params.eqEnabled == 0;
    return ForEachBand(onFailure, [&](int band) {
        bool sent = false;
        if (graph) {
            sent = flat ? commands.SetGraphBandFlatKd4(band) : commands.SetGraphBandKd4(band);
        } else {
            sent = flat ? commands.SetSliderBandFlatKd4(band) : commands.SetSliderBandKd4(band);
        }
        const bool goesOn = sent || onFailure == OnFailure::Continue;
        if (goesOn && pauseAfterEach.count() > 0) commands.Pause(pauseAfterEach);
        return sent;
    });
}

bool SendEqViewKd4(DeviceCommands& commands, const DeviceParams& params) {
    bool settings = true;
    for (int i = 0; i < 2; ++i) {
        settings = commands.StoreSettingsKd4() && settings;
        commands.Pause(100ms);
    }
    return SendEqBandsKd4(commands, params, OnFailure::Continue, 120ms) && settings;
}

bool SendEqSwitchKd4(DeviceCommands& commands, const DeviceParams& params) {
    const bool bands = SendEqBandsKd4(commands, params, OnFailure::Continue);
    commands.Pause(100ms);
    return commands.StoreSettingsKd4() && bands;
}

bool SendEqResetKd4(DeviceCommands& commands, const DeviceParams& params) {
    commands.StoreSettingsKd4();
    return SendEqBandsKd4(commands, params, OnFailure::Stop);
}

bool SendMonitorMixKd4(DeviceCommands& commands, const DeviceParams& params) {
    const bool mic = commands.SetMonitorMicCutKd4(params.monitorMicCut);
    commands.Pause(50ms);
    const bool playback = commands.SetMonitorPlaybackCutKd4(params.monitorPlaybackCut);
    return mic && playback;
}

bool SendSwitchesKd4(DeviceCommands& commands) {
    bool allSent = true;
    for (int i = 0; i < 3; ++i) {
        allSent = commands.StoreSettingsKd4() && allSent;
        commands.Pause(100ms);
    }
    return allSent;
}

bool SendPresetRecallKd4(DeviceCommands& commands, const DeviceParams& p) {
    return SendEqResetKd4(commands, p) && commands.SetMicGainKd4(p.micGain) &&
           commands.SetGain2Kd4(p.gain2) && commands.SetHighPassKd4(p.hpfOn, p.hpfFreq) &&
           commands.SetLimiterKd4(p.limiterOn, p.limiterLevel) &&
           commands.SetMonitorMicCutKd4(p.monitorMicCut) &&
           commands.SetMonitorPlaybackCutKd4(p.monitorPlaybackCut);
}

}  // namespace quavelo
