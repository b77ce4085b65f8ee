#include "sim/SettingsStore.h"

#include <algorithm>

#include "device/DeviceParams.h"
#include "device/ParamRange.h"
#include "device/SettingsBlocks.h"

namespace quavelo {

namespace {

constexpr std::uint8_t kStatusBlockSize = 5;

std::span<const std::uint8_t> DataOf(const Report& write) noexcept {
    return {write.data() + kReportDataOffset, std::min<std::size_t>(write[4], kReportMaxData)};
}

// Whether `count` bytes from `address` lie inside the store; an address past its end holds
// nothing, not even zero bytes.
bool Holds(std::uint16_t address, std::size_t count) noexcept {
    return address < kSettingsStoreSize && address + count <= kSettingsStoreSize;
}

}  // namespace

SettingsStoreImage InitialSettingsStore(Model model) {
    DeviceParams params;
    params.ResetToInitialValues();
    params.deviceModel = model;
    const ModelProfile& profile = ProfileOf(model);
    SettingsStore store(SettingsStoreImage{});
    const Report blocks[] = {SettingsBlock(params, profile.settingsLayout),
                             SliderGainBlock(params, profile.sliderBlock),
                             BandBlock(params, 1),
                             BandBlock(params, 2),
                             BandBlock(params, 3),
                             BandBlock(params, 4),
                             BandBlock(params, 5)};
    for (const Report& block : blocks) {
        store.Write(static_cast<std::uint16_t>(block[2] << 8 | block[3]), DataOf(block));
    }
    return store.Image();
}

bool SettingsStore::Write(std::uint16_t address, std::span<const std::uint8_t> data) noexcept {
    const std::size_t n = std::min(data.size(), kReportMaxData);
    if (!Holds(address, n)) return false;
    std::copy_n(data.begin(), n, image_.begin() + address);
    return true;
}

std::optional<Report> SettingsStore::Answer(std::uint16_t address,
                                            std::uint8_t count) const noexcept {
    const std::size_t n = std::min<std::size_t>(count, kReportMaxData);
    if (!Holds(address, n)) return std::nullopt;
    Report answer = StoreWrite(address, std::span(image_).subspan(address, n));
    answer[5] = kReadFlag;
    return answer;
}

Report SettingsStore::StatusBlock() const noexcept {
    const std::uint8_t data[kStatusBlockSize] = {
        image_[storebyte::kMicGain], image_[storebyte::kGain2Kd4], image_[storebyte::kBalance],
        image_[storebyte::kMuteKd4], image_[storebyte::kLockKd4]};
    Report status = StoreWrite(store::kStatusBlock, data);
    status[5] = kReadFlag;
    return status;
}

}  // namespace quavelo
