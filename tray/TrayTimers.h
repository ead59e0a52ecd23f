#pragma once
// Logical timers of the tray icon: any number of TVXTimerItems share one
// platform timer, which runs only while at least one item is enabled, with the
// smallest enabled interval as its period but never more than 150 ms.
// Time comes from an injected TickSource and expiries from an injected
// PlatformTimer, so the schedule is tested by moving a fake clock.
// Portable: no Windows headers here.

#include "toolkit/Component.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace pastimo {

// Milliseconds of a free-running 32-bit counter (GetTickCount on Windows).
struct TickSource {
    virtual ~TickSource() = default;
    virtual uint32_t Now() = 0;
};

// One periodic platform timer. Start (re)starts it: the first expiry is one
// period from now. At each expiry it calls handler; an exception escaping the
// handler is handed to the error report the timer was created with.
struct PlatformTimer {
    virtual ~PlatformTimer() = default;
    virtual void Start(uint32_t periodMs) = 0;  // raises EOutOfResources when refused
    virtual void Stop() = 0;
    std::function<void()> handler;
};

using TVXTimerInterval = int32_t;  // 55 .. 100000 ms in this program
class TVXTimerManager;

class TVXTimerItem : public TComponent {
public:
    using THandler = std::function<void(TVXTimerItem*)>;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    TVXTimerInterval Interval() const { return FInterval; }
    void SetInterval(TVXTimerInterval value);

    bool IsDue() const;
    void Fire();
    TVXTimerManager* Manager() const { return FManager; }

private:
    friend class TVXTimerManager;
    explicit TVXTimerItem(TVXTimerManager* manager);

    TVXTimerManager* FManager;  // not owned: the manager owns this item
    TVXTimerInterval FInterval = 0;
    bool FEnabled = false;
    THandler FOnTimer;
    uint32_t FLastFired = 0;  // tick count of the last firing or restart
};

class TVXTimerManager : public TComponent {
public:
    // Longest platform period; an item is late by at most this much.
    static constexpr uint32_t kMaxPeriod = 150;
    // Shorter periods are raised to what the platform delivers anyway.
    static constexpr uint32_t kMinPeriod = 10;

    TVXTimerManager(TComponent* owner, TickSource& ticks, std::unique_ptr<PlatformTimer> timer);
    ~TVXTimerManager() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);

    TVXTimerItem* AddTimer(bool enabled, TVXTimerInterval interval, TVXTimerItem::THandler handler);
    void Reschedule();
    void TimerTick();

    uint32_t Now() const { return FTicks.Now(); }

private:
    // What tests need past the public API goes through this friend alone (tests/tray/TestAccess.h).
    friend struct TrayTimersTestAccess;

    bool FEnabled = false;
    std::vector<TVXTimerItem*> FItems;  // not owned: this manager's components
    std::unique_ptr<PlatformTimer> FTimer;
    TickSource& FTicks;
};

}  // namespace pastimo
