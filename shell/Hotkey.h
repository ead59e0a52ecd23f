#pragma once
// A global hotkey as the user writes it: modifiers and one key joined by "+"
// ("Ctrl+Shift+F11"), read from text and written back in one canonical form.
// Portable: no Windows headers.

#include "toolkit/WindowsNumbers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pastimo {

// The modifier bits, the same as RegisterHotKey's.
enum THotkeyModifier : uint32_t {
    hmAlt = winapi::kModAlt,
    hmCtrl = winapi::kModControl,
    hmShift = winapi::kModShift,
    hmWin = winapi::kModWin,
};

struct Hotkey {
    uint32_t modifiers = 0;   // THotkeyModifier bits
    uint32_t virtualKey = 0;  // a key with a name (F11, A, Space); 0 for a character key
    char16_t character = 0;   // a key named by the character it types ("/"), found in the keyboard layout

    friend bool operator==(const Hotkey& a, const Hotkey& b) {
        return a.modifiers == b.modifiers && a.virtualKey == b.virtualKey && a.character == b.character;
    }
    friend bool operator!=(const Hotkey& a, const Hotkey& b) { return !(a == b); }
};

// A hotkey read from text, or why it could not be.
struct HotkeyReading {
    std::optional<Hotkey> hotkey;
    std::string error;  // completes "could not be read: "; empty when read
};

// Names in any order and case, blanks around them allowed: the modifiers
// Ctrl, Alt, Shift and Win, and one key: A-Z, 0-9, F1-F24, Space, Insert,
// Home, End, PageUp, PageDown, or a character its key types ("/", "+" last).
HotkeyReading ParseHotkey(std::string_view text);

// The canonical text: modifiers in the order Win, Ctrl, Alt, Shift, then
// the key ("Win+Shift+F2", "Ctrl+/").
std::string FormatHotkey(const Hotkey& hotkey);

// The hotkey used when the options file names none.
Hotkey DefaultHotkey();
// The quick-pick window's, when the options file names none.
Hotkey DefaultPickHotkey();

// What RegisterHotKey is given, or why a character key cannot be had.
struct HotkeyKeys {
    uint32_t modifiers = 0;
    uint32_t virtualKey = 0;
    std::string problem;  // completes "could not be used: "; empty when found
};

// The hotkey's keys. For a character key, `layoutKey` is what VkKeyScanW
// answers for its character in the current keyboard layout (low byte the
// virtual key, high byte the shift state: 1 Shift, 2 Ctrl, 4 Alt; -1 when no
// key types it); a character typed with Shift adds Shift to the modifiers.
HotkeyKeys KeysOfHotkey(const Hotkey& hotkey, int16_t layoutKey);

}  // namespace pastimo
