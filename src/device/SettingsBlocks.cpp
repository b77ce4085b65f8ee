#include "device/SettingsBlocks.h"

#include <algorithm>

#include "device/DeviceMap.h"
#include "device/Encoding.h"
#include "device/ParamRange.h"

namespace quavelo {

namespace {

constexpr std::size_t kData = kReportDataOffset;
constexpr std::uint8_t kKd4FillerByte6 = 0x00;
constexpr std::uint8_t kKd4FillerByte12 = 0xAA;

std::uint8_t LowByte(std::int32_t value) noexcept { return static_cast<std::uint8_t>(value); }

std::uint8_t GainByte(const EqBand& band) noexcept {
    return static_cast<std::uint8_t>(BandGainToDevice(band.gain));
}

int BandIndex(int band) noexcept { return std::clamp(band, 1, kEqBands) - 1; }

std::array<std::uint8_t, store::kSettingsBlockSize> TorvaSettingsBytes(const DeviceParams& p) {
    return {LowByte(p.stereo),       LowByte(p.limiterOn),
            LowByte(p.limiterLevel), LowByte(p.hpfOn),
            LowByte(p.hpfFreq),      MonitorBalance(p.monitorMicCut, p.monitorPlaybackCut),
            LowByte(p.gain2),        LowByte(p.micGain),
            LowByte(p.eqEnabled),    LowByte(1 - p.eqMode)};
}

std::int32_t Switch(std::uint8_t byte) noexcept { return ranges::kSwitch.Clamp(byte); }

std::int8_t Signed(std::uint8_t byte) noexcept { return static_cast<std::int8_t>(byte); }

void DecodeMonitorPair(std::uint8_t balance, DeviceParams& params) noexcept {
    const MonitorCuts cuts = DecodeMonitorBalance(balance);
    params.monitorMicCut = cuts.micCut;
    params.monitorPlaybackCut = cuts.playbackCut;
}

// Everything of block 0x00 that both models read back.
void DecodeSharedSettings(const Report& a, DeviceParams& params) noexcept {
    params.limiterOn = Switch(a[kData + 1]);
    params.limiterLevel = ranges::kLimiterLevel.Clamp(a[kData + 2]);
    params.hpfOn = Switch(a[kData + 3]);
    params.hpfFreq = ranges::kHpfFreq.Clamp(a[kData + 4]);
    DecodeMonitorPair(a[kData + 5], params);
    params.micGain = ranges::kMicGain.Clamp(a[kData + 7]);
    params.eqEnabled = Switch(a[kData + 8]);
    params.eqMode = ranges::kSwitch.Clamp(1 - a[kData + 9]);
}

}  // namespace

Report SettingsBlock(const DeviceParams& params, SettingsLayout layout) noexcept {
    auto bytes = TorvaSettingsBytes(params);
    if (layout == SettingsLayout::Kd4) {
        bytes[0] = kKd4FillerByte6;
        bytes[6] = kKd4FillerByte12;
    }
    return StoreWrite(store::kSettingsBlock, bytes);
}

std::uint8_t SliderGainBlockSize(SliderBlockLayout layout) noexcept {
    return layout == SliderBlockLayout::GainsAndStatus ? store::kSliderGainBlockSizeWithStatus
                                                       : store::kSliderGainBlockSizeGains;
}

Report SliderGainBlock(const DeviceParams& params, SliderBlockLayout layout) noexcept {
    std::array<std::uint8_t, store::kSliderGainBlockSizeWithStatus> bytes{};
    for (int i = 0; i < kEqBands; ++i) bytes[i] = GainByte(params.sliderBands[i]);
    if (layout == SliderBlockLayout::GainsAndStatus) {
        bytes[5] = LowByte(params.gain2);
        bytes[6] = LowByte(params.kd4Mute);
        bytes[7] = LowByte(params.kd4Lock);
        bytes[8] = LowByte(params.kd4Indicator);
    }
    return StoreWrite(store::kSliderGainBlock,
                      std::span(bytes.data(), SliderGainBlockSize(layout)));
}

Report BandBlock(const DeviceParams& params, int band) noexcept {
    const int index = BandIndex(band);
    const EqBand& b = params.graphBands[index];
    const std::int32_t freq = b.freq;
    const std::array<std::uint8_t, store::kBandBlockSize> bytes{LowByte(freq >> 8), LowByte(freq),
                                                                LowByte(b.q / 10), GainByte(b)};
    return StoreWrite(store::BandBlock(index + 1), bytes);
}

int BandOfBlock(std::uint8_t block) noexcept {
    if (block < block::kBand1 || block > block::kBand5 || (block - block::kBand1) % 8 != 0) {
        return 0;
    }
    return (block - block::kBand1) / 8 + 1;
}

std::array<StoreBlockRequest, 7> ReadBackBlocks(const ModelProfile& profile) noexcept {
    return {{{store::kSettingsBlock, store::kSettingsBlockSize},
             {store::kSliderGainBlock, SliderGainBlockSize(profile.sliderBlock)},
             {store::BandBlock(1), store::kBandBlockSize},
             {store::BandBlock(2), store::kBandBlockSize},
             {store::BandBlock(3), store::kBandBlockSize},
             {store::BandBlock(4), store::kBandBlockSize},
             {store::BandBlock(5), store::kBandBlockSize}}};
}

void DecodeSettingsBlock(const Report& answer, DeviceParams& params,
                         SettingsLayout layout) noexcept {
    if (layout == SettingsLayout::Full) {
        params.stereo = Switch(answer[kData]);
        params.gain2 = ranges::kMicGain.Clamp(answer[kData + 6]);
    }
    DecodeSharedSettings(answer, params);
}

void DecodeSliderGainBlock(const Report& answer, DeviceParams& params, SliderBlockLayout layout,
                           ParamRange gain2Range) noexcept {
    for (int i = 0; i < kEqBands; ++i) {
        params.sliderBands[i].gain = BandGainFromDevice(Signed(answer[kData + i]));
    }
    if (layout != SliderBlockLayout::GainsAndStatus) return;
    params.gain2 = gain2Range.Clamp(answer[kData + 5]);
    params.kd4Mute = Switch(answer[kData + 6]);
    params.kd4Lock = Switch(answer[kData + 7]);
    params.kd4Indicator = Switch(answer[kData + 8]);
}

void DecodeBandBlock(const Report& answer, int band, DeviceParams& params) noexcept {
    if (band < 1 || band > kEqBands) return;
    EqBand& b = params.graphBands[band - 1];
    const int freq = answer[kData] * 256 + answer[kData + 1];
    b.freq = freq == 0 ? kDefaultBandFreq[band - 1] : ranges::kBandFreq.Clamp(freq);
    b.gain = BandGainFromDevice(Signed(answer[kData + 3]));
}

void DecodeStatusBlock(const Report& answer, DeviceParams& params, ParamRange gain2Range) noexcept {
    params.micGain = ranges::kMicGain.Clamp(answer[kData]);
    params.gain2 = gain2Range.Clamp(answer[kData + 1]);
    DecodeMonitorPair(answer[kData + 2], params);
    params.kd4Mute = Switch(answer[kData + 3]);
    params.kd4Lock = Switch(answer[kData + 4]);
}

std::int32_t DecodeLevelValue(const Report& answer) noexcept {
    return ReadBigEndian32(answer, kData);
}

bool DecodeStoreAnswer(const Report& answer, DeviceParams& params,
                       const ModelProfile& profile) noexcept {
    if (answer[0] != kReportHead || answer[5] != kReadFlag) return false;
    const std::uint8_t which = answer[3];
    if (which == block::kSettings) {
        DecodeSettingsBlock(answer, params, profile.settingsLayout);
    } else if (which == block::kSliderGain) {
        DecodeSliderGainBlock(answer, params, profile.sliderBlock, profile.gain2Range);
    } else if (const int band = BandOfBlock(which); band != 0) {
        DecodeBandBlock(answer, band, params);
    } else {
        return false;
    }
    return true;
}

}  // namespace quavelo
