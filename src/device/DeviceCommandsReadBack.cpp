#include <algorithm>

#include "device/DeviceCommands.h"
#include "device/DeviceMap.h"
#include "device/Messages.h"
#include "device/SettingsBlocks.h"

namespace quavelo {

namespace {

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

bool DeviceCommands::RequestLevel() {
    return Send(DspRead(dsp::kLevel1, 4), {Profile().pacing.levelRequest});
}

bool DeviceCommands::ReadAllSettings() {
    const ModelProfile& profile = Profile();
    for (const StoreBlockRequest& request : ReadBackBlocks(profile)) {
        Report answer{};
        if (!Exchange(StoreRead(request.address, request.count), answer)) return false;
        if (AnswersFor(answer, request.address)) DecodeStoreAnswer(answer, params_, profile);
    }
    return true;
}

bool DeviceCommands::RequestAllSettings() {
    const ModelProfile& profile = Profile();
    for (const StoreBlockRequest& request : ReadBackBlocks(profile)) {
        // One line marks each read-back: the request of one block is logged.
        const bool logged = request.address == profile.pacing.loggedReadBackBlock;
        const Pacing pacing{profile.pacing.readBackRequest, logged ? LogAs::Send : LogAs::Nothing};
        if (!Send(StoreRead(request.address, request.count), pacing)) return false;
    }
    return true;
}

bool DeviceCommands::PushAllSettings() {
    if (params_.connected != 1) return false;
    const bool sent = SendAllSettings();
    if (!sent) prompt_.Info(message::kSendFailed);
    return sent;
}

}  // namespace quavelo
