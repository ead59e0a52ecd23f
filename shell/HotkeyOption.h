#pragma once
// The hotkeys: option SHOW of section HOTKEY in the options file brings the
// window up, option PICK opens the quick-pick window; and the line the Help
// page shows when one cannot be used.
// Portable: no Windows headers.

#include "library/FileSystem.h"
#include "shell/Hotkey.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pastimo {

constexpr const char* kHotkeySection = "HOTKEY";
constexpr const char* kShowHotkeyKey = "SHOW";
constexpr const char* kPickHotkeyKey = "PICK";

// The option as start-up finds it.
struct HotkeyOption {
    std::optional<Hotkey> hotkey;  // the hotkey to register; nothing when off or unreadable
    std::string problem;           // the Help page's line when the value cannot be read
};

// From the stored value: none (no section or key) gives the default, an
// empty value turns the hotkey off, anything else is read.
HotkeyOption HotkeyOptionFromValue(const std::optional<std::string>& value,
                                   const Hotkey& defaultHotkey = DefaultHotkey());

// The option `key` (kShowHotkeyKey or kPickHotkeyKey) in OPTION1.INI of
// `programFolder`; nothing is ever written back. A file that cannot be read
// counts as absent, as for the other options.
HotkeyOption LoadHotkeyOption(const std::string& programFolder, FileSystem& fileSystem = PlatformFileSystem(),
                              const char* key = kShowHotkeyKey);

// The Help page's line for a hotkey that was read but could not be had:
// "The hotkey Ctrl+Shift+F11 could not be used: " + reason.
std::string HotkeyUnusableLine(const Hotkey& hotkey, const std::string& reason);

// Why RegisterHotKey refused, from its GetLastError() code.
std::string HotkeyRefusalReason(uint32_t systemError);

}  // namespace pastimo
