#include "toolkit/Errors.h"
#include "tray/VXTray95.h"

namespace pastimo {

TVXTrayIconAnimation::TVXTrayIconAnimation(TVXTrayIcon95* trayIcon, TVXTimerItem* timerItem)
    : FTimerItem(timerItem), FTrayIcon(trayIcon) {}

void TVXTrayIconAnimation::Start() {
    Stop();
    FFrameIndex = 0;
    Step();  // frame 0 at once
    if (FTrayIcon->State() == tsAnimated) {
        // An interval below the timers' smallest (0, negative, a slip of the
        // pen) would step the animation on every tick and keep the program
        // busy; it runs at the smallest instead. Interval keeps what was set.
        FTimerItem->SetInterval(FInterval < kMinimumFrameInterval ? kMinimumFrameInterval : FInterval);
        FTimerItem->SetEnabled(true);
    }
}

void TVXTrayIconAnimation::Stop() { FTimerItem->SetEnabled(false); }

void TVXTrayIconAnimation::Step() {
    try {
        if (FTrayIcon->OnAnimation) FTrayIcon->OnAnimation(FTrayIcon);
        FTrayIcon->UpdateDisplayIcon();
    } catch (const EFOpenError&) {
        IgnoreFailure("an animation frame that cannot be opened is skipped; the next one is tried");
    }
    const int32_t count = static_cast<int32_t>(FIcons.size());
    if (FFrameIndex < count - 1)
        ++FFrameIndex;
    else
        FFrameIndex = 0;
}

void TVXTrayIconAnimation::SetInterval(int32_t value) {
    if (value == FInterval) return;
    FInterval = value;
    if (FTrayIcon->Active() && FTrayIcon->State() == tsAnimated) Start();
}

void TVXTrayIconAnimation::SetIcons(const std::vector<std::string>& icons) {
    FIcons = icons;
    // The new frame 0 shows at the next step, not now.
    if (FTrayIcon->Active() && FTrayIcon->State() == tsAnimated) FFrameIndex = 0;
}

}  // namespace pastimo
