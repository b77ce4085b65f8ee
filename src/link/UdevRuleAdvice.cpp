#include "link/UdevRuleAdvice.h"

#include <system_error>

namespace quavelo {

std::vector<std::filesystem::path> UdevRuleFolders() {
    return {"/etc/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

std::string UdevRuleAdvice(const std::vector<std::filesystem::path>& folders) {
    std::string looked;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::filesystem::path rule = folders[i] / kUdevRuleName;
        std::error_code ec;
        if (std::filesystem::is_regular_file(rule, ec)) {
            return "the udev rule is installed (" + rule.string() +
                   ") but has not reached this device: unplug it and plug it in again, or run "
                   "'sudo udevadm control --reload-rules && sudo udevadm trigger "
                   "--subsystem-match=hidraw --action=change'; the rule admits the user of the "
                   "computer's local session, not a remote login";
        }
        looked += (i == 0 ? "" : i + 1 == folders.size() ? " and " : ", ") + folders[i].string();
    }
    return "the udev rule " + std::string(kUdevRuleName) + " is not installed (looked in " +
           looked +
           "): install it (the quavelo package does; from a build folder: sudo cp "
           "res/70-quavelo.rules /etc/udev/rules.d/), then unplug the device and plug it in again";
}

}  // namespace quavelo
