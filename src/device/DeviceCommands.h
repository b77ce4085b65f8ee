#pragma once

#include <chrono>
#include <cstdint>
#include <span>

#include "device/DeviceParams.h"
#include "device/Prompt.h"
#include "device/Report.h"
#include "link/LogSink.h"
#include "link/ReportLink.h"
#include "link/Sleeper.h"

namespace quavelo {

// The command set of both models: one operation per kind of setting, each formatting its reports
// from the parameter model and writing them in order through the one link. The panel's main
// window owns one and hands it to the pages; the command-line tool owns its own.
//
// Every command returns true when every report of its series was written. The first write that
// fails ends the command: no pause, no further report, false. Nothing is rolled back; the model
// keeps its values. The settings-store blocks are formatted from the model just before they are
// first written, so a caller stores the new value in the model first, then calls the command.
//
// Arguments outside their range never index past a table or send garbage: gain steps are held in
// 0..47 (KD4 gain2 in 0..80), monitor cuts in 0..80, and a band number outside 1..5 makes the
// command send nothing and return false.
//
// The object keeps no state between calls and holds only references, which must outlive it. Its
// commands may run on several threads at once (the UI thread, a KD4 send job, a level poller) as
// long as the link writes each report atomically; the log sink must accept concurrent lines.
class DeviceCommands {
  public:
    DeviceCommands(ReportLink& link, DeviceParams& params, Sleeper& sleeper, LogSink& log,
                   Prompt& prompt) noexcept;

    // TORVA. No pauses, except 20 ms at the end of SetGraphBandFlat; nothing is logged.

    // The eight limiter selectors for `on` and `level` (1..3), then the settings block. With the
    // limiter on and another level, only the settings block.
    bool SetLimiter(int on, int level);
    // The fixed high-pass set for `on` and `corner` (1 = 75 Hz, 2 = 150 Hz) loaded into the
    // filter, then the settings block. With the filter on and another corner, only the block.
    bool SetHighPass(int on, int corner);
    // The codec gain code of `step` to the first (SetMicGain) or second (SetGain2) microphone
    // channel, then the settings block.
    bool SetMicGain(int step);
    bool SetGain2(int step);
    // The monitor gain of `cut` dB (TORVA taper) to the playback or microphone side, then the
    // settings block.
    bool SetMonitorPlaybackCut(int cut);
    bool SetMonitorMicCut(int cut);
    // Both mono cross-feed gains (1.0 for stereo 0, else 0), then the settings block.
    bool SetStereo(int stereo);
    // Graph band `band` loaded into its equaliser filter, then its band block.
    bool SetGraphBand(int band);
    // The same at 0 dB (the band block still carries the real gain); pauses 20 ms at the end.
    bool SetGraphBandFlat(int band);
    // Slider band `band` loaded into its equaliser filter, then the slider gain block.
    bool SetSliderBand(int band);
    bool SetSliderBandFlat(int band);
    // The settings block alone.
    bool StoreSettings();
    // Reads the two level meters, each with one request and one answer. A value is stored only
    // from an answer for its own address; true when both requests and both reads succeeded.
    bool PollLevels(std::int32_t& first, std::int32_t& second);

    // TORVA read-back: requests the seven settings-store blocks one at a time and decodes each
    // answer. An answer for another block is skipped (that block keeps its values). False at the
    // first failed request or read; what was decoded before stays in the model.
    bool ReadAllSettings();
    // Writes every setting of the model to the device: the five bands of the active set (flat
    // while the equaliser is off), then the gains, high-pass, limiter, stereo and monitor mix.
    // Does nothing and returns false unless connected. At the first failed command it shows
    // "发送失败" and returns false.
    bool PushAllSettings();

    // KD4. Each report is followed by its pause (after its log line); "twice" means the same
    // 16 bytes written two times, each with its pause.

    // As SetLimiter, then the settings block in the TORVA layout twice; 50 ms after each report.
    bool SetLimiterKd4(int on, int level);
    // As SetHighPass, then the settings block in the TORVA layout twice; 50 ms after each.
    bool SetHighPassKd4(int on, int corner);
    // The code of `step` to both microphone channels, then the KD4 settings block twice; 45 ms
    // after each. Logged.
    bool SetMicGainKd4(int step);
    // The KD4 taper of 80 - `value` to the monitor level, then the KD4 slider gain block twice;
    // 50 ms after each. Logged.
    bool SetGain2Kd4(int value);
    // The KD4 taper of `cut` to the playback or microphone side, then the KD4 settings block
    // twice; 50 ms after each.
    bool SetMonitorPlaybackCutKd4(int cut);
    bool SetMonitorMicCutKd4(int cut);
    // As the TORVA band commands, each store block once; 50 ms after each report.
    bool SetGraphBandKd4(int band);
    bool SetGraphBandFlatKd4(int band);
    bool SetSliderBandKd4(int band);
    bool SetSliderBandFlatKd4(int band);
    // The KD4 settings block, then the KD4 slider gain block; 100 ms after each. Logged.
    bool StoreSettingsKd4();
    // The level request; 50 ms after it. The answer comes to the link's reader thread.
    bool RequestLevelKd4();
    // The seven read-back requests; 80 ms after each. The request for block 0x28 is logged. The
    // answers come to the link's reader thread.
    bool RequestAllSettingsKd4();

    // A pause between commands of a group (the equaliser view and switch waits, the KD4 send
    // jobs' spacing), taken through the same sleeper as the commands' own pauses.
    void Pause(std::chrono::milliseconds duration);

  private:
    // What follows a successful write: an optional log line, then an optional pause.
    enum class LogAs { Nothing, Csend, Send };
    struct Pacing {
        std::chrono::milliseconds pause{0};
        LogAs log = LogAs::Nothing;
    };

    // The one place that writes a report.
    bool Send(const Report& report, Pacing pacing);
    bool SendAll(std::span<const Report> reports, Pacing pacing);
    // The same 16 bytes `times` times in a row, each with its pause.
    bool SendRepeated(const Report& report, Pacing pacing, int times);

    bool Limiter(int on, int level, Pacing pacing, int storeWrites);
    bool HighPass(int on, int corner, Pacing pacing, int storeWrites);
    bool GraphBand(int band, bool flat, Pacing pacing);
    bool SliderBand(int band, bool flat, Pacing pacing, bool kd4);
    // One request and its answer; bytes beyond the answer's length read as 0.
    bool Exchange(const Report& request, Report& answer);
    bool PollLevel(std::uint16_t address, std::int32_t& value);

    ReportLink& link_;
    DeviceParams& params_;
    Sleeper& sleeper_;
    LogSink& log_;
    Prompt& prompt_;
};

}  // namespace quavelo
