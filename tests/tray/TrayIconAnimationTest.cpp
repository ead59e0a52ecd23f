// The animation of state tsAnimated: frame order, timing, frame sources and
// when the tray icon starts and stops it.

#include "tests/tray/FakeTray.h"
#include "tests/tray/TestAccess.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

class TrayAnimation : public ::testing::Test {
protected:
    TrayAnimation() {
        TrayLockCount = 0;
        InStateChanging = false;
        tray = new TVXTrayIcon95(&form, w.Env());
        w.platform.files = {{"a.ico", "A"}, {"b.ico", "B"}, {"c.ico", "C"}, {"x.ico", "X"}, {"bad.ico", ""}};
        tray->OnAnimation = [this](TComponent* sender) {
            EXPECT_EQ(sender, tray);
            ++animations;
        };
    }
    // The image of every shell call so far, in order.
    std::vector<std::string> Shown() {
        std::vector<std::string> images;
        for (auto& call : w.shell.calls) images.push_back(w.platform.Image(call.record.hIcon));
        return images;
    }
    std::string Now() { return w.platform.Image(w.shell.calls.back().record.hIcon); }

    test::FakeWorld w;
    test::TestForm form;
    TVXTrayIcon95* tray = nullptr;
    int animations = 0;
};

TEST_F(TrayAnimation, CyclesThroughTheFramesOncePerIntervalRoundedUpToThePlatformPeriod) {
    tray->Animation().SetIcons({"a.ico", "b.ico", "c.ico"});
    tray->SetState(tsAnimated);  // inactive: stored only
    EXPECT_EQ(animations, 0);
    tray->ShowIcon();
    EXPECT_EQ(animations, 1) << "frame 0 at once";
    EXPECT_EQ(Now(), "A");
    EXPECT_EQ(tray->Animation().FrameIndex(), 1);
    EXPECT_EQ(w.platform.Timers()[0]->period, 150u);

    w.time.Advance(1049);
    EXPECT_EQ(animations, 1);
    w.time.Advance(1);
    EXPECT_EQ(Now(), "B");
    w.time.Advance(1050);
    EXPECT_EQ(Now(), "C");
    w.time.Advance(1050);
    EXPECT_EQ(Now(), "A");
    EXPECT_EQ(animations, 4);

    tray->SetState(tsEnabled);
    EXPECT_FALSE(TrayIconAnimationTestAccess::Running(tray->Animation()));
    EXPECT_FALSE(w.platform.AnyTimerRunning());
}

TEST_F(TrayAnimation, OneFrameRepeatsAndNoFramesStillFiresOnAnimation) {
    tray->SetIcon(w.platform.NewIcon("normal"));
    tray->ShowIcon();
    tray->Animation().SetIcons({});
    tray->SetState(tsAnimated);
    const size_t calls = w.shell.calls.size();
    w.time.Advance(3 * 1050);
    EXPECT_EQ(animations, 4);
    EXPECT_EQ(Now(), "normal") << "no frame: the image stays";
    EXPECT_EQ(w.shell.calls.size(), calls + 3) << "each step still refreshes";

    tray->Animation().SetIcons({"x.ico"});
    w.time.Advance(2 * 1050);
    EXPECT_EQ(Now(), "X");
    EXPECT_EQ(tray->Animation().FrameIndex(), 0);
}

TEST_F(TrayAnimation, NewIconsShowFromFrameZeroAtTheNextStep) {
    tray->Animation().SetIcons({"a.ico", "b.ico", "c.ico"});
    tray->ShowIcon();
    tray->SetState(tsAnimated);
    w.time.Advance(1050);
    EXPECT_EQ(Now(), "B");
    const size_t calls = w.shell.calls.size();
    tray->Animation().SetIcons({"x.ico", "a.ico"});
    EXPECT_EQ(w.shell.calls.size(), calls) << "not at once";
    w.time.Advance(1050);
    EXPECT_EQ(Now(), "X");
}

