#pragma once
// A clock the tests move by hand and platform timers that expire on it, in due
// order, exactly as often as a real periodic timer would: nothing sleeps.

#include "tray/TrayTimers.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pastimo::test {

class FakeTime : public TickSource {
public:
    class Timer : public PlatformTimer {
    public:
        Timer(FakeTime& time, std::function<void(const std::exception&)> report)
            : FTime(time), FReport(std::move(report)) {
            FTime.FTimers.push_back(this);
        }
        ~Timer() override {
            auto& list = FTime.FTimers;
            list.erase(std::remove(list.begin(), list.end(), this), list.end());
        }
        void Start(uint32_t periodMs) override {
            running = true;
            period = periodMs;
            nextDue = FTime.now + periodMs;
            ++starts;
        }
        void Stop() override { running = false; }
        void Expire() {
            nextDue += period;
            ++expiries;
            try {
                if (handler) handler();
            } catch (const std::exception& e) {
                if (!FReport) throw;
                FReport(e);
            }
        }

        bool running = false;
        uint32_t period = 0;
        uint32_t nextDue = 0;
        int starts = 0;
        int expiries = 0;

    private:
        FakeTime& FTime;
        std::function<void(const std::exception&)> FReport;
    };

    uint32_t Now() override { return now; }

    std::unique_ptr<Timer> MakeTimer(std::function<void(const std::exception&)> report = {}) {
        return std::make_unique<Timer>(*this, std::move(report));
    }

    // Moves the clock on by ms, expiring every running timer whose period ends
    // on the way, earliest first (arithmetic modulo 2^32, like the real counter).
    void Advance(uint32_t ms) {
        for (;;) {
            Timer* next = nullptr;
            uint32_t best = 0;
            for (Timer* t : FTimers) {
                if (!t->running) continue;
                const uint32_t wait = t->nextDue - now;
                if (wait <= ms && (!next || wait < best)) {
                    next = t;
                    best = wait;
                }
            }
            if (!next) break;
            now += best;
            ms -= best;
            next->Expire();
        }
        now += ms;
    }

    const std::vector<Timer*>& Timers() const { return FTimers; }

    uint32_t now = 0;

private:
    std::vector<Timer*> FTimers;
};

}  // namespace pastimo::test
