#include "shell/HotkeyOption.h"

#include "shell/options/IniFile.h"
#include "shell/options/Options.h"

namespace pastimo {

HotkeyOption HotkeyOptionFromValue(const std::optional<std::string>& value, const Hotkey& defaultHotkey) {
    HotkeyOption option;
    if (!value) {
        option.hotkey = defaultHotkey;
    } else if (!value->empty()) {
        HotkeyReading reading = ParseHotkey(*value);
        option.hotkey = reading.hotkey;
        if (!reading.hotkey) option.problem = "The hotkey \"" + *value + "\" could not be read: " + reading.error;
    }
    return option;
}

HotkeyOption LoadHotkeyOption(const std::string& programFolder, FileSystem& fileSystem, const char* key) {
    const IniFile file(OptionsFilePath(programFolder), fileSystem);
    const bool pick = std::string(key) == kPickHotkeyKey;
    return HotkeyOptionFromValue(file.FindString(kHotkeySection, key), pick ? DefaultPickHotkey() : DefaultHotkey());
}

std::string HotkeyUnusableLine(const Hotkey& hotkey, const std::string& reason) {
    return "The hotkey " + FormatHotkey(hotkey) + " could not be used: " + reason;
}

std::string HotkeyRefusalReason(uint32_t systemError) {
    if (systemError == winapi::kErrorHotkeyAlreadyRegistered) return "another program holds it.";
    return "Windows refused it (error " + std::to_string(systemError) + ").";
}

}  // namespace pastimo
