#include "device/ModelProfile.h"

#include "device/Encoding.h"
#include "device/PresetPreview.h"

namespace quavelo {

namespace {

using namespace std::chrono_literals;

// The USB ids below are also read at configure time to write the udev rule
// (res/70-quavelo.rules.in): keep each on one line as `.usb = {0xVVVV, 0xPPPP}`.

const ModelProfile kTorva{
    .model = Model::Torva,
    .name = "TORVA",
    .cliName = "torva",
    .title = "Torva",
    .usb = {0x0F8C, 0x0046},
    .hasStereo = true,
    .gain2 = Gain2Kind::CodecGain,
    .gain2Range = ranges::kMicGain,
    .settingsLayout = SettingsLayout::Full,
    .sliderBlock = SliderBlockLayout::Gains,
    .monitorTaper = LevelTaper,
    // The TORVA takes its reports as fast as they come; only a flat graph band waits after
    // itself.
    .pacing = {.flatGraphBandEnd = 20ms},
    .eqView = {.settingsAfter = true, .beforeSettingsAfter = 50ms},
    .resetStopsAtSettings = true,
    .readBack = ReadBackKind::Synchronous,
    .levelPoll = LevelPollKind::Exchange,
    .levelMeters = 2,
    .pushesOnConnect = true,
    .pageSends = PageSends::Immediate,
    .previewRows = kTorvaPreviewRows,
    .presetMessages = kTorvaPresetMessages,
};

// The KD4 is slow by design: every report of a command is followed by its pause, and its
// settings writes go twice.
const ModelProfile kKd4{
    .model = Model::Kd4,
    .name = "KD4",
    .cliName = "kd4",
    .title = "KD4",
    .usb = {0x0F8D, 0x0047},
    .hasLock = true,
    .hasMute = true,
    .hasIndicator = true,
    .gain2 = Gain2Kind::MonitorLevel,
    .gain2Range = ranges::kGain2Kd4,
    .micGainBothChannels = true,
    .hasOwnControls = true,
    .settingsLayout = SettingsLayout::Kd4,
    .sliderBlock = SliderBlockLayout::GainsAndStatus,
    .monitorTaper = ShallowLevelTaper,
    .pacing = {.filters = 50ms,
               .micGain = 45ms,
               .gain2 = 50ms,
               .monitor = 50ms,
               .band = 50ms,
               .store = 100ms,
               .levelRequest = 50ms,
               .readBackRequest = 80ms,
               .monitorMixGap = 50ms,
               .storeRepeats = 2,
               .logsGainSends = true,
               .loggedReadBackBlock = 0x28},
    .eqView = {.settingsBefore = 2, .afterEachSettings = 100ms, .afterEachBand = 120ms},
    .resetStopsAtSettings = false,
    .readBack = ReadBackKind::ReaderThread,
    .levelPoll = LevelPollKind::RequestOnly,
    .levelMeters = 1,
    .pushesOnConnect = false,
    .pageSends = PageSends::Deferred,
    .previewRows = kKd4PreviewRows,
    .presetMessages = kKd4PresetMessages,
};

}  // namespace

const ModelProfile& ProfileOf(Model model) noexcept {
    switch (model) {
        case Model::Torva:
            return kTorva;
        case Model::Kd4:
            return kKd4;
    }
    return kTorva;  // not reached: a Model holds one of the values above
}

const ModelProfile* FindProfile(UsbIds ids) noexcept {
    for (Model model : kModels) {
        if (ProfileOf(model).usb == ids) return &ProfileOf(model);
    }
    return nullptr;
}

const ModelProfile* FindProfile(std::string_view cliName) noexcept {
    for (Model model : kModels) {
        if (ProfileOf(model).cliName == cliName) return &ProfileOf(model);
    }
    return nullptr;
}

}  // namespace quavelo
