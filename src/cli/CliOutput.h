#pragma once

#include <ostream>
#include <vector>

#include "device/DeviceParams.h"
#include "device/PresetPreview.h"
#include "device/ValueDisplay.h"
#include "link/HidBackend.h"

namespace quavelo {

// Every setting of the model, one "name value" line each, or with `json` one object keyed by the
// parameter model's field names (band sets as arrays of five {freq, gain, q} in device units).
void PrintSettings(std::ostream& out, const DeviceParams& params, bool json);

// A preset slot's preview as the model's page shows it.
void PrintPresetPreview(std::ostream& out, const ModelProfile& profile, const PresetFields& fields,
                        bool json);

// The equaliser response the panel's graph draws for the graph bands: 241 lines "<Hz> <dB>"
// (dB with 4 decimals), or a JSON array of {hz, db}.
void PrintCurve(std::ostream& out, const DeviceParams& params, bool json);

// Level readings as the model's poller takes them: percent and raw values per meter.
void PrintLevels(std::ostream& out, const ModelProfile& profile,
                 const std::vector<LevelReading>& readings, bool json);

// The attached devices of either model: model, vvvv:pppp (lower-case hex), path, and why one
// cannot be opened.
void PrintDeviceList(std::ostream& out, const std::vector<HidDeviceInfo>& devices, bool json);

}  // namespace quavelo
