#pragma once

#include <map>

#include "support/ParamsInRange.h"

namespace quavelo::test {

// Every user setting of `params` by field name, for comparing a whole model before and after an
// action. Hand-shake flags and the level are left out: they are not settings.
inline std::map<std::string, int> SettingsByName(const DeviceParams& params) {
    std::map<std::string, int> byName;
    for (const NamedField& field : SettingsFields(params)) byName[field.name] = field.value;
    return byName;
}

}  // namespace quavelo::test
