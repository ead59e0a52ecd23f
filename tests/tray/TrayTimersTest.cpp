// The shared platform timer and the schedule of the logical timers.

#include "tests/tray/FakeTime.h"
#include "tests/tray/TestAccess.h"
#include "tray/TrayTimers.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pastimo {
namespace {

class TrayTimers : public ::testing::Test {
protected:
    TrayTimers() {
        auto timer = time.MakeTimer([this](const std::exception& e) { reported.push_back(e.what()); });
        platform = timer.get();
        manager = std::make_unique<TVXTimerManager>(nullptr, time, std::move(timer));
        manager->SetEnabled(true);
    }

    // An item that records the clock at each firing.
    TVXTimerItem* Recording(std::vector<uint32_t>& log, bool enabled, int32_t interval) {
        return manager->AddTimer(enabled, interval, [this, &log](TVXTimerItem*) { log.push_back(time.now); });
    }

    test::FakeTime time;
    test::FakeTime::Timer* platform = nullptr;
    std::unique_ptr<TVXTimerManager> manager;
    std::vector<std::string> reported;
};

TEST_F(TrayTimers, PlatformPeriodIsSmallestEnabledIntervalCappedAt150) {
    std::vector<uint32_t> a, b;
    TVXTimerItem* slow = Recording(a, false, 1000);
    TVXTimerItem* poll = Recording(b, false, 70);
    EXPECT_FALSE(platform->running);
    EXPECT_EQ(platform->starts, 0) << "disabled items start nothing";

    slow->SetEnabled(true);
    EXPECT_TRUE(platform->running);
    EXPECT_EQ(platform->period, 150u);

    poll->SetEnabled(true);
    EXPECT_EQ(platform->period, 70u);

    poll->SetEnabled(false);
    EXPECT_EQ(platform->period, 150u);
    slow->SetEnabled(false);
    EXPECT_FALSE(platform->running) << "no enabled item, no platform timer";
}

TEST_F(TrayTimers, RealPeriodIsIntervalRoundedUpToWholePlatformPeriods) {
    std::vector<uint32_t> animation, click, poll;
    TVXTimerItem* anim = Recording(animation, false, 1000);
    anim->SetEnabled(true);
    time.Advance(3200);
    EXPECT_EQ(animation, (std::vector<uint32_t>{1050, 2100, 3150}));
    anim->SetEnabled(false);

    // The click wait alone: 400 ms on a 150 ms period fires at 450.
    const uint32_t t0 = time.now;
    TVXTimerItem* wait = Recording(click, false, 400);
    wait->SetEnabled(true);
    time.Advance(449);
    EXPECT_TRUE(click.empty());
    time.Advance(1);
    EXPECT_EQ(click, (std::vector<uint32_t>{t0 + 450}));
    wait->SetEnabled(false);

    // With the 70 ms exit poll running, the same wait fires at 420.
    click.clear();
    const uint32_t t1 = time.now;
    TVXTimerItem* exitPoll = Recording(poll, false, 70);
    exitPoll->SetEnabled(true);
    wait->SetEnabled(true);
    time.Advance(420);
    EXPECT_EQ(click, (std::vector<uint32_t>{t1 + 420}));
}

TEST_F(TrayTimers, AnyChangeRestartsEveryEnabledItem) {
    std::vector<uint32_t> first, second;
    TVXTimerItem* a = Recording(first, true, 400);
    time.Advance(300);
    TVXTimerItem* b = Recording(second, false, 1000);
    b->SetEnabled(true);  // restarts a's wait and the platform period at 300
    time.Advance(399);
    EXPECT_TRUE(first.empty()) << "a's wait restarted at 300";
    time.Advance(51);  // ticks at 450, 600, 750
    EXPECT_EQ(first, (std::vector<uint32_t>{750}));

    // Re-timing restarts as well.
    const int starts = platform->starts;
    b->SetInterval(900);
    EXPECT_EQ(platform->starts, starts + 1);
    (void)a;
}

TEST_F(TrayTimers, WritingCurrentValuesRestartsNothing) {
    std::vector<uint32_t> log;
    TVXTimerItem* item = Recording(log, true, 400);
    const int starts = platform->starts;
    time.Advance(300);
    item->SetEnabled(true);
    item->SetInterval(400);
    EXPECT_EQ(platform->starts, starts);
    time.Advance(150);
    EXPECT_EQ(log, (std::vector<uint32_t>{450})) << "the wait went on from 0";

    // A new interval of a disabled item is only stored.
    item->SetEnabled(false);
    const int stopped = platform->starts;
    item->SetInterval(500);
    EXPECT_EQ(platform->starts, stopped);
    EXPECT_FALSE(platform->running);
}

TEST_F(TrayTimers, HandlerThatRaisesStaysDueAndEndsTheTick) {
    int failing = 0;
    std::vector<uint32_t> later;
    manager->AddTimer(true, 100, [&](TVXTimerItem*) {
        ++failing;
        throw std::runtime_error("handler failed");
    });
    Recording(later, true, 100);
    time.Advance(100);
    EXPECT_EQ(failing, 1);
    EXPECT_TRUE(later.empty()) << "items after the failing one wait for the next tick";
    ASSERT_EQ(reported, std::vector<std::string>{"handler failed"}) << "the platform timer reports it";

    time.Advance(100);
    EXPECT_EQ(failing, 2) << "still due at the next tick";
    EXPECT_TRUE(later.empty());
}

TEST_F(TrayTimers, AFailingItemIsStampedOnlyWhenItsHandlerReturns) {
    // With a faster item beside it the platform ticks every 55 ms, so a
    // failing 100 ms item comes due again at the very next tick only if the
    // failure left its last firing where it was.
    std::vector<uint32_t> failures;
    manager->AddTimer(true, 100, [&](TVXTimerItem*) {
        failures.push_back(time.now);
        throw std::runtime_error("handler failed");
    });
    std::vector<uint32_t> fast;
    Recording(fast, true, 55);
    time.Advance(110);
    ASSERT_EQ(failures, std::vector<uint32_t>{110});
    time.Advance(55);
    EXPECT_EQ(failures, (std::vector<uint32_t>{110, 165}));
}

TEST_F(TrayTimers, HandlerMayDisableItselfInsideTheTick) {
    int fired = 0;
    manager->AddTimer(true, 400, [&](TVXTimerItem* self) {
        ++fired;
        self->SetEnabled(false);
    });
    time.Advance(2000);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(platform->running);
}

TEST_F(TrayTimers, KeepsFiringAcrossTheWrapOfTheTickCounter) {
    // 256 ms before the counter wraps read as signed (24.8 days) and as unsigned (49.7 days).
    for (uint32_t start : {0x7FFFFF00u, 0xFFFFFF00u}) {
        time.now = start;
        std::vector<uint32_t> log;
        TVXTimerItem* item = Recording(log, true, 400);
        time.Advance(4500);
        ASSERT_EQ(log.size(), 10u) << std::hex << start;
        EXPECT_EQ(log[0], start + 450);  // the first firing is already past the wrap
        for (size_t i = 1; i < log.size(); ++i) EXPECT_EQ(log[i] - log[i - 1], 450u);
        item->SetEnabled(false);
    }
}

TEST_F(TrayTimers, DisabledManagerDoesNotScheduleAndDestructionStopsTheTimer) {
    manager->SetEnabled(false);
    std::vector<uint32_t> log;
    Recording(log, true, 200);
    EXPECT_FALSE(platform->running) << "a disabled manager does not reschedule";
    manager->SetEnabled(true);
    EXPECT_TRUE(platform->running);
    EXPECT_EQ(platform->period, 150u);

    int stopsSeen = 0;
    struct Watch : PlatformTimer {
        int* stops;
        explicit Watch(int* s) : stops(s) {}
        void Start(uint32_t) override {}
        void Stop() override { ++*stops; }
    };
    {
        TVXTimerManager other(nullptr, time, std::make_unique<Watch>(&stopsSeen));
        stopsSeen = 0;
    }
    EXPECT_EQ(stopsSeen, 1) << "the destructor switches the platform timer off";
}

TEST_F(TrayTimers, ItemsBelongToTheManagerInCreationOrder) {
    TVXTimerItem* a = manager->AddTimer(false, 400, nullptr);
    TVXTimerItem* b = manager->AddTimer(false, 70, nullptr);
    EXPECT_EQ(TrayTimersTestAccess::Items(*manager), (std::vector<TVXTimerItem*>{a, b}));
    EXPECT_EQ(a->Owner(), manager.get());
    EXPECT_EQ(a->Interval(), 400);
    // An item without a handler is never fired but still keeps the timer on.
    a->SetEnabled(true);
    time.Advance(1000);
    EXPECT_TRUE(platform->running);
}

}  // namespace
}  // namespace pastimo
