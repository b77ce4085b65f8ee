#pragma once

#include <array>
#include <cstdint>

#include "device/ModelProfile.h"
#include "device/ParamRange.h"
#include "device/SharedValue.h"

namespace quavelo {

// A plain copy of one equaliser band, for computing with.
struct EqBandValue {
    std::int32_t freq = 0;  // Hz
    std::int32_t gain = 0;  // tenths of a dB plus 150: 0 = -15.0 dB, 150 = 0 dB, 300 = +15.0 dB
    std::int32_t q = 0;     // tenths: 20 = Q 2.0
    std::int32_t filterType = 0;  // band shape for the response graph; always 0 here
};

// One equaliser band of the parameter model.
struct EqBand {
    SharedInt freq;
    SharedInt gain;
    SharedInt q;
    SharedInt filterType;

    EqBandValue Value() const noexcept { return {freq, gain, q, filterType}; }
};

inline constexpr int kBandSlots = 10;  // records per band set; only the first kEqBands are used
inline constexpr int kEqBands = 5;
inline constexpr int kBlockSeenFlags = 6;

// Frequencies of the five bands after a reset, and the stand-in for a frequency read back as 0.
inline constexpr std::array<std::int32_t, kEqBands> kDefaultBandFreq{100, 250, 1000, 4000, 10000};
inline constexpr std::int32_t kDefaultBandGain = 150;  // 0 dB
inline constexpr std::int32_t kDefaultBandQ = 20;      // Q 2.0

// Every setting of the connected device as the panel knows it, in the device's own integer units,
// with the connection and hand-shake flags. One instance lives for the whole process and is handed
// by reference to every part that uses it. Fields are atomic (SharedInt, HandshakeFlag), so the UI
// thread, the link's reader thread, the level poller and the KD4 send worker may share it.
struct DeviceParams {
    HandshakeFlag commandBusy;                   // a KD4 send job is queued or exchanging reports
    HandshakeFlag pollBusy;                      // a level poller is in the middle of its exchange
    std::array<EqBand, kBandSlots> graphBands;   // parametric set, edited on the response graph
    std::array<EqBand, kBandSlots> sliderBands;  // graphic set at fixed frequencies, five sliders
    SharedInt eqEnabled;
    SharedInt
        eqMode;  // 0 = sliderBands drive the filters, 1 = graphBands; the device holds 1 - eqMode
    SharedInt stereo;  // TORVA only
    SharedInt kd4Lock;
    SharedInt kd4Mute;             // KD4 microphone mute
    SharedInt monitorMicCut;       // dB, 0..80; at most one of the two cuts is non-zero
    SharedInt monitorPlaybackCut;  // dB, 0..80
    SharedInt micGain;             // 0..47 steps of 0.75 dB
    SharedInt gain2;               // TORVA: second gain step 0..47; KD4: monitor level 0..80
    SharedInt hpfFreq;             // 1 = 75 Hz, 2 = 150 Hz
    SharedInt hpfOn;
    SharedInt kd4Indicator;  // KD4 indicator
    SharedInt limiterLevel;  // 1..3
    SharedInt limiterOn;
    SharedInt meterLevel;  // KD4: last level reported, full scale 2^21
    HandshakeFlag meterReady;
    HandshakeFlag statusReady;
    HandshakeFlag readbackDone;
    std::array<SharedInt, kBlockSeenFlags> blockSeen;  // blocks 0x00, 0x40, 0x10, 0x18, 0x20, 0x28
    SharedEnum<Model> deviceModel{Model::Torva};       // the model of the page in use
    HandshakeFlag connected;

    // Gives the record the panel's initial values: the band records, both monitor cuts, the
    // high-pass, limiter and equaliser settings. Every other field keeps its value.
    void ResetToInitialValues() noexcept;
};

// The two band sets: the sliders' (fixed frequencies) and the response graph's. eqMode names the
// one that drives the equaliser filters.
enum class BandSet { Slider = 0, Graph = 1 };
inline BandSet BandSetInUse(const DeviceParams& params) noexcept {
    return params.eqMode == 1 ? BandSet::Graph : BandSet::Slider;
}
inline std::array<EqBand, kBandSlots>& Bands(DeviceParams& params, BandSet set) noexcept {
    return set == BandSet::Graph ? params.graphBands : params.sliderBands;
}
inline const std::array<EqBand, kBandSlots>& Bands(const DeviceParams& params,
                                                   BandSet set) noexcept {
    return set == BandSet::Graph ? params.graphBands : params.sliderBands;
}
// The profile of the model in use.
inline const ModelProfile& ProfileOf(const DeviceParams& params) noexcept {
    return ProfileOf(params.deviceModel);
}

// Index of a read-back block in blockSeen (reader-thread read-backs), or -1 for a block without a
// flag.
int BlockSeenIndex(std::uint8_t block) noexcept;

}  // namespace quavelo
