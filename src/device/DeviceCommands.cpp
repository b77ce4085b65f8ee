#include "device/DeviceCommands.h"

#include <string>

#include "device/CommandSeries.h"
#include "device/DeviceMap.h"
#include "device/Encoding.h"
#include "device/SettingsBlocks.h"
#include "link/HexBytes.h"

namespace quavelo {

namespace {

using namespace std::chrono_literals;

constexpr auto kGraphBandFlatPause = 20ms;

}  // namespace

DeviceCommands::DeviceCommands(ReportLink& link, DeviceParams& params, Sleeper& sleeper,
                               LogSink& log, Prompt& prompt) noexcept
    : link_(link), params_(params), sleeper_(sleeper), log_(log), prompt_(prompt) {}

bool DeviceCommands::Send(const Report& report, Pacing pacing) {
    const bool written = link_.WriteReport16(report);
    switch (pacing.log) {
        case LogAs::Csend:
            log_.WriteLogLine(written ? "Csend:" + HexBytes(report) : std::string("Csend error"));
            break;
        case LogAs::Send:
            if (written) log_.WriteLogLine("send:" + HexBytes(report));
            break;
        case LogAs::Nothing:
            break;
    }
    if (!written) return false;
    if (pacing.pause > 0ms) sleeper_.SleepFor(pacing.pause);
    return true;
}

bool DeviceCommands::SendAll(std::span<const Report> reports, Pacing pacing) {
    for (const Report& report : reports) {
        if (!Send(report, pacing)) return false;
    }
    return true;
}

bool DeviceCommands::SendRepeated(const Report& report, Pacing pacing, int times) {
    for (int i = 0; i < times; ++i) {
        if (!Send(report, pacing)) return false;
    }
    return true;
}

bool DeviceCommands::Limiter(int on, int level, Pacing pacing, int storeWrites) {
    if (const auto selectors = LimiterSelectors(on, level)) {
        if (!SendAll(*selectors, pacing)) return false;
    }
    return SendRepeated(SettingsBlock(params_), pacing, storeWrites);
}

bool DeviceCommands::HighPass(int on, int corner, Pacing pacing, int storeWrites) {
    if (const auto load = HighPassLoad(on, corner)) {
        if (!SendAll(*load, pacing)) return false;
    }
    return SendRepeated(SettingsBlock(params_), pacing, storeWrites);
}

bool DeviceCommands::GraphBand(int band, bool flat, Pacing pacing) {
    if (band < 1 || band > kEqBands) return false;
    return SendAll(GraphBandLoad(params_, band, flat), pacing) &&
           Send(BandBlock(params_, band), pacing);
}

bool DeviceCommands::SliderBand(int band, bool flat, Pacing pacing, bool kd4) {
    if (band < 1 || band > kEqBands) return false;
    if (!SendAll(SliderBandLoad(params_, band, flat), pacing)) return false;
    return Send(kd4 ? SliderGainBlockKd4(params_) : SliderGainBlock(params_), pacing);
}

bool DeviceCommands::SetLimiter(int on, int level) { return Limiter(on, level, {}, 1); }

bool DeviceCommands::SetHighPass(int on, int corner) { return HighPass(on, corner, {}, 1); }

bool DeviceCommands::SetMicGain(int step) {
    return Send(DspWriteByte(dsp::kMicGain1, MicGainCode(step)), {}) &&
           Send(SettingsBlock(params_), {});
}

bool DeviceCommands::SetGain2(int step) {
    return Send(DspWriteByte(dsp::kMicGain2, MicGainCode(step)), {}) &&
           Send(SettingsBlock(params_), {});
}

bool DeviceCommands::SetMonitorPlaybackCut(int cut) {
    const std::int32_t gain = LevelTaper(ranges::kMonitorCut.Clamp(cut));
    return Send(DspWriteParam(dsp::kMonitorPlayback, gain), {}) && Send(SettingsBlock(params_), {});
}

bool DeviceCommands::SetMonitorMicCut(int cut) {
    const std::int32_t gain = LevelTaper(ranges::kMonitorCut.Clamp(cut));
    return Send(DspWriteParam(dsp::kMonitorMic, gain), {}) && Send(SettingsBlock(params_), {});
}

bool DeviceCommands::SetStereo(int stereo) {
    return SendAll(StereoFeeds(stereo), {}) && Send(SettingsBlock(params_), {});
}

bool DeviceCommands::SetGraphBand(int band) { return GraphBand(band, false, {}); }

bool DeviceCommands::SetGraphBandFlat(int band) {
    if (!GraphBand(band, true, {})) return false;
    sleeper_.SleepFor(kGraphBandFlatPause);
    return true;
}

bool DeviceCommands::SetSliderBand(int band) { return SliderBand(band, false, {}, false); }

bool DeviceCommands::SetSliderBandFlat(int band) { return SliderBand(band, true, {}, false); }

bool DeviceCommands::StoreSettings() { return Send(SettingsBlock(params_), {}); }

void DeviceCommands::Pause(std::chrono::milliseconds duration) { sleeper_.SleepFor(duration); }

}  // namespace quavelo
