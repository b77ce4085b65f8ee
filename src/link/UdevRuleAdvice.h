#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quavelo {

// The udev rule that lets the user at the computer open the hidraw nodes of every model (res/).
inline constexpr std::string_view kUdevRuleName = "70-quavelo.rules";

// The folders udev reads rules from: /etc/udev/rules.d, /usr/lib/udev/rules.d, /lib/udev/rules.d.
std::vector<std::filesystem::path> UdevRuleFolders();

// What to do about a device this user may not open, after looking for the rule in `folders`:
// install the rule (saying where it was looked for) and replug; or, when it is installed, replug
// or re-trigger udev, and that the rule admits the user of the local session only.
std::string UdevRuleAdvice(const std::vector<std::filesystem::path>& folders);

}  // namespace quavelo
