#include "device/InputReportParser.h"

#include <algorithm>

#include "device/SettingsBlocks.h"

namespace quavelo {

namespace {

constexpr std::uint8_t kStoreAnswer = static_cast<std::uint8_t>(Access::Store);

bool AllBlocksSeen(const DeviceParams& params) noexcept {
    return std::all_of(params.blockSeen.begin(), params.blockSeen.end(),
                       [](const SharedInt& seen) { return seen == 1; });
}

void MarkSeen(std::uint8_t block, DeviceParams& params) noexcept {
    const int index = BlockSeenIndex(block);
    if (index >= 0) params.blockSeen[index] = 1;
}

}  // namespace

void ParseInputReport(const Report& report, DeviceParams& params) noexcept {
    const ModelProfile& profile = ProfileOf(params.deviceModel);
    if (report[0] != kReportHead) return;
    const std::uint8_t which = report[3];
    const bool isAnswer = report[5] == kReadFlag;

    if (which == block::kLevel && isAnswer) {
        params.meterLevel = DecodeLevelValue(report);
        params.meterReady = 1;
    }
    if (report[1] != kStoreAnswer || !isAnswer) return;

    if (which == block::kStatus) {
        DecodeStatusBlock(report, params, profile.gain2Range);
        params.statusReady = 1;
        return;
    }
    // The read-back's blocks, decoded as every store answer is; band 5 comes last and completes
    // the read-back once every other block has been seen.
    if (!DecodeStoreAnswer(report, params, profile)) return;
    MarkSeen(which, params);
    if (which == block::kBand5 && AllBlocksSeen(params)) params.readbackDone = 1;
}

}  // namespace quavelo
