#pragma once
// What the tray's tests do past the public API: each class names its one
// friend here in its header. The program never includes this.

#include "tray/TrayIconAnimation.h"
#include "tray/TrayIconMsgWindow.h"
#include "tray/TrayTimers.h"

#include <vector>

namespace pastimo {

struct TrayTimersTestAccess {
    static const std::vector<TVXTimerItem*>& Items(const TVXTimerManager& manager) { return manager.FItems; }
};

struct TrayIconAnimationTestAccess {
    static bool Running(const TVXTrayIconAnimation& animation) { return animation.FTimerItem->Enabled(); }
    static TVXTimerItem* TimerItem(const TVXTrayIconAnimation& animation) { return animation.FTimerItem; }
};

struct TrayIconMsgWindowTestAccess {
    static bool MouseInside(const TVXTrayIconMsgWindow& window) { return window.FMouseInside; }
    static TVXTimerItem* ClickTimer(const TVXTrayIconMsgWindow& window) { return window.FClickTimer; }
    static TVXTimerItem* ExitTimer(const TVXTrayIconMsgWindow& window) { return window.FExitTimer; }
};

}  // namespace pastimo
