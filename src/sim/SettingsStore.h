#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "device/DeviceMap.h"
#include "device/ModelProfile.h"
#include "device/Report.h"

namespace quavelo {

// The settings store of a simulated device: 256 bytes at the settings-store addresses
// 0x0000..0x00FF. The blocks lie inside it at their addresses: block 0x00 (10 bytes), the band
// blocks 0x10, 0x18, 0x20, 0x28 and 0x30 (4 bytes each) and block 0x40 (5 bytes on the TORVA, 9
// on the KD4); the other bytes are kept but never used.
inline constexpr std::size_t kSettingsStoreSize = 256;
using SettingsStoreImage = std::array<std::uint8_t, kSettingsStoreSize>;

// Where the KD4's own controls keep their settings in its store (the layouts of blocks 0x00
// and 0x40), and so where its status block takes them from.
namespace storebyte {
inline constexpr std::uint8_t kBalance = store::kSettingsBlock + 5;
inline constexpr std::uint8_t kMicGain = store::kSettingsBlock + 7;
inline constexpr std::uint8_t kGain2Kd4 = store::kSliderGainBlock + 5;
inline constexpr std::uint8_t kMuteKd4 = store::kSliderGainBlock + 6;
inline constexpr std::uint8_t kLockKd4 = store::kSliderGainBlock + 7;
}  // namespace storebyte

// The store of a new device of `model`: the panel's initial settings written with the model's own
// block layouts, zeros elsewhere.
SettingsStoreImage InitialSettingsStore(Model model);

// Settings-store writes and reads over one image. Not thread-safe: its owner guards it.
class SettingsStore {
  public:
    explicit SettingsStore(const SettingsStoreImage& image) : image_(image) {}

    // Stores `data` (at most the 10 bytes a report carries; more is cut off) at `address`. False,
    // and nothing stored, when the bytes would pass the end of the store.
    bool Write(std::uint16_t address, std::span<const std::uint8_t> data) noexcept;

    // The answer to a read request for `count` bytes at `address`: the request's header with
    // byte 5 = 0x01 and the stored bytes from byte 6 (at most 10). nullopt when the bytes asked
    // for pass the end of the store.
    std::optional<Report> Answer(std::uint16_t address, std::uint8_t count) const noexcept;

    // The KD4 status block 0x50 the device sends of itself: micGain, gain2, the monitor balance,
    // the mute switch and the lock, as the store holds them.
    Report StatusBlock() const noexcept;

    std::uint8_t Byte(std::uint8_t address) const noexcept { return image_[address]; }
    void SetByte(std::uint8_t address, std::uint8_t value) noexcept { image_[address] = value; }

    const SettingsStoreImage& Image() const noexcept { return image_; }
    void Replace(const SettingsStoreImage& image) noexcept { image_ = image; }

  private:
    SettingsStoreImage image_;
};

}  // namespace quavelo
