#pragma once
// One global hotkey, registered for a window for as long as the object lives.
// The window gets WM_HOTKEY with wParam == Id() each time it is pressed:
//
//   FShowHotkey = std::make_unique<GlobalHotkey>(Handle(), LoadHotkeyOption(ProgramFolder));
//   if (!FShowHotkey->Problem().empty()) ... the first line of the Help page
//   case WM_HOTKEY: if (wParam == FShowHotkey->Id()) ... bring the window up

#include "shell/Hotkey.h"
#include "shell/HotkeyOption.h"

#include <windows.h>

#include <string>

namespace pastimo {

class GlobalHotkey {
public:
    // Registers the option's hotkey; nothing when it is off or unreadable
    // (Problem() then says why, for an unreadable one).
    GlobalHotkey(HWND window, const HotkeyOption& option);
    GlobalHotkey(HWND window, const Hotkey& hotkey);
    ~GlobalHotkey();
    GlobalHotkey(const GlobalHotkey&) = delete;
    GlobalHotkey& operator=(const GlobalHotkey&) = delete;

    // The wParam of this hotkey's WM_HOTKEY; unique in the process.
    int Id() const { return FId; }
    // GetLastError() of the refused RegisterHotKey, 0 if it was not refused.
    DWORD Error() const { return FError; }
    // The Help page's line when a hotkey was wanted but cannot be had; empty
    // when it is registered or turned off.
    const std::string& Problem() const { return FProblem; }

private:
    void Register(const Hotkey& hotkey);

    HWND FWindow;
    int FId;
    bool FRegistered = false;
    DWORD FError = 0;
    std::string FProblem;
};

}  // namespace pastimo
