#include "link/LinkState.h"

#include <algorithm>
#include <utility>

namespace quavelo {

namespace {

char Lower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string LinkState::DevicePath() const {
    std::lock_guard lock(pathLock_);
    return devicePath_;
}

void LinkState::SetDevicePath(std::string path) {
    std::lock_guard lock(pathLock_);
    devicePath_ = std::move(path);
}

bool LinkState::IsDevicePath(std::string_view path) const {
    std::lock_guard lock(pathLock_);
    return SamePathIgnoringCase(devicePath_, path);
}

bool SamePathIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace quavelo
