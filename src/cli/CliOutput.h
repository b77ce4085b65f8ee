#pragma once

#include <optional>
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

// An attached device and, when it could not be opened, why.
struct ListedDevice {
    HidDeviceInfo info;
    std::optional<OpenError> refusal;
};

// The attached devices of either model, one line each: model, vvvv:pppp (lower-case hex), node,
// serial number ("-" for none) and state: "ok", "in-use (pid N)", "no-access (reason)" or
// "failed (reason)". With `json` an array of objects with model, id, path, serial, state and
// the reason or the holder's pid.
void PrintDeviceList(std::ostream& out, const std::vector<ListedDevice>& devices, bool json);

}  // namespace quavelo
