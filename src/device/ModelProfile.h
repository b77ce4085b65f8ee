#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "device/Messages.h"
#include "device/ParamRange.h"

namespace quavelo {

struct PresetFields;

// The device models the panel knows. A switch over Model has no default, so the compiler names
// every place a new model must be handled; everything else asks the model's profile.
enum class Model : std::int32_t { Torva = 1, Kd4 = 2 };

struct UsbIds {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;

    bool operator==(const UsbIds&) const = default;
};

// Block 0x00 of the settings store, 10 bytes. Full: stereo in byte 6 and gain2 in byte 12, both
// read back. Kd4: 0x00 and 0xAA stand there, and neither is read back.
enum class SettingsLayout { Full, Kd4 };
// Block 0x40: Gains, the five slider gains (5 bytes); GainsAndStatus adds gain2 and the mute,
// lock and indicator switches (9 bytes).
enum class SliderBlockLayout { Gains, GainsAndStatus };
// What gain2 is: the codec gain of the second microphone (0..47 steps) or the monitor level
// (0..80, 80 = 0 dB).
enum class Gain2Kind { CodecGain, MonitorLevel };
// How the settings come back after opening: one request and its answer at a time on the caller's
// thread, or a series of requests whose answers the link's reader thread decodes.
enum class ReadBackKind { Synchronous, ReaderThread };
// How the level meters are read: two request-and-answer exchanges on the poller's thread, or one
// request whose answer the reader thread decodes.
enum class LevelPollKind { Exchange, RequestOnly };
// Where a control page's sends run: at once on the user-interface thread, or as jobs on the send
// worker, slider and graph drags deferred.
enum class PageSends { Immediate, Deferred };

// How a model paces its commands: the pause after each report of a command (0 for none) and
// which sends are logged.
struct CommandPacing {
    std::chrono::milliseconds filters{0};  // limiter and high-pass
    std::chrono::milliseconds micGain{0};
    std::chrono::milliseconds gain2{0};
    std::chrono::milliseconds monitor{0};  // each monitor cut
    std::chrono::milliseconds band{0};     // a band's load and its store block
    std::chrono::milliseconds store{0};    // StoreSettings
    std::chrono::milliseconds levelRequest{0};
    std::chrono::milliseconds readBackRequest{0};
    std::chrono::milliseconds flatGraphBandEnd{0};  // once, after a flat graph band
    std::chrono::milliseconds monitorMixGap{0};     // between the two cuts of the monitor mix
    // How often the settings block follows a processor write (gains, cuts, limiter, high-pass).
    int storeRepeats = 1;
    // The gains and StoreSettings log each report ("Csend:", "Csend error").
    bool logsGainSends = false;
    // The read-back request of this block is logged ("send:"), marking each read-back.
    int loggedReadBackBlock = -1;
};

// The equaliser view buttons' series: settings writes, then the five bands, then settings again.
struct EqViewSeries {
    int settingsBefore = 0;
    std::chrono::milliseconds afterEachSettings{0};
    std::chrono::milliseconds afterEachBand{0};
    bool settingsAfter = false;
    std::chrono::milliseconds beforeSettingsAfter{0};
};

// One row of a preset preview: its caption and its value from a file's fields as stored.
struct PreviewRow {
    std::string_view caption;
    std::string (*value)(const PresetFields& fields);
};

// Everything that differs between the models, in one record per model.
struct ModelProfile {
    Model model;
    std::string_view name;     // "TORVA": messages
    std::string_view cliName;  // "torva": --model, JSON
    std::string_view title;    // the window's title while the model's page is shown
    UsbIds usb;

    // Settings the model has.
    bool hasStereo = false;
    bool hasLock = false;
    bool hasMute = false;
    bool hasIndicator = false;
    Gain2Kind gain2 = Gain2Kind::CodecGain;
    ParamRange gain2Range;
    // The microphone gain goes to both codec channels.
    bool micGainBothChannels = false;
    // The device has controls of its own (gain knob, mute, lock) and reports their changes with
    // the status block.
    bool hasOwnControls = false;

    SettingsLayout settingsLayout = SettingsLayout::Full;
    SliderBlockLayout sliderBlock = SliderBlockLayout::Gains;
    // The monitor taper: the processing gain of a cut (or of 80 - monitor level) in dB.
    std::int32_t (*monitorTaper)(int cut) = nullptr;
    CommandPacing pacing;
    EqViewSeries eqView;
    // Reset stops when its settings write fails (else the bands are sent all the same).
    bool resetStopsAtSettings = true;

    ReadBackKind readBack = ReadBackKind::Synchronous;
    LevelPollKind levelPoll = LevelPollKind::Exchange;
    // Level values per reading: two channels (shown with their mean) or one.
    int levelMeters = 1;
    // After the read-back the panel writes every setting back to the device.
    bool pushesOnConnect = false;
    PageSends pageSends = PageSends::Immediate;

    // The preset preview's rows, top to bottom, and the texts of Save and Read.
    std::span<const PreviewRow> previewRows;
    PresetMessages presetMessages;
};

inline constexpr std::array<Model, 2> kModels{Model::Torva, Model::Kd4};

const ModelProfile& ProfileOf(Model model) noexcept;
// The profile of a device's ids, or nullptr for a device of no known model.
const ModelProfile* FindProfile(UsbIds ids) noexcept;
// The profile of a --model name ("torva", "kd4"), or nullptr.
const ModelProfile* FindProfile(std::string_view cliName) noexcept;

}  // namespace quavelo
