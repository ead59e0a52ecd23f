#include "tray/TrayTimers.h"

namespace pastimo {

TVXTimerItem::TVXTimerItem(TVXTimerManager* manager) : TComponent(manager), FManager(manager) {}

void TVXTimerItem::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    FManager->Reschedule();
}

void TVXTimerItem::SetInterval(TVXTimerInterval value) {
    if (value == FInterval) return;
    FInterval = value;
    if (FEnabled) FManager->Reschedule();
}

bool TVXTimerItem::IsDue() const {
    // Unsigned subtraction is exact modulo 2^32, so the wrap of the tick
    // counter (every 49.7 days) does not stop an item from firing.
    const uint32_t elapsed = FManager->Now() - FLastFired;
    return static_cast<int64_t>(elapsed) >= FInterval;
}

void TVXTimerItem::Fire() {
    if (FOnTimer) FOnTimer(this);
    // Stamped after the handler: a handler that raises stays due.
    FLastFired = FManager->Now();
}

TVXTimerManager::TVXTimerManager(TComponent* owner, TickSource& ticks, std::unique_ptr<PlatformTimer> timer)
    : TComponent(owner), FTimer(std::move(timer)), FTicks(ticks) {
    FTimer->Stop();
    FTimer->handler = [this] { TimerTick(); };
}

TVXTimerManager::~TVXTimerManager() {
    FTimer->Stop();
    FTimer.reset();
    FItems.clear();
    // The items themselves go with the TComponent part.
}

void TVXTimerManager::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    if (value) Reschedule();
}

TVXTimerItem* TVXTimerManager::AddTimer(bool enabled, TVXTimerInterval interval, TVXTimerItem::THandler handler) {
    auto* item = new TVXTimerItem(this);
    item->SetEnabled(enabled);
    item->SetInterval(interval);
    item->FOnTimer = std::move(handler);
    FItems.push_back(item);
    if (item->Enabled()) Reschedule();
    return item;
}

void TVXTimerManager::Reschedule() {
    if (!FEnabled) return;
    FTimer->Stop();
    int64_t best = kMaxPeriod;
    bool any = false;
    const uint32_t now = FTicks.Now();
    for (TVXTimerItem* item : FItems) {
        if (!item->Enabled()) continue;
        any = true;
        if (item->Interval() < best) best = item->Interval();
        item->FLastFired = now;
    }
    if (!any) return;  // idle: no platform timer at all
    if (best < static_cast<int64_t>(kMinPeriod)) best = kMinPeriod;
    FTimer->Start(static_cast<uint32_t>(best));
}

void TVXTimerManager::TimerTick() {
    // Handlers may add, enable or disable items; only the items present at the
    // start of the tick are looked at. An exception ends the tick here.
    const size_t count = FItems.size();
    for (size_t i = 0; i < count && i < FItems.size(); ++i) {
        TVXTimerItem* item = FItems[i];
        if (item->Enabled() && item->FOnTimer && item->IsDue()) item->Fire();
    }
}

}  // namespace pastimo
