// The hotkey registered for real windows under Wine: held by another window,
// freed on destruction, a character key found in the real keyboard layout.
// Pressing it is the end-to-end tests' part.
#include "shell/win32/GlobalHotkey.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace pastimo {
namespace {

// A hidden window of this thread for the hotkeys.
class HotkeyWindow {
public:
    HotkeyWindow()
        : FHandle(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~HotkeyWindow() { DestroyWindow(FHandle); }
    HotkeyWindow(const HotkeyWindow&) = delete;
    HotkeyWindow& operator=(const HotkeyWindow&) = delete;

    HWND Handle() const { return FHandle; }

private:
    HWND FHandle;
};

Hotkey Parsed(const char* text) {
    const HotkeyReading reading = ParseHotkey(text);
    EXPECT_TRUE(reading.hotkey) << text << ": " << reading.error;
    return reading.hotkey.value_or(Hotkey());
}

// Whether nobody holds the keys: a plain registration of them succeeds.
bool KeysAreFree(HWND window, UINT modifiers, UINT virtualKey) {
    if (!RegisterHotKey(window, 0xB000, modifiers, virtualKey)) return false;
    UnregisterHotKey(window, 0xB000);
    return true;
}

TEST(GlobalHotkey, SecondWindowFindsItHeldUntilTheFirstLetsGo) {
    HotkeyWindow first, second;
    const HotkeyOption option = HotkeyOptionFromValue(std::string("Ctrl+Shift+F11"));

    std::string secondProblem;
    {
        GlobalHotkey held(first.Handle(), option);
        EXPECT_EQ(held.Error(), 0u);
        EXPECT_EQ(held.Problem(), "");
        EXPECT_FALSE(KeysAreFree(second.Handle(), MOD_CONTROL | MOD_SHIFT, VK_F11));

        GlobalHotkey refused(second.Handle(), option);
        EXPECT_EQ(refused.Error(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
        EXPECT_EQ(refused.Problem(), "The hotkey Ctrl+Shift+F11 could not be used: another program holds it.");
        EXPECT_NE(refused.Id(), held.Id());
    }
    // Both are gone: the one that held the keys gave them back.
    EXPECT_TRUE(KeysAreFree(second.Handle(), MOD_CONTROL | MOD_SHIFT, VK_F11));
    GlobalHotkey again(second.Handle(), option);
    EXPECT_EQ(again.Problem(), "");
    EXPECT_FALSE(KeysAreFree(first.Handle(), MOD_CONTROL | MOD_SHIFT, VK_F11));
}

TEST(GlobalHotkey, CharacterKeyIsFoundInTheKeyboardLayout) {
    // The test display's keyboard is the US layout: "/" and "?" share a key.
    ASSERT_EQ(LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0))), 0x0409);
    HotkeyWindow window, other;

    GlobalHotkey slash(window.Handle(), Parsed("Alt+Win+/"));
    EXPECT_EQ(slash.Problem(), "");
    EXPECT_FALSE(KeysAreFree(other.Handle(), MOD_ALT | MOD_WIN, VK_OEM_2));

    // "?" is typed with Shift, so its hotkey is Shift and the same key.
    GlobalHotkey question(window.Handle(), Parsed("Alt+Win+?"));
    EXPECT_EQ(question.Problem(), "");
    EXPECT_FALSE(KeysAreFree(other.Handle(), MOD_ALT | MOD_WIN | MOD_SHIFT, VK_OEM_2));

    GlobalHotkey notOnThisLayout(window.Handle(), Parsed("Alt+Win+\xC3\xA9"));  // é
    EXPECT_EQ(notOnThisLayout.Problem(),
              "The hotkey Win+Alt+\xC3\xA9 could not be used: no key types \"\xC3\xA9\" on this keyboard layout.");
}

}  // namespace
}  // namespace pastimo
