#pragma once

#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"

namespace quavelo {

// What the pages' controls do to the model and which report groups they send. A page whose model
// sends at once runs them on the user-interface thread, the other inside its send jobs on the send
// worker (after the hand-shake), and the command-line tool directly, so all send the same reports.
// Every send reads the model when it formats its reports.

// -- Storing, as the controls store --

// Switching the limiter (or the high-pass filter) on stores level (corner) 1 first when it is 0.
void StoreLimiterSwitch(DeviceParams& params, int on);
void StoreHighPassSwitch(DeviceParams& params, int on);
// One monitor cut, the other side 0: at most one of the two is non-zero.
void StoreMonitorMicCut(DeviceParams& params, int cut);
void StoreMonitorPlaybackCut(DeviceParams& params, int cut);
// Reset of the equaliser in use: its five gains to 0 dB, and for the graph set also the default
// frequencies 100, 250, 1000, 4000 and 10000 Hz. Q is left alone.
void ResetEqualiser(DeviceParams& params);

// -- Sending --

// A group either goes on after a failed command (the controls ignore their results) or stops at
// the first failure (Reset, preset recall), reporting it in its result. Each group sends in the
// series and pacing of the model in use.
enum class OnFailure { Continue, Stop };

// The five bands of the set in use (eqMode), each flat while the equaliser is off, with
// `pauseAfterEach` after every band.
bool SendEqBands(DeviceCommands& commands, const DeviceParams& params, OnFailure onFailure,
                 std::chrono::milliseconds pauseAfterEach = std::chrono::milliseconds{0});
// The view (PEQ / GEQ) buttons: the model's view series (ModelProfile::eqView) of settings
// writes and the five bands of the new view.
bool SendEqView(DeviceCommands& commands, const DeviceParams& params);
// The EQ switch: the five bands, 100 ms, the settings.
bool SendEqSwitch(DeviceCommands& commands, const DeviceParams& params);
// Reset: the settings, then the five bands; stops at the first failed band, and at a failed
// settings write on a model whose Reset stops there.
bool SendEqReset(DeviceCommands& commands, const DeviceParams& params);
// The monitor mix: the microphone cut, the model's gap, the playback cut.
bool SendMonitorMix(DeviceCommands& commands, const DeviceParams& params);
// The lock, mute and indicator switches: the settings (whose slider gain block carries all three)
// three times, 100 ms after each.
bool SendStatusSwitches(DeviceCommands& commands);
// Preset recall: the settings (result not checked), then every setting (SendAllSettings); stops
// at the first failure.
bool SendPresetRecall(DeviceCommands& commands);

}  // namespace quavelo
