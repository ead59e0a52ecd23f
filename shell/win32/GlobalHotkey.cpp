#include "shell/win32/GlobalHotkey.h"

namespace pastimo {

// The modifier bits go to RegisterHotKey as they are.
static_assert(hmAlt == MOD_ALT && hmCtrl == MOD_CONTROL && hmShift == MOD_SHIFT && hmWin == MOD_WIN);

namespace {

// Ids of hotkeys registered by a program lie in 0x0000-0xBFFF
// (https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerhotkey).
int NextId() {
    static int last = 0;
    last = last % 0xBFFF + 1;
    return last;
}

}  // namespace

GlobalHotkey::GlobalHotkey(HWND window, const HotkeyOption& option) : FWindow(window), FId(NextId()) {
    FProblem = option.problem;
    if (option.hotkey) Register(*option.hotkey);
}

GlobalHotkey::GlobalHotkey(HWND window, const Hotkey& hotkey) : FWindow(window), FId(NextId()) { Register(hotkey); }

GlobalHotkey::~GlobalHotkey() {
    // Fails harmlessly when the window is gone: its hotkeys went with it.
    if (FRegistered) UnregisterHotKey(FWindow, FId);
}

void GlobalHotkey::Register(const Hotkey& hotkey) {
    // A character key is found in the keyboard layout of this thread as it is now.
    const SHORT layoutKey = hotkey.virtualKey ? 0 : VkKeyScanW(static_cast<WCHAR>(hotkey.character));
    const HotkeyKeys keys = KeysOfHotkey(hotkey, layoutKey);
    if (!keys.problem.empty()) {
        FProblem = HotkeyUnusableLine(hotkey, keys.problem);
        return;
    }
    // Without MOD_NOREPEAT a held hotkey arrives again at the keyboard's
    // repeat rate. Windows before 7 does not know the flag; there the hotkey
    // is registered without it.
    FRegistered = RegisterHotKey(FWindow, FId, keys.modifiers | winapi::kModNoRepeat, keys.virtualKey);
    if (!FRegistered && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)
        FRegistered = RegisterHotKey(FWindow, FId, keys.modifiers, keys.virtualKey);
    if (!FRegistered) {
        FError = GetLastError();
        FProblem = HotkeyUnusableLine(hotkey, HotkeyRefusalReason(FError));
    }
}

}  // namespace pastimo
