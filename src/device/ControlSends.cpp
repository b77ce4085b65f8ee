#include "device/ControlSends.h"

#include <chrono>

#include "device/ParamRange.h"

namespace quavelo {

namespace {

using namespace std::chrono_literals;

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

bool SendEqBands(DeviceCommands& commands, const DeviceParams& params, OnFailure onFailure,
                 std::chrono::milliseconds pauseAfterEach) {
    const BandSet set = BandSetInUse(params);
    bool allSent = true;
    for (int band = 1; band <= kEqBands; ++band) {
        const bool sent = commands.SetBand(set, band);
        allSent = allSent && sent;
        if (!sent && onFailure == OnFailure::Stop) break;
        if (pauseAfterEach > 0ms) commands.Pause(pauseAfterEach);
    }
    return allSent;
}

bool SendEqView(DeviceCommands& commands, const DeviceParams& params) {
    const EqViewSeries& view = ProfileOf(params).eqView;
    bool settings = true;
    for (int i = 0; i < view.settingsBefore; ++i) {
        settings = commands.StoreSettings() && settings;
        commands.Pause(view.afterEachSettings);
    }
    const bool bands = SendEqBands(commands, params, OnFailure::Continue, view.afterEachBand);
    if (view.settingsAfter) {
        commands.Pause(view.beforeSettingsAfter);
        settings = commands.StoreSettings() && settings;
    }
    return bands && settings;
}

bool SendEqSwitch(DeviceCommands& commands, const DeviceParams& params) {
    const bool bands = SendEqBands(commands, params, OnFailure::Continue);
    commands.Pause(100ms);
    return commands.StoreSettings() && bands;
}

bool SendEqReset(DeviceCommands& commands, const DeviceParams& params) {
    const bool stored = commands.StoreSettings();
    if (!stored && ProfileOf(params).resetStopsAtSettings) return false;
    return SendEqBands(commands, params, OnFailure::Stop);
}

bool SendMonitorMix(DeviceCommands& commands, const DeviceParams& params) {
    const bool mic = commands.SetMonitorMicCut();
    const std::chrono::milliseconds gap = ProfileOf(params).pacing.monitorMixGap;
    if (gap > 0ms) commands.Pause(gap);
    const bool playback = commands.SetMonitorPlaybackCut();
    return mic && playback;
}

bool SendStatusSwitches(DeviceCommands& commands) {
    bool allSent = true;
    for (int i = 0; i < 3; ++i) {
        allSent = commands.StoreSettings() && allSent;
        commands.Pause(100ms);
    }
    return allSent;
}

bool SendPresetRecall(DeviceCommands& commands) {
    commands.StoreSettings();
    return commands.SendAllSettings();
}

}  // namespace quavelo
