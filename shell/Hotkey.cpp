#include "shell/Hotkey.h"

#include "toolkit/AsciiText.h"
#include "toolkit/Unicode.h"

#include <vector>

namespace pastimo {
namespace {

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

struct Name {
    const char* text;
    uint32_t value;
};

// In the canonical order.
constexpr Name kModifiers[] = {{"Win", hmWin}, {"Ctrl", hmCtrl}, {"Alt", hmAlt}, {"Shift", hmShift}};

constexpr Name kNamedKeys[] = {
    {"Space", winapi::kVkSpace}, {"Insert", winapi::kVkInsert}, {"Home", winapi::kVkHome},
    {"End", winapi::kVkEnd},     {"PageUp", winapi::kVkPrior},  {"PageDown", winapi::kVkNext},
};

constexpr int kFunctionKeys = static_cast<int>(winapi::kVkF24 - winapi::kVkF1) + 1;

std::optional<uint32_t> ModifierNamed(std::string_view name) {
    for (const Name& m : kModifiers)
        if (SameIgnoringAsciiCase(name, m.text)) return m.value;
    return std::nullopt;
}

std::string ModifierName(uint32_t modifier) {
    for (const Name& m : kModifiers)
        if (m.value == modifier) return m.text;
    return std::string();
}

std::optional<uint32_t> FunctionKeyNamed(std::string_view name) {
    if (name.size() < 2 || AsciiUpper(name[0]) != 'F' || name[1] == '0') return std::nullopt;
    const std::optional<uint64_t> number = ParseDigits(name.substr(1), kFunctionKeys);
    if (!number) return std::nullopt;
    return winapi::kVkF1 + static_cast<uint32_t>(*number - 1);
}

// A key by its name, or by the one character it types.
std::optional<Hotkey> KeyNamed(std::string_view name) {
    Hotkey key;
    for (const Name& k : kNamedKeys)
        if (SameIgnoringAsciiCase(name, k.text)) {
            key.virtualKey = k.value;
            return key;
        }
    if (const auto f = FunctionKeyNamed(name)) {
        key.virtualKey = *f;
        return key;
    }
    if (name.size() == 1 && IsLetterOrDigit(name[0])) {
        // The virtual key of a letter or digit is its upper-case ASCII code.
        key.virtualKey = static_cast<unsigned char>(AsciiUpper(name[0]));
        return key;
    }
    if (name.size() == 1 && static_cast<unsigned char>(name[0]) > 0x20 && name[0] != 0x7F &&
        static_cast<unsigned char>(name[0]) < 0x80) {
        key.character = static_cast<char16_t>(name[0]);
        return key;
    }
    // One character beyond ASCII ("ü", "§"), if it is one UTF-16 unit.
    if (IsValidUtf8(name)) {
        const std::u16string units = Utf8ToUtf16(name);
        if (units.size() == 1 && units[0] >= 0xA0) {
            key.character = units[0];
            return key;
        }
    }
    return std::nullopt;
}

std::string KeyName(const Hotkey& key) {
    if (key.virtualKey == 0) return Utf16ToUtf8(std::u16string(1, key.character));
    for (const Name& k : kNamedKeys)
        if (k.value == key.virtualKey) return k.text;
    if (key.virtualKey >= winapi::kVkF1 && key.virtualKey <= winapi::kVkF24)
        return "F" + std::to_string(key.virtualKey - winapi::kVkF1 + 1);
    if (key.virtualKey < 0x80 && IsLetterOrDigit(static_cast<char>(key.virtualKey)))
        return std::string(1, static_cast<char>(key.virtualKey));
    return "key " + std::to_string(key.virtualKey);
}

// The names between the "+" signs. A "+" at the very end after a "+" is the
// plus key itself ("Ctrl++"). Nothing when a name is missing.
std::optional<std::vector<std::string_view>> SplitNames(std::string_view text) {
    std::vector<std::string_view> names;
    size_t begin = 0;
    while (true) {
        const size_t plus = text.find('+', begin);
        const std::string_view name =
            TrimBlanks(text.substr(begin, plus == std::string_view::npos ? plus : plus - begin));
        if (name.empty()) {
            if (!names.empty() && plus != std::string_view::npos && TrimBlanks(text.substr(plus)) == "+") {
                names.push_back("+");
                return names;
            }
            return std::nullopt;
        }
        names.push_back(name);
        if (plus == std::string_view::npos) return names;
        begin = plus + 1;
    }
}

HotkeyReading Unreadable(std::string error) { return HotkeyReading{std::nullopt, std::move(error)}; }

}  // namespace

HotkeyReading ParseHotkey(std::string_view text) {
    if (TrimBlanks(text).empty()) return Unreadable("it names no key.");
    const auto names = SplitNames(text);
    if (!names) return Unreadable("a name is missing before or after a \"+\".");

    Hotkey hotkey;
    std::optional<Hotkey> key;
    for (const std::string_view name : *names) {
        if (const auto modifier = ModifierNamed(name)) {
            if (hotkey.modifiers & *modifier) return Unreadable("it names " + ModifierName(*modifier) + " twice.");
            hotkey.modifiers |= *modifier;
            continue;
        }
        const auto named = KeyNamed(name);
        if (!named) return Unreadable("\"" + std::string(name) + "\" is not the name of a modifier or a key.");
        if (key) {
            if (*key == *named) return Unreadable("it names " + KeyName(*named) + " twice.");
            return Unreadable("it names two keys, " + KeyName(*key) + " and " + KeyName(*named) +
                              ", and a hotkey has one.");
        }
        key = named;
    }
    if (!key) return Unreadable("it names only modifiers and no key.");

    hotkey.virtualKey = key->virtualKey;
    hotkey.character = key->character;
    // A key that types or edits would be taken from every other program;
    // only the function keys are left to the user on their own or with Shift.
    const bool functionKey = hotkey.virtualKey >= winapi::kVkF1 && hotkey.virtualKey <= winapi::kVkF24;
    if (!functionKey && (hotkey.modifiers & (hmCtrl | hmAlt | hmWin)) == 0)
        return Unreadable(KeyName(hotkey) + " needs Ctrl, Alt or Win with it, or other programs would lose that key.");
    return HotkeyReading{hotkey, std::string()};
}

std::string FormatHotkey(const Hotkey& hotkey) {
    std::string text;
    for (const Name& m : kModifiers)
        if (hotkey.modifiers & m.value) text.append(m.text).append("+");
    return text + KeyName(hotkey);
}

// Win+Shift+F2. Programs leave the Win key to Windows, and Windows has no
// Win+Shift with a function key. Ctrl+Shift and Alt+Shift with letters,
// digits and function keys are taken by browsers, office suites and IDEs;
// Alt+Shift alone switches the input language; Ctrl+Alt is AltGr on many
// layouts; punctuation keys move between layouts. F2 lies under the left
// hand beside Win and Shift, and unlike F4 closes nothing when a modifier
// slips.
Hotkey DefaultHotkey() {
    Hotkey hotkey;
    hotkey.modifiers = hmWin | hmShift;
    hotkey.virtualKey = winapi::kVkF1 + 1;  // F2
    return hotkey;
}

// Beside the window's own, on the same free pair of modifiers: F3.
Hotkey DefaultPickHotkey() {
    Hotkey hotkey;
    hotkey.modifiers = hmWin | hmShift;
    hotkey.virtualKey = winapi::kVkF1 + 2;  // F3
    return hotkey;
}

HotkeyKeys KeysOfHotkey(const Hotkey& hotkey, int16_t layoutKey) {
    HotkeyKeys keys;
    keys.modifiers = hotkey.modifiers;
    if (hotkey.virtualKey != 0) {
        keys.virtualKey = hotkey.virtualKey;
        return keys;
    }
    const std::string character = "\"" + KeyName(hotkey) + "\"";
    const uint16_t answer = static_cast<uint16_t>(layoutKey);
    const uint32_t virtualKey = answer & 0xFF;
    const uint32_t shiftState = answer >> 8;
    if (layoutKey == -1 || virtualKey == 0xFF || virtualKey == 0) {
        keys.problem = "no key types " + character + " on this keyboard layout.";
    } else if ((shiftState & 0x6) == 0x6) {
        keys.problem = "on this keyboard layout " + character + " is typed with AltGr, which a hotkey cannot use.";
    } else if (shiftState & ~1u) {
        keys.problem =
            "on this keyboard layout " + character + " is typed with Ctrl or Alt, which a hotkey cannot use.";
    } else {
        keys.virtualKey = virtualKey;
        if (shiftState & 1) keys.modifiers |= hmShift;
    }
    return keys;
}

}  // namespace pastimo
