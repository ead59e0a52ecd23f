#pragma once
// The animation of a tray icon's state tsAnimated: frames from files or icon
// resources, stepped on a timer item of the tray icon's timer manager.
// Portable: no Windows headers here.

#include "toolkit/Component.h"
#include "tray/TrayTimers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pastimo {

class TVXTrayIcon95;

enum TVXTrayIconAnimationOption : uint8_t { aoIconsInExe = 0, aoIconsAreFiles = 1 };
using TVXTrayIconAnimationOptions = TVXTrayIconAnimationOption;

// The smallest time between two animation frames, in ms (the smallest
// interval of a timer item).
constexpr int32_t kMinimumFrameInterval = 55;

class TVXTrayIconAnimation : public TPersistent {
public:
    TVXTrayIconAnimation(TVXTrayIcon95* trayIcon, TVXTimerItem* timerItem);

    void Start();
    void Stop();
    void Step();

    int32_t Interval() const { return FInterval; }
    void SetInterval(int32_t value);
    const std::vector<std::string>& Icons() const { return FIcons; }
    void SetIcons(const std::vector<std::string>& icons);
    TVXTrayIconAnimationOptions Options() const { return FOptions; }
    void SetOptions(TVXTrayIconAnimationOptions value) { FOptions = value; }

    // The frame the next Step shows.
    int32_t FrameIndex() const { return FFrameIndex; }

private:
    // What tests need past the public API goes through this friend alone (tests/tray/TestAccess.h).
    friend struct TrayIconAnimationTestAccess;

    TVXTimerItem* FTimerItem;  // not owned: an item of the tray icon's timers
    TVXTrayIcon95* FTrayIcon;  // not owned: the tray icon that owns this animation
    int32_t FFrameIndex = 0;
    int32_t FInterval = 1000;
    std::vector<std::string> FIcons;
    TVXTrayIconAnimationOptions FOptions = aoIconsAreFiles;
};

}  // namespace pastimo
