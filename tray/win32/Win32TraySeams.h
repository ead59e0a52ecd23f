#pragma once
// The tray icon's seams on the real platform: Shell_NotifyIconA, a hidden
// top-level window per tray icon, SetTimer on a window of each timer's own,
// GetTickCount. Build a tray icon for the program with
//   new TVXTrayIcon95(form, Win32TrayEnvironment(app));
// where app adapts the application object to TrayApplication.

#include "tray/TraySeams.h"

#include <cstdint>

namespace pastimo {

TrayPlatform& Win32TrayPlatform();
TrayShell& Win32TrayShell();
TickSource& Win32TickSource();
TrayEnvironment Win32TrayEnvironment(TrayApplication& app);

// What the platform timers have done in this process, so that a check can see
// that an idle tray icon costs nothing.
struct Win32TimerActivity {
    uint32_t starts = 0;    // SetTimer calls
    uint32_t messages = 0;  // WM_TIMER messages handled
};
Win32TimerActivity Win32TimerCounters();

}  // namespace pastimo
