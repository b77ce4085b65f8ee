#pragma once

#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"

namespace quavelo {

// What the pages' controls do to the model and which report groups they send. The TORVA page runs
// the sends on the user-interface thread, the KD4 page inside its send jobs on the KD4 send worker
// (after the hand-shake), and the command-line tool directly, so all three send the same reports.
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
// the first failure (Reset, preset recall), reporting it in its result.
enum class OnFailure { Continue, Stop };

// TORVA.
// The five bands of the set in use (eqMode), each flat while the equaliser is off.
bool SendEqBandsTorva(DeviceCommands& commands, const DeviceParams& params, OnFailure onFailure);
// The view (mode) buttons: the five bands, 50 ms, the settings block.
bool SendEqViewTorva(DeviceCommands& commands, const DeviceParams& params);
// The EQ switch: the five bands, 100 ms, the settings block.
bool SendEqSwitchTorva(DeviceCommands& commands, const DeviceParams& params);
// Reset: the settings block, then the five bands; stops at the first failure.
bool SendEqResetTorva(DeviceCommands& commands, const DeviceParams& params);
// The monitor mix: the microphone cut, then the playback cut.
bool SendMonitorMixTorva(DeviceCommands& commands, const DeviceParams& params);
// Preset recall: the settings block (its result not checked), the five bands, both gains, the
// high-pass, the limiter, stereo and both monitor cuts; stops at the first failure.
bool SendPresetRecallTorva(DeviceCommands& commands, const DeviceParams& params);

// KD4 (the bodies of the KD4 page's send jobs).
// The five bands of the set in use, each flat while the equaliser is off, with `pauseAfterEach`
// after every band.
bool SendEqBandsKd4(DeviceCommands& commands, const DeviceParams& params, OnFailure onFailure,
                    std::chrono::milliseconds pauseAfterEach = std::chrono::milliseconds{0});
// The PEQ / GEQ buttons: the settings twice, 100 ms after each, then the five bands of the new
// view, 120 ms after each.
bool SendEqViewKd4(DeviceCommands& commands, const DeviceParams& params);
// The EQ switch: the five bands, 100 ms, the settings.
bool SendEqSwitchKd4(DeviceCommands& commands, const DeviceParams& params);
// Reset: the settings (result not checked), then the five bands; stops at the first failure.
bool SendEqResetKd4(DeviceCommands& commands, const DeviceParams& params);
// The monitor mix: the microphone cut, 50 ms, the playback cut.
bool SendMonitorMixKd4(DeviceCommands& commands, const DeviceParams& params);
// The lock, mute and indicator switches: the settings (whose slider gain block carries all three)
// three times, 100 ms after each.
bool SendSwitchesKd4(DeviceCommands& commands);
// Preset recall: as Reset, then the microphone gain, the monitor level, the high-pass, the
// limiter and both monitor cuts; stops at the first failure.
bool SendPresetRecallKd4(DeviceCommands& commands, const DeviceParams& params);

}  // namespace quavelo
