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

// The monitor level reaches the device as the taper of its distance from 80 (= 0 dB).
constexpr int kMonitorLevelTop = 80;

}  // namespace

DeviceCommands::DeviceCommands(ReportLink& link, DeviceParams& params, Sleeper& sleeper,
                               LogSink& log, Prompt& prompt) noexcept
    : link_(link), params_(params), sleeper_(sleeper), log_(log), prompt_(prompt) {}

const ModelProfile& DeviceCommands::Profile() const noexcept { return ProfileOf(params_); }

DeviceCommands::Pacing DeviceCommands::GainPacing(std::chrono::milliseconds pause) const noexcept {
    return {pause, Profile().pacing.logsGainSends ? LogAs::Csend : LogAs::Nothing};
}

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

bool DeviceCommands::StoreAfter(Pacing pacing, std::optional<SettingsLayout> layout) {
    const ModelProfile& profile = Profile();
    return SendRepeated(SettingsBlock(params_, layout.value_or(profile.settingsLayout)), pacing,
                        profile.pacing.storeRepeats);
}

bool DeviceCommands::SetLimiter() {
    const ModelProfile& profile = Profile();
    const Pacing pacing{profile.pacing.filters};
    if (const auto selectors = LimiterSelectors(params_.limiterOn, params_.limiterLevel)) {
        if (!SendAll(*selectors, pacing)) return false;
    }
    return StoreAfter(pacing, SettingsLayout::Full);
}

bool DeviceCommands::SetHighPass() {
    const ModelProfile& profile = Profile();
    const Pacing pacing{profile.pacing.filters};
    if (const auto load = HighPassLoad(params_.hpfOn, params_.hpfFreq)) {
        if (!SendAll(*load, pacing)) return false;
    }
    return StoreAfter(pacing, SettingsLayout::Full);
}

bool DeviceCommands::SetMicGain() {
    const ModelProfile& profile = Profile();
    const Pacing pacing = GainPacing(profile.pacing.micGain);
    const std::uint8_t code = MicGainCode(params_.micGain);
    if (!Send(DspWriteByte(dsp::kMicGain1, code), pacing)) return false;
    if (profile.micGainBothChannels && !Send(DspWriteByte(dsp::kMicGain2, code), pacing)) {
        return false;
    }
    return StoreAfter(pacing);
}

bool DeviceCommands::SetGain2() {
    const ModelProfile& profile = Profile();
    const Pacing pacing = GainPacing(profile.pacing.gain2);
    switch (profile.gain2) {
        case Gain2Kind::CodecGain:
            return Send(DspWriteByte(dsp::kMicGain2, MicGainCode(params_.gain2)), pacing) &&
                   StoreAfter(pacing);
        case Gain2Kind::MonitorLevel: {
            const int level = profile.gain2Range.Clamp(params_.gain2);
            const std::int32_t gain = profile.monitorTaper(kMonitorLevelTop - level);
            return Send(DspWriteParam(dsp::kMonitorLevel, gain), pacing) &&
                   SendRepeated(SliderGainBlock(params_, profile.sliderBlock), pacing,
                                profile.pacing.storeRepeats);
        }
    }
    return false;
}

bool DeviceCommands::MonitorCut(std::uint16_t address, int cut) {
    const ModelProfile& profile = Profile();
    const Pacing pacing{profile.pacing.monitor};
    const std::int32_t gain = profile.monitorTaper(ranges::kMonitorCut.Clamp(cut));
    return Send(DspWriteParam(address, gain), pacing) && StoreAfter(pacing);
}

bool DeviceCommands::SetMonitorMicCut() {
    return MonitorCut(dsp::kMonitorMic, params_.monitorMicCut);
}

bool DeviceCommands::SetMonitorPlaybackCut() {
    return MonitorCut(dsp::kMonitorPlayback, params_.monitorPlaybackCut);
}

bool DeviceCommands::SetStereo() {
    if (!Profile().hasStereo) return false;
    return SendAll(StereoFeeds(params_.stereo), {}) && StoreAfter({});
}

bool DeviceCommands::SetBand(BandSet set, int band) {
    if (band < 1 || band > kEqBands) return false;
    const ModelProfile& profile = Profile();
    const Pacing pacing{profile.pacing.band};
    const bool flat = params_.eqEnabled == 0;
    if (!SendAll(BandLoad(params_, set, band, flat), pacing)) return false;
    if (set == BandSet::Slider) return Send(SliderGainBlock(params_, profile.sliderBlock), pacing);
    if (!Send(BandBlock(params_, band), pacing)) return false;
    if (flat && profile.pacing.flatGraphBandEnd > 0ms) {
        sleeper_.SleepFor(profile.pacing.flatGraphBandEnd);
    }
    return true;
}

bool DeviceCommands::StoreSettings() {
    const ModelProfile& profile = Profile();
    const Pacing pacing = GainPacing(profile.pacing.store);
    if (!Send(SettingsBlock(params_, profile.settingsLayout), pacing)) return false;
    // A slider gain block that carries settings (gain2 and the status switches) goes with it.
    if (profile.sliderBlock != SliderBlockLayout::GainsAndStatus) return true;
    return Send(SliderGainBlock(params_, profile.sliderBlock), pacing);
}

bool DeviceCommands::SendAllSettings() {
    const BandSet set = BandSetInUse(params_);
    for (int band = 1; band <= kEqBands; ++band) {
        if (!SetBand(set, band)) return false;
    }
    return SetMicGain() && SetGain2() && SetHighPass() && SetLimiter() &&
           (!Profile().hasStereo || SetStereo()) && SetMonitorMicCut() && SetMonitorPlaybackCut();
}

void DeviceCommands::Pause(std::chrono::milliseconds duration) { sleeper_.SleepFor(duration); }

}  // namespace quavelo
