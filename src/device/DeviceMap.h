#pragma once

#include <array>
#include <cstdint>

namespace quavelo {

// Processor-memory addresses (DspWrite / DspRead).
namespace dsp {
inline constexpr std::uint16_t kMicGain1 = 0x400E;      // codec gain, first microphone channel
inline constexpr std::uint16_t kMicGain2 = 0x400F;      // codec gain, second microphone channel
inline constexpr std::uint16_t kSafeloadData = 0x0001;  // five words at 0x0001..0x0005
inline constexpr std::uint16_t kSafeloadTarget = 0x0006;
inline constexpr std::uint16_t kSafeloadCount = 0x0007;
inline constexpr std::uint16_t kMonitorPlayback = 0x000A;  // monitor mix: playback gain
inline constexpr std::uint16_t kHighPass = 0x000B;         // Safeload target
inline constexpr std::uint16_t kEqFilter1 = 0x0010;        // filter n at 0x0010 + 5 (n - 1)
inline constexpr std::uint16_t kLimiterGroup1 = 0x0034;    // off, level 1, 2, 3
inline constexpr std::uint16_t kLimiterGroup2 = 0x00A1;    // off, level 1, 2, 3
inline constexpr std::uint16_t kMonoFeedA = 0x00A8;
inline constexpr std::uint16_t kMonoFeedB = 0x00AA;
inline constexpr std::uint16_t kLevel1 = 0x00AE;        // level meter, first channel
inline constexpr std::uint16_t kLevel2 = 0x00B0;        // level meter, second channel (TORVA)
inline constexpr std::uint16_t kMonitorMic = 0x00B1;    // monitor mix: microphone gain
inline constexpr std::uint16_t kMonitorLevel = 0x00B7;  // the monitor level gain2 sets (KD4)

// Safeload target of equaliser filter n (1..5).
constexpr std::uint16_t EqFilter(int n) noexcept {
    return static_cast<std::uint16_t>(kEqFilter1 + 5 * (n - 1));
}
}  // namespace dsp

// Settings-store blocks (StoreWrite / StoreRead); the address's low byte names the block.
namespace store {
inline constexpr std::uint16_t kSettingsBlock = 0x0000;
inline constexpr std::uint16_t kSliderGainBlock = 0x0040;
inline constexpr std::uint16_t kBandBlock1 = 0x0010;   // band n at 0x0010 + 8 (n - 1)
inline constexpr std::uint16_t kStatusBlock = 0x0050;  // sent by a device on its own (KD4)

inline constexpr std::uint8_t kSettingsBlockSize = 10;
inline constexpr std::uint8_t kSliderGainBlockSizeGains = 5;
inline constexpr std::uint8_t kSliderGainBlockSizeWithStatus = 9;
inline constexpr std::uint8_t kBandBlockSize = 4;

// Block address of graph band n (1..5).
constexpr std::uint16_t BandBlock(int n) noexcept {
    return static_cast<std::uint16_t>(kBandBlock1 + 8 * (n - 1));
}
}  // namespace store

// Level values are full scale at 2^21.
inline constexpr std::int32_t kLevelFullScale = 1 << 21;

}  // namespace quavelo
