#pragma once

#include <ostream>
#include <vector>

#include "device/DeviceParams.h"
#include "device/PresetPreview.h"
#include "link/HidBackend.h"

namespace quavelo {

// Every setting of the model, one "name value" line each, or with `json` one object keyed by the
// parameter model's field names (band sets as arrays of five {freq, gain, q} in device units).
void PrintSettings(std::ostream& out, const DeviceParams& params, bool json);

// A preset slot's preview as the model's page shows it.
void PrintPresetPreview(std::ostream& out, std::int32_t model, const PresetFields& fields,
                        bool json);

// The equaliser response the panel's graph draws for the graph bands: 241 lines "<Hz> <dB>"
// (dB with 4 decimals), or a JSON array of {hz, db}.
void PrintCurve(std::ostream& out, const DeviceParams& params, bool json);

// One level reading, as the model's poller takes it.
struct LevelReading {
    std::int32_t first = 0;
    std::int32_t second = 0;  // TORVA only
};
void PrintLevels(std::ostream& out, std::int32_t model, const std::vector<LevelReading>& readings,
                 bool json);

// The attached devices of either model: model, vvvv:pppp (lower-case hex), path, and why one
// cannot be opened.
void PrintDeviceList(std::ostream& out, const std::vector<HidDeviceInfo>& devices, bool json);

// The model an interface belongs to by its ids, or kModelNone.
std::int32_t ModelOfIds(std::uint16_t vendorId, std::uint16_t productId);

}  // namespace quavelo
