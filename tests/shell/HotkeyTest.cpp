// Reading a hotkey from its text, writing it back, and finding a character
// key's virtual key from the keyboard layout's answer.
#include "shell/Hotkey.h"

#include <gtest/gtest.h>

#include <string>

namespace pastimo {
namespace {

Hotkey Named(uint32_t modifiers, uint32_t virtualKey) {
    Hotkey hotkey;
    hotkey.modifiers = modifiers;
    hotkey.virtualKey = virtualKey;
    return hotkey;
}

Hotkey Typed(uint32_t modifiers, char16_t character) {
    Hotkey hotkey;
    hotkey.modifiers = modifiers;
    hotkey.character = character;
    return hotkey;
}

struct ValidCase {
    const char* text;
    Hotkey hotkey;
    const char* canonical;
};

TEST(ParseHotkey, ReadsNamesInAnyOrderAndCase) {
    const ValidCase cases[] = {
        {"Ctrl+Shift+F11", Named(hmCtrl | hmShift, 0x7A), "Ctrl+Shift+F11"},
        {"f11+SHIFT+ctrl", Named(hmCtrl | hmShift, 0x7A), "Ctrl+Shift+F11"},
        {" Ctrl + Alt +\tq ", Named(hmCtrl | hmAlt, 'Q'), "Ctrl+Alt+Q"},
        {"shift+win+alt+ctrl+pageup", Named(hmWin | hmCtrl | hmAlt | hmShift, 0x21), "Win+Ctrl+Alt+Shift+PageUp"},
        {"Win+0", Named(hmWin, '0'), "Win+0"},
        {"F1", Named(0, 0x70), "F1"},
        {"Shift+F24", Named(hmShift, 0x87), "Shift+F24"},
        {"Ctrl+SPACE", Named(hmCtrl, 0x20), "Ctrl+Space"},
        {"Ctrl+insert", Named(hmCtrl, 0x2D), "Ctrl+Insert"},
        {"Ctrl+Home", Named(hmCtrl, 0x24), "Ctrl+Home"},
        {"Ctrl+End", Named(hmCtrl, 0x23), "Ctrl+End"},
        {"Alt+PageDown", Named(hmAlt, 0x22), "Alt+PageDown"},
        {"Ctrl+Shift+/", Typed(hmCtrl | hmShift, u'/'), "Ctrl+Shift+/"},
        {"Ctrl+ ; ", Typed(hmCtrl, u';'), "Ctrl+;"},
        {"Ctrl++", Typed(hmCtrl, u'+'), "Ctrl++"},
        {"Alt+Shift+ +", Typed(hmAlt | hmShift, u'+'), "Alt+Shift++"},
        {"Ctrl+\xC3\xBC", Typed(hmCtrl, u'\u00FC'), "Ctrl+\xC3\xBC"},  // ü, a key of its own in some layouts
    };
    for (const ValidCase& c : cases) {
        SCOPED_TRACE(c.text);
        const HotkeyReading reading = ParseHotkey(c.text);
        ASSERT_TRUE(reading.hotkey) << reading.error;
        EXPECT_EQ(*reading.hotkey, c.hotkey);
        EXPECT_EQ(reading.error, "");
        EXPECT_EQ(FormatHotkey(*reading.hotkey), c.canonical);
        // The canonical text reads back as the same hotkey.
        EXPECT_EQ(ParseHotkey(c.canonical).hotkey, reading.hotkey);
    }
}

struct BadCase {
    const char* text;
    const char* error;
};

TEST(ParseHotkey, SaysWhatIsWrongWithAValue) {
    const BadCase cases[] = {
        {"", "it names no key."},
        {"Ctrl+Shfit+F11", "\"Shfit\" is not the name of a modifier or a key."},
        {"Control+A", "\"Control\" is not the name of a modifier or a key."},
        {"Ctrl+F25", "\"F25\" is not the name of a modifier or a key."},
        {"Ctrl+F01", "\"F01\" is not the name of a modifier or a key."},
        {"Ctrl+\xFC", "\"\xFC\" is not the name of a modifier or a key."},  // a byte that is no UTF-8
        {"Ctrl+\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\" is not the name of a modifier or a key."},
        {"Ctrl", "it names only modifiers and no key."},
        {"Ctrl+Shift", "it names only modifiers and no key."},
        {"Ctrl+A+B", "it names two keys, A and B, and a hotkey has one."},
        {"F11+Ctrl+/", "it names two keys, F11 and /, and a hotkey has one."},
        {"Ctrl+a+A", "it names A twice."},
        {"Ctrl+Shift+ctrl+F11", "it names Ctrl twice."},
        {"+Ctrl+F11", "a name is missing before or after a \"+\"."},
        {"Ctrl+F11+", "a name is missing before or after a \"+\"."},
        {"Ctrl++F11", "a name is missing before or after a \"+\"."},
        {"Ctrl+++", "a name is missing before or after a \"+\"."},
        {"+", "a name is missing before or after a \"+\"."},
        {"Ctrl Shift F11", "\"Ctrl Shift F11\" is not the name of a modifier or a key."},
        // A key that types or edits would be lost to every other program.
        {"A", "A needs Ctrl, Alt or Win with it, or other programs would lose that key."},
        {"Shift+A", "A needs Ctrl, Alt or Win with it, or other programs would lose that key."},
        {"Shift+Home", "Home needs Ctrl, Alt or Win with it, or other programs would lose that key."},
        {"Shift+/", "/ needs Ctrl, Alt or Win with it, or other programs would lose that key."},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        const HotkeyReading reading = ParseHotkey(c.text);
        EXPECT_FALSE(reading.hotkey);
        EXPECT_EQ(reading.error, c.error);
    }
}

TEST(DefaultHotkey, IsWinShiftF2AndNoAltGrCombination) {
    const Hotkey hotkey = DefaultHotkey();
    EXPECT_EQ(FormatHotkey(hotkey), "Win+Shift+F2");
    EXPECT_NE(hotkey.modifiers & (hmCtrl | hmAlt), static_cast<uint32_t>(hmCtrl | hmAlt));
    EXPECT_EQ(ParseHotkey("Win+Shift+F2").hotkey, hotkey);
}

struct LayoutCase {
    const char* text;
    int16_t layoutKey;  // as VkKeyScanW answers
    uint32_t modifiers;
    uint32_t virtualKey;
    const char* problem;
};

TEST(KeysOfHotkey, TakeACharacterKeyFromTheLayout) {
    const LayoutCase cases[] = {
        // A named key does not depend on the layout.
        {"Ctrl+Shift+F11", -1, hmCtrl | hmShift, 0x7A, ""},
        {"Ctrl+/", 0x00BF, hmCtrl, 0xBF, ""},
        // Typed with Shift (German "/" is Shift+7): the hotkey includes Shift.
        {"Ctrl+/", 0x0137, hmCtrl | hmShift, 0x37, ""},
        {"Ctrl+Shift+?", 0x01BF, hmCtrl | hmShift, 0xBF, ""},
        {"Ctrl+\\", 0x06DB, 0, 0, "on this keyboard layout \"\\\" is typed with AltGr, which a hotkey cannot use."},
        {"Ctrl+\\", 0x02DB, 0, 0,
         "on this keyboard layout \"\\\" is typed with Ctrl or Alt, which a hotkey cannot use."},
        {"Ctrl+\xC3\xBC", -1, 0, 0, "no key types \"\xC3\xBC\" on this keyboard layout."},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto hotkey = ParseHotkey(c.text).hotkey;
        ASSERT_TRUE(hotkey);
        const HotkeyKeys keys = KeysOfHotkey(*hotkey, c.layoutKey);
        EXPECT_EQ(keys.problem, c.problem);
        if (keys.problem.empty()) {
            EXPECT_EQ(keys.modifiers, c.modifiers);
            EXPECT_EQ(keys.virtualKey, c.virtualKey);
        } else {
            EXPECT_EQ(keys.virtualKey, 0u);
        }
    }
}

}  // namespace
}  // namespace pastimo
