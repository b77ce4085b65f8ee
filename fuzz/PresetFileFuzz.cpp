// Feeds arbitrary bytes as a preset file: whatever a damaged or hostile file holds, recalling it on
// either page keeps the model inside its ranges, and both previews format without trouble.

#include <algorithm>

#include "device/PresetFile.h"
#include "device/PresetPreview.h"
#include "fuzz/FuzzReports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quavelo;
    if (size < kPresetFileSize) return 0;  // a short file is an empty slot and is never decoded
    PresetImage image{};
    std::copy_n(data, kPresetFileSize, image.begin());
    const PresetFields fields = DecodePresetImage(image);
    for (Model model : kModels) {
        DeviceParams params;
        params.ResetToInitialValues();
        params.deviceModel = model;
        ApplyPreset(fields, params, ProfileOf(model));
        fuzz::RequireInRange(params);
        MakePresetPreview(ProfileOf(model), fields);
    }
    return 0;
}
