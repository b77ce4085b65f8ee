#include "device/DeviceCommands.h"
#include "device/DeviceMap.h"
#include "device/Encoding.h"
#include "device/SettingsBlocks.h"

namespace quavelo {

namespace {

using namespace std::chrono_literals;

// The KD4 takes its reports slowly; these pauses follow every report of a command.
constexpr auto kKd4Pause = 50ms;
constexpr auto kKd4MicGainPause = 45ms;
constexpr auto kKd4StorePause = 100ms;
constexpr auto kKd4RequestPause = 80ms;

// gain2 is the KD4's monitor level, 80 = 0 dB; the device takes the taper of its distance from 80.
constexpr int kKd4MonitorLevelTop = 80;

}  // namespace

bool DeviceCommands::SetLimiterKd4(int on, int level) { return Limiter(on, level, {kKd4Pause}, 2); }

bool DeviceCommands::SetHighPassKd4(int on, int corner) {
    return HighPass(on, corner, {kKd4Pause}, 2);
}

bool DeviceCommands::SetMicGainKd4(int step) {
    const Pacing pacing{kKd4MicGainPause, LogAs::Csend};
    const std::uint8_t code = MicGainCode(step);
    return Send(DspWriteByte(dsp::kMicGain1, code), pacing) &&
           Send(DspWriteByte(dsp::kMicGain2, code), pacing) &&
           SendRepeated(SettingsBlockKd4(params_), pacing, 2);
}

bool DeviceCommands::SetGain2Kd4(int value) {
    const Pacing pacing{kKd4Pause, LogAs::Csend};
    const int level = ranges::kGain2Kd4.Clamp(value);
    const std::int32_t gain = LevelTaperKd4(kKd4MonitorLevelTop - level);
    return Send(DspWriteParam(dsp::kMonitorLevelKd4, gain), pacing) &&
           SendRepeated(SliderGainBlockKd4(params_), pacing, 2);
}

bool DeviceCommands::SetMonitorPlaybackCutKd4(int cut) {
    const Pacing pacing{kKd4Pause};
    const std::int32_t gain = LevelTaperKd4(ranges::kMonitorCut.Clamp(cut));
    return Send(DspWriteParam(dsp::kMonitorPlayback, gain), pacing) &&
           SendRepeated(SettingsBlockKd4(params_), pacing, 2);
}

bool DeviceCommands::SetMonitorMicCutKd4(int cut) {
    const Pacing pacing{kKd4Pause};
    const std::int32_t gain = LevelTaperKd4(ranges::kMonitorCut.Clamp(cut));
    return Send(DspWriteParam(dsp::kMonitorMic, gain), pacing) &&
           SendRepeated(SettingsBlockKd4(params_), pacing, 2);
}

bool DeviceCommands::SetGraphBandKd4(int band) { return GraphBand(band, false, {kKd4Pause}); }

bool DeviceCommands::SetGraphBandFlatKd4(int band) { return GraphBand(band, true, {kKd4Pause}); }

bool DeviceCommands::SetSliderBandKd4(int band) {
    return SliderBand(band, false, {kKd4Pause}, true);
}

bool DeviceCommands::SetSliderBandFlatKd4(int band) {
    return SliderBand(band, true, {kKd4Pause}, true);
}

bool DeviceCommands::StoreSettingsKd4() {
    const Pacing pacing{kKd4StorePause, LogAs::Csend};
    return Send(SettingsBlockKd4(params_), pacing) && Send(SliderGainBlockKd4(params_), pacing);
}

bool DeviceCommands::RequestLevelKd4() { return Send(DspRead(dsp::kLevel1, 4), {kKd4Pause}); }

bool DeviceCommands::RequestAllSettingsKd4() {
    // One line marks each read-back: only the request for band block 4 is logged.
    constexpr std::uint16_t kLoggedRequest = 0x0028;
    for (const StoreBlockRequest& request : ReadBackBlocks(kModelKd4)) {
        const Pacing pacing{kKd4RequestPause,
                            request.address == kLoggedRequest ? LogAs::Send : LogAs::Nothing};
        if (!Send(StoreRead(request.address, request.count), pacing)) return false;
    }
    return true;
}

}  // namespace quavelo
