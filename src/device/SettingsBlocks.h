#pragma once

#include <array>
#include <cstdint>

#include "device/DeviceParams.h"
#include "device/Report.h"

namespace quavelo {

// The settings store keeps a copy of the user-level settings on the device, in small blocks
// addressed by the low byte of the address. This file holds both directions for both models:
// the StoreWrite reports built from the parameter model, and the decoders of the answers to
// StoreRead requests. The commands, the simulated device and the preset code share them.

// Block 0x00, 10 bytes: stereo, limiterOn, limiterLevel, hpfOn, hpfFreq, monitor balance, gain2,
// micGain, eqEnabled, 1 - eqMode (each the low byte of the field). In the Kd4 layout 0x00 stands in
// place of stereo (byte 6) and 0xAA in place of gain2 (byte 12).
Report SettingsBlock(const DeviceParams& params, SettingsLayout layout) noexcept;
// Block 0x40: the five sliderBands gains in whole dB, band 1 first (5 bytes); GainsAndStatus
// adds gain2, kd4Mute, kd4Lock and kd4Indicator (9 bytes).
Report SliderGainBlock(const DeviceParams& params, SliderBlockLayout layout) noexcept;
std::uint8_t SliderGainBlockSize(SliderBlockLayout layout) noexcept;
// Block 0x10 + 8 (band - 1), 4 bytes: graph band `band` (1..5; held inside) as frequency high
// byte, frequency low byte, q / 10 and the gain in whole dB.
Report BandBlock(const DeviceParams& params, int band) noexcept;

// Which block an answer belongs to (its byte 3), and the blocks the read-back asks for.
namespace block {
inline constexpr std::uint8_t kSettings = 0x00;
inline constexpr std::uint8_t kSliderGain = 0x40;
inline constexpr std::uint8_t kBand1 = 0x10;
inline constexpr std::uint8_t kBand5 = 0x30;
inline constexpr std::uint8_t kStatus = 0x50;  // sent by a device on its own (KD4)
inline constexpr std::uint8_t kLevel = 0xAE;   // a level value, not a store block
}  // namespace block

// Graph band 1..5 stored in `block`, or 0 when it is no band block.
int BandOfBlock(std::uint8_t block) noexcept;

struct StoreBlockRequest {
    std::uint16_t address;
    std::uint8_t count;
};
// The seven blocks a read-back asks for, in order: 0x00, 0x40 (of the model's size) and the five
// band blocks.
std::array<StoreBlockRequest, 7> ReadBackBlocks(const ModelProfile& profile) noexcept;

// Decoders of answers whose header has been checked by the caller. They read data bytes 6..15
// and store every value held inside its field's range, so a hostile answer can never leave the
// model out of range (micGain, for one, indexes a 48-entry table).

// Block 0x00: every field of the block; in the Kd4 layout bytes 6 (stereo) and 12 (gain2) are not
// read.
void DecodeSettingsBlock(const Report& answer, DeviceParams& params,
                         SettingsLayout layout) noexcept;
// Block 0x40: the five sliderBands gains; GainsAndStatus also gain2 (held in `gain2Range`),
// kd4Mute, kd4Lock and kd4Indicator.
void DecodeSliderGainBlock(const Report& answer, DeviceParams& params, SliderBlockLayout layout,
                           ParamRange gain2Range) noexcept;
// A band block into graph band `band` (1..5; other bands are ignored): frequency and gain. A
// frequency of 0 becomes the band's initial frequency; q is not read.
void DecodeBandBlock(const Report& answer, int band, DeviceParams& params) noexcept;
// The status block 0x50 a device sends when a setting changes on it: micGain, gain2 (held in
// `gain2Range`), the monitor pair, kd4Mute, kd4Lock.
void DecodeStatusBlock(const Report& answer, DeviceParams& params, ParamRange gain2Range) noexcept;
// A level value: bytes 6..9, big-endian. Full scale is 2^21.
std::int32_t DecodeLevelValue(const Report& answer) noexcept;

// Decodes a read-back answer by its block (byte 3) in the layouts of `profile`. False, and the
// model untouched, for a report that is no settings-store answer (byte 0 not 0xFF, byte 5 not
// 0x01) or names no block of the read-back.
bool DecodeStoreAnswer(const Report& answer, DeviceParams& params,
                       const ModelProfile& profile) noexcept;

}  // namespace quavelo
