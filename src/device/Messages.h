#pragma once

#include <string_view>

namespace quavelo {

// The texts the panel and the command-line tool show their users, in one place.
namespace message {
// A Reset, a preset recall or the settings push could not reach the device.
inline constexpr std::string_view kSendFailed = "发送失败";
// The settings could not be read back after opening the device.
inline constexpr std::string_view kReadBackFailed = "Read para fail.";
// A change that must wait while the device is still busy with the last one.
inline constexpr std::string_view kPleaseWait = "Please Wait";
}  // namespace message

// The texts of a page's preset Save and Read, which differ between the models' pages.
struct PresetMessages {
    std::string_view noSlot;       // Save or Read before a slot was chosen
    std::string_view confirmSave;  // asked before a slot is overwritten
    std::string_view confirmRead;  // asked before a slot is recalled
    std::string_view notSaved;     // the slot is empty or its file unusable
};
inline constexpr PresetMessages kTorvaPresetMessages{"没有选择保存序号", "是否替换预设设置?",
                                                     "是否调用预设设置?", "没有保存"};
inline constexpr PresetMessages kKd4PresetMessages{"Dont select the saving sequence number",
                                                   "Do you replace preset settings?",
                                                   "Do you recall preset settings?", "没有保存"};

}  // namespace quavelo
