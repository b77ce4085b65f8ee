#include "device/DeviceParams.h"

namespace quavelo {

namespace {

void ResetBandSet(std::array<EqBand, kBandSlots>& bands) noexcept {
    for (int i = 0; i < kBandSlots; ++i) {
        EqBand& band = bands[i];
        const bool used = i < kEqBands;
        band.freq = used ? kDefaultBandFreq[i] : 0;
        band.gain = used ? kDefaultBandGain : 0;
        band.q = used ? kDefaultBandQ : 0;
        band.filterType = 0;
    }
}

}  // namespace

void DeviceParams::ResetToInitialValues() noexcept {
    ResetBandSet(graphBands);
    ResetBandSet(sliderBands);
    monitorMicCut = 0;
    monitorPlaybackCut = 80;
    hpfFreq = 1;
    hpfOn = 1;
    limiterLevel = 1;
    limiterOn = 1;
    eqEnabled = 1;
    eqMode = 0;
}

int BlockSeenIndex(std::uint8_t block) noexcept {
    switch (block) {
        case 0x00:
            return 0;
        case 0x40:
            return 1;
        case 0x10:
            return 2;
        case 0x18:
            return 3;
        case 0x20:
            return 4;
        case 0x28:
            return 5;
        default:
            return -1;
    }
}

}  // namespace quavelo
