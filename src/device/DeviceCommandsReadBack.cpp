#include <algorithm>

#include "device/DeviceCommands.h"
#include "device/DeviceMap.h"
#include "device/SettingsBlocks.h"

namespace quavelo {

namespace {

constexpr std::string_view kSendFailed = "发送失败";

bool AnswersFor(const Report& answer, std::uint16_t address) noexcept {
    return answer[0] == kReportHead && answer[3] == static_cast<std::uint8_t>(address & 0xFF) &&
           answer[5] == kReadFlag;
}

}  // namespace

bool DeviceCommands::Exchange(const Report& request, Report& answer) {
    if (!Send(request, {})) return false;
    std::uint8_t length = 0;
    if (!link_.ReadReport(answer, length)) return false;
    std::fill(answer.begin() + std::min<std::size_t>(length, answer.size()), answer.end(), 0);
    return true;
}

bool DeviceCommands::PollLevel(std::uint16_t address, std::int32_t& value) {
    Report answer{};
    if (!Exchange(DspRead(address, 4), answer)) return false;
    if (AnswersFor(answer, address)) value = DecodeLevelValue(answer);
    return true;
}

bool DeviceCommands::PollLevels(std::int32_t& first, std::int32_t& second) {
    return PollLevel(dsp::kLevel1, first) && PollLevel(dsp::kLevel2, second);
}

bool DeviceCommands::ReadAllSettings() {
    for (const StoreBlockRequest& request : ReadBackBlocks(kModelTorva)) {
        Report answer{};
        if (!Exchange(StoreRead(request.address, request.count), answer)) return false;
        if (AnswersFor(answer, request.address)) DecodeTorvaAnswer(answer, params_);
    }
    return true;
}

bool DeviceCommands::PushAllSettings() {
    if (params_.connected != 1) return false;
    const bool graphSet = params_.eqMode == 1;
    const bool enabled = params_.eqEnabled == 1;
    bool ok = true;
    for (int band = 1; ok && band <= kEqBands; ++band) {
        if (graphSet) {
            ok = enabled ? SetGraphBand(band) : SetGraphBandFlat(band);
        } else {
            ok = enabled ? SetSliderBand(band) : SetSliderBandFlat(band);
        }
    }
    ok = ok && SetMicGain(params_.micGain) && SetGain2(params_.gain2) &&
         SetHighPass(params_.hpfOn, params_.hpfFreq) &&
         SetLimiter(params_.limiterOn, params_.limiterLevel) && SetStereo(params_.stereo) &&
         SetMonitorMicCut(params_.monitorMicCut) &&
         SetMonitorPlaybackCut(params_.monitorPlaybackCut);
    if (!ok) prompt_.Info(kSendFailed);
    return ok;
}

}  // namespace quavelo