TEST_F(TrayAnimation, MissingFrameFileKeepsTheImageOtherFailuresPass) {
    tray->Animation().SetIcons({"a.ico", "missing.ico", "c.ico"});
    tray->ShowIcon();
    tray->SetState(tsAnimated);
    w.time.Advance(1050);
    EXPECT_EQ(Now(), "A") << "the missing frame leaves frame 0 up";
    w.time.Advance(1050);
    EXPECT_EQ(Now(), "C");

    tray->Animation().SetIcons({"bad.ico"});
    w.time.Advance(1050);
    ASSERT_EQ(w.app.reported.size(), 1u) << "not an icon: reported by the timer";
    EXPECT_EQ(w.app.reported[0], "Icon image is not valid");
}

TEST_F(TrayAnimation, OnAnimationThatCannotOpenAFileSkipsTheImageUpdate) {
    tray->Animation().SetIcons({"a.ico", "b.ico"});
    tray->ShowIcon();
    tray->SetState(tsAnimated);
    tray->OnAnimation = [](TComponent*) { throw EFOpenError("frames.lst"); };
    const size_t calls = w.shell.calls.size();
    w.time.Advance(1050);
    EXPECT_EQ(w.shell.calls.size(), calls);
    EXPECT_TRUE(w.app.reported.empty());
    EXPECT_EQ(tray->Animation().FrameIndex(), 0) << "the index still advanced";
}

TEST_F(TrayAnimation, ResourceFramesAreLookedUpInUpperCase) {
    w.platform.resources = {{"FRAME1", "R1"}};
    tray->Animation().SetOptions(aoIconsInExe);
    tray->Animation().SetIcons({"frame1", "nothing", std::string(256, 'a')});
    tray->ShowIcon();
    tray->SetState(tsAnimated);
    EXPECT_EQ(Now(), "R1");
    w.time.Advance(1050);
    EXPECT_EQ(w.shell.calls.back().record.hIcon, 0u) << "no such resource: an empty image";
    w.time.Advance(1050);
    EXPECT_EQ(w.shell.calls.back().record.hIcon, 0u);
}

TEST_F(TrayAnimation, IntervalWritesRestartOnlyARunningAnimation) {
    tray->Animation().SetIcons({"a.ico", "b.ico"});
    tray->Animation().SetInterval(500);  // inactive: stored
    EXPECT_EQ(animations, 0);
    tray->SetState(tsAnimated);
    tray->ShowIcon();
    EXPECT_EQ(TrayIconAnimationTestAccess::TimerItem(tray->Animation())->Interval(), 500);
    w.time.Advance(600);
    EXPECT_EQ(Now(), "B");

    tray->Animation().SetInterval(200);  // running: restart from frame 0
    EXPECT_EQ(Now(), "A");
    EXPECT_EQ(TrayIconAnimationTestAccess::TimerItem(tray->Animation())->Interval(), 200);

    tray->HideIcon();
    EXPECT_FALSE(TrayIconAnimationTestAccess::Running(tray->Animation()));
    tray->Animation().SetInterval(300);
    EXPECT_FALSE(TrayIconAnimationTestAccess::Running(tray->Animation()));
}

TEST_F(TrayAnimation, IntervalsBelowTheSmallestRunAtTheSmallest) {
    tray->Animation().SetIcons({"a.ico", "b.ico"});
    tray->SetState(tsAnimated);
    tray->ShowIcon();
    for (int32_t interval : {0, -1000, 10}) {
        tray->Animation().SetInterval(interval);
        EXPECT_EQ(tray->Animation().Interval(), interval) << "the setting itself is kept";
        EXPECT_EQ(TrayIconAnimationTestAccess::TimerItem(tray->Animation())->Interval(), kMinimumFrameInterval);
        const int before = animations;
        w.time.Advance(1000);
        // One frame per platform period at most, not one per millisecond.
        EXPECT_LE(animations - before, 1000 / kMinimumFrameInterval + 1) << interval;
        EXPECT_GE(animations - before, 5) << interval;
    }
}

}  // namespace
}  // namespace pastimo
