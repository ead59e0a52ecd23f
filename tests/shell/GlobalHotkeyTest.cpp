// The hotkey registered for real windows under Wine: held by another window,
// freed on destruction, a character key found in the real keyboard layout.
#include "shell/win32/GlobalHotkey.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace pastimo {
namespace {

// A hidden window that keeps the ids of the WM_HOTKEY messages it gets.
class HotkeyWindow {
public:
    HotkeyWindow() {
        static const ATOM atom = [] {
            WNDCLASSW cls{};
            cls.lpfnWndProc = Proc;
            cls.hInstance = GetModuleHandleW(nullptr);
            cls.lpszClassName = L"PastimoHotkeyTestWindow";
            return RegisterClassW(&cls);
        }();
        (void)atom;
        FHandle = CreateWindowExW(0, L"PastimoHotkeyTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this);
    }
    ~HotkeyWindow() { DestroyWindow(FHandle); }
    HotkeyWindow(const HotkeyWindow&) = delete;
    HotkeyWindow& operator=(const HotkeyWindow&) = delete;

    HWND Handle() const { return FHandle; }
    const std::vector<WPARAM>& Hotkeys() const { return FHotkeys; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<HotkeyWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_HOTKEY) {
            self->FHotkeys.push_back(wParam);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND FHandle = nullptr;
    std::vector<WPARAM> FHotkeys;
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

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void Press(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST(GlobalHotkey, SecondWindowFindsItHeldUntilTheFirstLetsGo) {
    HotkeyWindow first, second;
    const HotkeyOption option = HotkeyOptionFromValue(std::string("Ctrl+Shift+F11"));

    std::string secondProblem;
    {
        GlobalHotkey held(first.Handle(), option);
        EXPECT_TRUE(held.Registered());
        EXPECT_EQ(held.Error(), 0u);
        EXPECT_EQ(held.Problem(), "");
        EXPECT_FALSE(KeysAreFree(second.Handle(), MOD_CONTROL | MOD_SHIFT, VK_F11));

        GlobalHotkey refused(second.Handle(), option);
        EXPECT_FALSE(refused.Registered());
        EXPECT_EQ(refused.Error(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
        EXPECT_EQ(refused.Problem(), "The hotkey Ctrl+Shift+F11 could not be used: another program holds it.");
        EXPECT_NE(refused.Id(), held.Id());
    }
    // Both are gone: the one that held the keys gave them back.
    EXPECT_TRUE(KeysAreFree(second.Handle(), MOD_CONTROL | MOD_SHIFT, VK_F11));
    GlobalHotkey again(second.Handle(), option);
    EXPECT_TRUE(again.Registered());
}

TEST(GlobalHotkey, OffOrUnreadableRegistersNothing) {
    HotkeyWindow window;
    GlobalHotkey off(window.Handle(), HotkeyOptionFromValue(std::string()));
    EXPECT_FALSE(off.Registered());
    EXPECT_EQ(off.Problem(), "");

    GlobalHotkey unreadable(window.Handle(), HotkeyOptionFromValue(std::string("Ctrl+Shift")));
    EXPECT_FALSE(unreadable.Registered());
    EXPECT_EQ(unreadable.Problem(), "The hotkey \"Ctrl+Shift\" could not be read: it names only modifiers and no key.");
}

TEST(GlobalHotkey, CharacterKeyIsFoundInTheKeyboardLayout) {
    // The test display's keyboard is the US layout: "/" and "?" share a key.
    ASSERT_EQ(LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0))), 0x0409);
    HotkeyWindow window, other;

    GlobalHotkey slash(window.Handle(), Parsed("Alt+Win+/"));
    EXPECT_TRUE(slash.Registered()) << slash.Problem();
    EXPECT_FALSE(KeysAreFree(other.Handle(), MOD_ALT | MOD_WIN, VK_OEM_2));

    // "?" is typed with Shift, so its hotkey is Shift and the same key.
    GlobalHotkey question(window.Handle(), Parsed("Alt+Win+?"));
    EXPECT_TRUE(question.Registered()) << question.Problem();
    EXPECT_FALSE(KeysAreFree(other.Handle(), MOD_ALT | MOD_WIN | MOD_SHIFT, VK_OEM_2));

    GlobalHotkey notOnThisLayout(window.Handle(), Parsed("Alt+Win+\xC3\xA9"));  // é
    EXPECT_FALSE(notOnThisLayout.Registered());
    EXPECT_EQ(notOnThisLayout.Problem(),
              "The hotkey Win+Alt+\xC3\xA9 could not be used: no key types \"\xC3\xA9\" on this keyboard layout.");
}

TEST(GlobalHotkey, PressedHotkeyComesWithItsId) {
    HotkeyWindow window;
    GlobalHotkey other(window.Handle(), Parsed("Ctrl+Alt+F12"));
    GlobalHotkey hotkey(window.Handle(), Parsed("Ctrl+Shift+;"));
    ASSERT_TRUE(hotkey.Registered()) << hotkey.Problem();

    Press({VK_CONTROL, VK_SHIFT, VK_OEM_1});
    for (int i = 0; i < 100 && window.Hotkeys().empty(); ++i) {
        PumpMessages();
        Sleep(10);
    }
    EXPECT_EQ(window.Hotkeys(), std::vector<WPARAM>{static_cast<WPARAM>(hotkey.Id())});
}

}  // namespace
}  // namespace pastimo
