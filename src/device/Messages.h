#pragma once

#include <string_view>

// Marks a text for the translation catalogues without translating it: the expansion is the text
// itself, in English, and the catalogue holds it under `context`. Whoever shows the text looks it
// up there in the user's language (the panel through its translator, the command-line tool
// through language/Catalogue.h).
#define QUAVELO_TRANSLATE_NOOP(context, text) text

namespace quavelo {

// The texts the panel and the command-line tool show their users, in one place. Each is handed
// over as written here and shown in the user's language, looked up in the catalogue's context
// kMessagesContext.
inline constexpr const char* kMessagesContext = "Messages";

namespace message {
// A Reset, a preset recall or the settings push could not reach the device.
inline constexpr std::string_view kSendFailed = QUAVELO_TRANSLATE_NOOP("Messages", "Send failed");
// The settings could not be read back after opening the device.
inline constexpr std::string_view kReadBackFailed =
    QUAVELO_TRANSLATE_NOOP("Messages", "Read para fail.");
// A change that must wait while the device is still busy with the last one.
inline constexpr std::string_view kPleaseWait = QUAVELO_TRANSLATE_NOOP("Messages", "Please Wait");
}  // namespace message

// The texts of a page's preset Save and Read, which differ between the models' pages.
struct PresetMessages {
    std::string_view noSlot;       // Save or Read before a slot was chosen
    std::string_view confirmSave;  // asked before a slot is overwritten
    std::string_view confirmRead;  // asked before a slot is recalled
    std::string_view notSaved;     // the slot is empty or its file unusable
};
inline constexpr PresetMessages kTorvaPresetMessages{
    QUAVELO_TRANSLATE_NOOP("Messages", "No preset slot selected"),
    QUAVELO_TRANSLATE_NOOP("Messages", "Replace the preset?"),
    QUAVELO_TRANSLATE_NOOP("Messages", "Recall the preset?"),
    QUAVELO_TRANSLATE_NOOP("Messages", "Not saved")};
inline constexpr PresetMessages kKd4PresetMessages{
    QUAVELO_TRANSLATE_NOOP("Messages", "Dont select the saving sequence number"),
    QUAVELO_TRANSLATE_NOOP("Messages", "Do you replace preset settings?"),
    QUAVELO_TRANSLATE_NOOP("Messages", "Do you recall preset settings?"),
    QUAVELO_TRANSLATE_NOOP("Messages", "Not saved")};

}  // namespace quavelo
