#pragma once
// Receives every message of a tray icon's hidden window and turns the
// shell's mouse notifications into the tray icon's events: click and double
// click told apart by a TrayClickDelay wait, move, enter and exit.
// Portable: no Windows headers here.

#include "toolkit/Component.h"
#include "tray/TraySeams.h"
#include "tray/TrayTimers.h"

#include <cstdint>
#include <exception>

namespace pastimo {

class TVXTrayIcon95;

class TVXTrayIconMsgWindow : public TComponent {
public:
    explicit TVXTrayIconMsgWindow(TVXTrayIcon95* trayIcon);

    // True when the message was the component's; false: default processing.
    bool WndProc(TMessage& message);
    // For the platform layer: a failure that reached the window's boundary.
    void HandleException(const std::exception& failure);

    TPoint CursorPos() const { return FCursorPos; }

private:
    // What tests need past the public API goes through this friend alone (tests/tray/TestAccess.h).
    friend struct TrayIconMsgWindowTestAccess;

    enum TButton : uint8_t { btLeft = 0, btRight = 1, btMiddle = 2 };

    void MouseNotification(int32_t mouseMessage);
    void ButtonDown(TButton button);
    void DoubleClick();
    void MouseMove();
    void MouseEnter(TPoint p);
    void MouseExit();
    void ExitTimerTick() noexcept;
    void StartClickTimer();
    void ClickTimerTick();

    TButton FLastButton = btLeft;
    TVXTrayIcon95* FTrayIcon;  // not owned: the tray icon that owns this window
    bool FDoubleClicked = false;
    TVXTimerItem* FClickTimer = nullptr;  // not owned: items of the tray icon's timers
    TVXTimerItem* FExitTimer = nullptr;   // not owned: items of the tray icon's timers
    TPoint FCursorPos;
    bool FMouseInside = false;
};

}  // namespace pastimo
