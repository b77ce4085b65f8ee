#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "device/DeviceParams.h"
#include "device/ModelProfile.h"
#include "device/Prompt.h"
#include "device/Report.h"
#include "link/LogSink.h"
#include "link/ReportLink.h"
#include "link/Sleeper.h"

namespace quavelo {

// The command set of both models: one operation per kind of setting, each formatting its reports
// from the parameter model and writing them in order through the one link. Every command takes
// its values from the model and its series, pauses and log lines from the profile of the model in
// use (`deviceModel`), so a caller stores the new value in the model first, then calls the
// command. The panel's main window owns one and hands it to the pages; the command-line tool owns
// its own.
//
// Every command returns true when every report of its series was written. The first write that
// fails ends the command: no pause, no further report, false. Nothing is rolled back; the model
// keeps its values. A value outside its range never indexes past a table or sends garbage: gain
// steps are held in 0..47, the monitor level and cuts in 0..80, and a band number outside 1..5
// makes a band command send nothing and return false.
//
// The object keeps no state between calls and holds only references, which must outlive it. Its
// commands may run on several threads at once (the UI thread, a KD4 send job, a level poller) as
// long as the link writes each report atomically; the log sink must accept concurrent lines.
class DeviceCommands {
  public:
    DeviceCommands(ReportLink& link, DeviceParams& params, Sleeper& sleeper, LogSink& log,
                   Prompt& prompt) noexcept;

    // The limiter: the eight selectors, 1.0 to the selector of (limiterOn ? limiterLevel : 0)
    // (none when that is not 0..3), then the settings block. The high-pass filter: the fixed
    // coefficient set of hpfOn and hpfFreq loaded into the filter (none when the filter is on with
    // a corner other than 1 or 2), then the settings block. Both models store these two in the
    // full block layout.
    bool SetLimiter();
    bool SetHighPass();
    // The codec gain code of micGain to the first microphone channel (both channels on a model
    // that sets them together), then the settings block.
    bool SetMicGain();
    // gain2: the codec gain of the second channel then the settings block, or the monitor level
    // (the taper of 80 - gain2) then the slider gain block.
    bool SetGain2();
    // The monitor gain of the cut (the model's taper) to the microphone or playback side, then the
    // settings block.
    bool SetMonitorMicCut();
    bool SetMonitorPlaybackCut();
    // Both mono cross-feed gains (1.0 for stereo 0, else 0), then the settings block. Sends
    // nothing and returns false on a model without stereo.
    bool SetStereo();
    // Band `band` (1..5) of `set` loaded into its equaliser filter, at 0 dB while the equaliser is
    // off, then its store block: the graph band's own block, or the slider gain block.
    bool SetBand(BandSet set, int band);
    // The settings block (and, where it carries settings, the slider gain block).
    bool StoreSettings();
    // The settings the model keeps, in order: the five bands of the set in use, both gains, the
    // high-pass, the limiter, stereo (where the model has it) and both monitor cuts. Stops at the
    // first failure.
    bool SendAllSettings();
    // SendAllSettings while connected, as the panel does after a read-back. Does nothing and
    // returns false unless connected; at the first failed command it shows message::kSendFailed.
    bool PushAllSettings();

    // Level meters. Exchange models: each level value with one request and one answer; a value is
    // stored only from an answer for its own address; true when both requests and reads
    // succeeded. RequestOnly models: the level request alone, whose answer comes to the link's
    // reader thread.
    bool PollLevels(std::int32_t& first, std::int32_t& second);
    bool RequestLevel();

    // Read-back. Synchronous models: requests the seven settings-store blocks one at a time and
    // decodes each answer; an answer for another block is skipped (that block keeps its values);
    // false at the first failed request or read, and what was decoded before stays in the model.
    // Reader-thread models: writes the seven requests, whose answers come to the reader thread.
    bool ReadAllSettings();
    bool RequestAllSettings();

    // A pause between commands of a group, taken through the same sleeper as the commands' own.
    void Pause(std::chrono::milliseconds duration);

  private:
    // What follows a successful write: an optional log line, then an optional pause.
    enum class LogAs { Nothing, Csend, Send };
    struct Pacing {
        std::chrono::milliseconds pause{0};
        LogAs log = LogAs::Nothing;
    };

    const ModelProfile& Profile() const noexcept;
    Pacing GainPacing(std::chrono::milliseconds pause) const noexcept;
    // The one place that writes a report.
    bool Send(const Report& report, Pacing pacing);
    bool SendAll(std::span<const Report> reports, Pacing pacing);
    // The same 16 bytes `times` times in a row, each with its pause.
    bool SendRepeated(const Report& report, Pacing pacing, int times);
    // The settings block after a processor write, as often as the model takes it: in `layout`,
    // or the model's own layout when none is given.
    bool StoreAfter(Pacing pacing, std::optional<SettingsLayout> layout = std::nullopt);
    bool MonitorCut(std::uint16_t address, int cut);
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
