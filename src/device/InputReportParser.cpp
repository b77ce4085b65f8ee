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

    switch (which) {
        case block::kStatus:
            DecodeStatusBlock(report, params, profile.gain2Range);
            params.statusReady = 1;
            break;
        case block::kSettings:
            DecodeSettingsBlock(report, params, profile.settingsLayout);
            MarkSeen(which, params);
            break;
        case block::kSliderGain:
            MarkSeen(which, params);
            DecodeSliderGainBlock(report, params, profile.sliderBlock, profile.gain2Range);
            break;
        case block::kBand5:
            DecodeBandBlock(report, BandOfBlock(which), params);
            if (AllBlocksSeen(params)) params.readbackDone = 1;
            break;
        default:
            if (const int band = BandOfBlock(which); band != 0) {
                DecodeBandBlock(report, band, params);
                MarkSeen(which, params);
            }
            break;
    }
}

}  // namespace quavelo
