// The tray icon's rules against fake seams: what it sends the shell, how it
// tells clicks from double clicks, enter/move/exit, the deferred-call slot,
// state changes, minimise-to-tray, its hidden window's messages, its lifetime.

#include "tests/tray/FakeTray.h"
#include "tests/tray/TestAccess.h"
#include "toolkit/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace pastimo {
namespace {

using test::FakeApp;
using test::FakePlatform;

class TrayIcon : public ::testing::Test {
protected:
    TrayIcon() {
        TrayClickDelay = 400;
        TrayLockCount = 0;
        InStateChanging = false;
        tray = new TVXTrayIcon95(&form, w.Env());
    }

    // The record the shell must get, built independently of the component.
    NotifyIconRecord Expected(THandle icon, const char* tip) {
        NotifyIconRecord r;
        std::memset(&r, 0, sizeof r);
        r.cbSize = sizeof(void*) == 4 ? 88 : 104;  // the first layout of the record
        r.hWnd = FakePlatform::kHiddenWindow;
        r.uID = 42;
        r.uFlags = 7;
        r.uCallbackMessage = WM_TRAYICONCALLBACK;
        r.hIcon = icon;
        std::strncpy(r.szTip, tip, 63);
        return r;
    }
    static bool SameBytes(const NotifyIconRecord& a, const NotifyIconRecord& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
    uint32_t LastShellMessage() { return w.shell.calls.back().message; }
    const NotifyIconRecord& LastRecord() { return w.shell.calls.back().record; }

    test::FakeWorld w;
    test::TestForm form;
    TVXTrayIcon95* tray = nullptr;
    int clicks = 0, dblClicks = 0;
    void CountClicks(bool withDouble = true) {
        tray->OnClick = [this](TComponent* sender) {
            EXPECT_EQ(sender, tray);
            ++clicks;
        };
        if (withDouble) tray->OnDblClick = [this](TComponent*) { ++dblClicks; };
    }
};

// --- construction and destruction -----------------------------------------

TEST_F(TrayIcon, MustBeOwnedByAFormAndLeavesNothingBehindOtherwise) {
    test::FakeWorld other;
    test::TestForm* none = nullptr;
    struct NotAForm : TComponent {
        NotAForm() : TComponent(nullptr) {}
    } plain;
    for (TComponent* owner : {static_cast<TComponent*>(none), static_cast<TComponent*>(&plain)}) {
        try {
            TVXTrayIcon95 refused(owner, other.Env());
            FAIL() << "constructed without a form";
        } catch (const EInvalidOperation& e) {
            EXPECT_STREQ(e.what(), "TrayIcons must be owned by a Form !");
        }
    }
    EXPECT_EQ(other.platform.windowsCreated, 0);
    EXPECT_EQ(other.platform.timersCreated, 0);
    EXPECT_FALSE(other.app.minimizeHook);
    EXPECT_FALSE(other.app.restoreHook);
}

TEST_F(TrayIcon, StartsInactiveWithItsDefaultsAndNoShellCallOrTimer) {
    EXPECT_FALSE(tray->Active());
    EXPECT_FALSE(tray->AutoPopup());
    EXPECT_EQ(tray->Hint(), "");
    EXPECT_TRUE(tray->ShowHint());
    EXPECT_EQ(tray->State(), tsEnabled);
    EXPECT_TRUE(tray->Options() == TVXTrayIconOptions{toMinimizeToTray});
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    EXPECT_TRUE(tray->Icon().Empty());
    EXPECT_EQ(tray->Animation().Interval(), 1000);
    EXPECT_EQ(tray->Animation().Options(), aoIconsAreFiles);
    EXPECT_TRUE(tray->Animation().Icons().empty());
    EXPECT_EQ(tray->Owner(), &form);
    EXPECT_EQ(tray->WindowHandle(), FakePlatform::kHiddenWindow);
    EXPECT_TRUE(w.shell.calls.empty());
    EXPECT_EQ(w.platform.Timers().size(), 1u) << "one platform timer per tray icon";
    EXPECT_EQ(TrayTimersTestAccess::Items(tray->Timers()).size(), 3u) << "click wait, exit poll, animation";
    EXPECT_TRUE(w.app.minimizeHook && w.app.restoreHook);
}

TEST_F(TrayIcon, DestructionRemovesTheIconAndReleasesEverything) {
    const THandle programIcon = w.platform.NewIcon("program");
    tray->SetIcon(programIcon);
    tray->SetDisabledIcon(programIcon);
    tray->ShowIcon();
    tray->Animation().SetIcons({"a.ico"});
    TrayIconMsgWindowTestAccess::ClickTimer(tray->MsgWindow())->SetEnabled(true);
    w.shell.calls.clear();

    delete tray;
    ASSERT_EQ(w.shell.calls.size(), 1u);
    EXPECT_EQ(LastShellMessage(), winapi::kNimDelete);
    EXPECT_EQ(w.platform.windowsDestroyed, 1);
    EXPECT_FALSE(w.platform.AnyTimerRunning());
    EXPECT_TRUE(w.platform.Timers().empty()) << "the platform timer was released";
    EXPECT_EQ(w.platform.live.size(), 1u) << "only the caller's own icon is left";
    EXPECT_EQ(w.platform.badDestroys, 0);
    EXPECT_FALSE(w.app.minimizeHook) << "nothing may reach a destroyed component";
    EXPECT_FALSE(w.app.restoreHook);
}

TEST_F(TrayIcon, PendingDeferredCallIsDroppedWithTheComponent) {
    CountClicks(false);
    w.platform.Mouse(winapi::kWmLButtonDown);
    ASSERT_EQ(w.platform.queue.size(), 1u);
    delete tray;
    EXPECT_EQ(w.platform.DeliverPosted(), 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(TrayIcon, LastCreatedHoldsTheApplicationHooksAndOlderOnesDoNotClearThem) {
    int newerMinimized = 0;
    auto* newer = new TVXTrayIcon95(&form, w.Env());
    newer->OnAppMinimize = [&](TComponent*) { ++newerMinimized; };
    delete tray;  // the older one
    ASSERT_TRUE(w.app.minimizeHook);
    w.app.minimizeHook();
    EXPECT_EQ(newerMinimized, 1);
    delete newer;
    EXPECT_FALSE(w.app.minimizeHook);
}

TEST_F(TrayIcon, RemovingThePopupMenuComponentClearsTheReference) {
    auto* menu = new TPopupMenu(&form, 77);
    tray->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(tray->PopupMenu(), nullptr);

    // Whoever owns the menu: another form, or nobody.
    test::TestForm otherForm;
    for (TComponent* owner : {static_cast<TComponent*>(&otherForm), static_cast<TComponent*>(nullptr)}) {
        menu = new TPopupMenu(owner, 78);
        tray->SetPopupMenu(menu);
        delete menu;
        EXPECT_EQ(tray->PopupMenu(), nullptr);
    }
    // A menu let go of is no longer watched: it may go without a word.
    auto* first = new TPopupMenu(nullptr, 79);
    auto* second = new TPopupMenu(nullptr, 80);
    tray->SetPopupMenu(first);
    tray->SetPopupMenu(second);
    delete first;
    EXPECT_EQ(tray->PopupMenu(), second);
    delete second;
}

// --- the shell ---------------------------------------------------------------

TEST_F(TrayIcon, ShowAndHideSendExactRecordsOnceEach) {
    const THandle programIcon = w.platform.NewIcon("program");
    tray->SetIcon(programIcon);
    tray->SetHint("Pastimo - Click");
    EXPECT_TRUE(w.shell.calls.empty()) << "inactive: no shell call";

    tray->ShowIcon();
    tray->ShowIcon();
    ASSERT_EQ(w.shell.calls.size(), 1u);
    EXPECT_EQ(LastShellMessage(), winapi::kNimAdd);
    const THandle shown = LastRecord().hIcon;
    EXPECT_NE(shown, programIcon) << "the component shows its own copy";
    EXPECT_EQ(w.platform.Image(shown), "program");
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(shown, "Pastimo - Click")));
    EXPECT_TRUE(tray->Active());

    tray->HideIcon();
    tray->HideIcon();
    ASSERT_EQ(w.shell.calls.size(), 2u);
    EXPECT_EQ(LastShellMessage(), winapi::kNimDelete);
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(shown, "Pastimo - Click")));

    tray->SetActive(true);
    EXPECT_EQ(LastShellMessage(), winapi::kNimAdd);
    tray->SetActive(false);
    EXPECT_EQ(LastShellMessage(), winapi::kNimDelete);
    EXPECT_EQ(w.platform.live.count(programIcon), 1u) << "the caller's icon is left alone";
}

TEST_F(TrayIcon, EmptyIconShowsAsHandleZero) {
    tray->ShowIcon();
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(0, "")));
}

TEST_F(TrayIcon, TipTextIsTheHintCutTo63CharactersOrEmptyWithoutShowHint) {
    tray->ShowIcon();
    w.shell.calls.clear();
    const std::string hundred(100, 'x');
    tray->SetHint(hundred);
    ASSERT_EQ(w.shell.calls.size(), 1u);
    EXPECT_EQ(LastShellMessage(), winapi::kNimModify);
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(0, std::string(63, 'x').c_str())));
    EXPECT_EQ(LastRecord().szTip[63], '\0');

    tray->SetHint(hundred);
    EXPECT_EQ(w.shell.calls.size(), 1u) << "the same hint again: no shell call";

    tray->SetShowHint(false);
    ASSERT_EQ(w.shell.calls.size(), 2u);
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(0, "")));

    tray->SetHint("Pastimo - Click");
    EXPECT_EQ(w.shell.calls.size(), 2u) << "stored only while ShowHint is false";
    EXPECT_EQ(tray->Hint(), "Pastimo - Click");

    tray->SetShowHint(true);
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(0, "Pastimo - Click")));
    tray->SetHint("pastimo - click");  // comparison is case-sensitive
    EXPECT_TRUE(SameBytes(LastRecord(), Expected(0, "pastimo - click")));
}

TEST_F(TrayIcon, IconWritesRefreshTheShownImageOnlyWhileActive) {
    const THandle first = w.platform.NewIcon("first");
    const THandle second = w.platform.NewIcon("second");
    tray->SetIcon(first);
    EXPECT_TRUE(w.shell.calls.empty());
    EXPECT_EQ(w.platform.Image(tray->DisplayIcon().Handle()), "first");
    tray->ShowIcon();
    tray->SetIcon(second);
    EXPECT_EQ(LastShellMessage(), winapi::kNimModify);
    EXPECT_EQ(w.platform.Image(LastRecord().hIcon), "second");
    // Copies replaced along the way are destroyed, not leaked: caller's two,
    // the component's Icon and its shown image.
    EXPECT_EQ(w.platform.live.size(), 4u);
}

// --- the hidden window's messages -------------------------------------------

TEST_F(TrayIcon, TaskbarCreatedAddsAnActiveIconAgain) {
    tray->SetHint("Pastimo - Click");
    w.platform.Send(FakePlatform::kTaskbarCreated);
    EXPECT_TRUE(w.shell.calls.empty()) << "inactive: nothing to add";

    tray->ShowIcon();
    const NotifyIconRecord added = LastRecord();
    w.platform.Send(FakePlatform::kTaskbarCreated);
    ASSERT_EQ(w.shell.calls.size(), 2u);
    EXPECT_EQ(LastShellMessage(), winapi::kNimAdd);
    EXPECT_TRUE(SameBytes(LastRecord(), added));
}

TEST_F(TrayIcon, EndSessionRemovesTheIconOnlyWhenTheSessionEnds) {
    tray->ShowIcon();
    EXPECT_EQ(w.platform.Send(winapi::kWmQueryEndSession).Result, 1) << "agrees to the session's end";
    w.platform.Send(winapi::kWmEndSession, 0);
    EXPECT_TRUE(tray->Active());
    EXPECT_EQ(w.shell.calls.size(), 1u);
    w.platform.Send(winapi::kWmEndSession, 1);
    EXPECT_FALSE(tray->Active());
    EXPECT_EQ(LastShellMessage(), winapi::kNimDelete);

    bool handled = true;
    constexpr uint32_t kWmPaint = 0x0F;
    w.platform.Send(kWmPaint, 0, 0, &handled);
    EXPECT_FALSE(handled) << "other messages get default processing";
    w.platform.Send(WM_TRAYICONCALLBACK, 42, winapi::kWmLButtonUp, &handled);
    EXPECT_TRUE(handled);
}

// --- reading phase ---------------------------------------------------------------

TEST_F(TrayIcon, ReadingPhaseStoresQuietlyAndAfterLoadAddsTheIcon) {
    int changing = 0;
    tray->OnStateChanging = [&](TComponent*, TVXTrayIconState&) { ++changing; };
    tray->BeginLoad();
    tray->SetDisabledIcon(w.platform.NewIcon("disabled"));
    tray->SetActive(true);
    tray->SetHint("Pastimo - Click");
    tray->SetState(tsDisabled);
    tray->ShowIcon();  // while reading, the shell hears nothing
    EXPECT_TRUE(w.shell.calls.empty());
    EXPECT_EQ(changing, 0);
    EXPECT_EQ(tray->State(), tsDisabled);

    tray->AfterLoad();
    ASSERT_EQ(w.shell.calls.size(), 1u);
    EXPECT_EQ(LastShellMessage(), winapi::kNimAdd);
    EXPECT_EQ(w.platform.Image(LastRecord().hIcon), "disabled");
    EXPECT_STREQ(LastRecord().szTip, "Pastimo - Click");
    EXPECT_TRUE(tray->Active());
}

TEST_F(TrayIcon, AfterLoadOfAnInactiveIconDoesNothing) {
    tray->BeginLoad();
    tray->SetHint("x");
    tray->AfterLoad();
    EXPECT_TRUE(w.shell.calls.empty());
    EXPECT_FALSE(tray->Active());
}

// --- state changes ------------------------------------------------------------

TEST_F(TrayIcon, StateWrittenWhileInactiveIsStoredAndShownAtShowIcon) {
    int changing = 0;
    tray->OnStateChanging = [&](TComponent*, TVXTrayIconState&) { ++changing; };
    tray->SetIcon(w.platform.NewIcon("normal"));
    tray->SetDisabledIcon(w.platform.NewIcon("disabled"));
    tray->SetState(tsDisabled);
    EXPECT_EQ(changing, 0);
    EXPECT_TRUE(w.shell.calls.empty());
    tray->ShowIcon();
    EXPECT_EQ(w.platform.Image(LastRecord().hIcon), "disabled");
}

TEST_F(TrayIcon, OnStateChangingMayCancelOrRedirectTheChange) {
    tray->SetIcon(w.platform.NewIcon("normal"));
    tray->SetDisabledIcon(w.platform.NewIcon("disabled"));
    tray->ShowIcon();
    std::vector<TVXTrayIconState> asked;
    TVXTrayIconState answer = tsEnabled;
    tray->OnStateChanging = [&](TComponent* sender, TVXTrayIconState& newState) {
        EXPECT_EQ(sender, tray);
        EXPECT_TRUE(InStateChanging);
        asked.push_back(newState);
        newState = answer;
    };
    const size_t calls = w.shell.calls.size();
    tray->SetState(tsDisabled);  // handler answers the current state: cancelled
    EXPECT_EQ(tray->State(), tsEnabled);
    EXPECT_EQ(w.shell.calls.size(), calls);
    EXPECT_FALSE(InStateChanging);

    tray->SetState(tsEnabled);  // the current value: no event
    EXPECT_EQ(asked.size(), 1u);

    answer = tsDisabled;
    tray->SetState(tsAnimated);  // redirected to a third value
    EXPECT_EQ(asked, (std::vector<TVXTrayIconState>{tsDisabled, tsAnimated}));
    EXPECT_EQ(tray->State(), tsDisabled);
    EXPECT_EQ(w.platform.Image(LastRecord().hIcon), "disabled");
    EXPECT_FALSE(TrayIconAnimationTestAccess::Running(tray->Animation()));
}

TEST_F(TrayIcon, WritingStateInsideOnStateChangingRaisesAndKeepsTheOldState) {
    tray->ShowIcon();
    bool innerRaised = false;
    tray->OnStateChanging = [&](TComponent*, TVXTrayIconState&) {
        try {
            tray->SetState(tsAnimated);
        } catch (const EInvalidOperation& e) {
            innerRaised = true;
            EXPECT_STREQ(e.what(), "You cannot modify the state property in the OnStateChanging event !!!");
            EXPECT_FALSE(InStateChanging) << "cleared before raising";
            throw;
        }
    };
    EXPECT_THROW(tray->SetState(tsDisabled), EInvalidOperation);
    EXPECT_TRUE(innerRaised);
    EXPECT_EQ(tray->State(), tsEnabled);
    EXPECT_FALSE(InStateChanging);

    // A handler that raises on its own also leaves the flag cleared.
    tray->OnStateChanging = [](TComponent*, TVXTrayIconState&) { throw std::runtime_error("no"); };
    EXPECT_THROW(tray->SetState(tsDisabled), std::runtime_error);
    EXPECT_FALSE(InStateChanging);
    tray->OnStateChanging = nullptr;
    tray->SetState(tsDisabled);
    EXPECT_EQ(tray->State(), tsDisabled);
}

// --- clicks --------------------------------------------------------------------

// Read before any test sets it: what the unit itself starts with.
const int32_t kShippedClickDelay = TrayClickDelay;

TEST_F(TrayIcon, AClickWaitsFourHundredMillisecondsAsShipped) { EXPECT_EQ(kShippedClickDelay, 400); }

TEST_F(TrayIcon, SinglePressWaitsForAPossibleDoubleClick) {
    CountClicks();
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.platform.Mouse(winapi::kWmLButtonUp);
    w.time.Advance(399);
    EXPECT_EQ(clicks, 0) << "no click before 400 ms";
    w.time.Advance(51);  // the wait alone runs on a 150 ms period: due at 450
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dblClicks, 0);
    w.time.Advance(2000);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(w.platform.AnyTimerRunning()) << "idle again: no timer";
}

TEST_F(TrayIcon, QuickDoublePressFiresOnlyOnDblClick) {
    CountClicks();
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.platform.Mouse(winapi::kWmLButtonUp);
    w.time.Advance(60);
    w.platform.Mouse(winapi::kWmLButtonDblClk);
    EXPECT_EQ(dblClicks, 1) << "at once";
    w.platform.Mouse(winapi::kWmLButtonUp);
    w.time.Advance(2000);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(dblClicks, 1);
}

TEST_F(TrayIcon, APressAfterADoubleClickIsASingleClickAgain) {
    CountClicks();
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.platform.Mouse(winapi::kWmLButtonDblClk);
    ASSERT_EQ(dblClicks, 1);
    w.time.Advance(1000);
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.time.Advance(450);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dblClicks, 1);
}

TEST_F(TrayIcon, LateDoubleClickMessageComesAfterTheFirstClick) {
    CountClicks();
    w.platform.Mouse(winapi::kWmRButtonDown);  // every button counts alike
    w.time.Advance(450);
    w.platform.Mouse(winapi::kWmRButtonDblClk);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dblClicks, 1);
}

TEST_F(TrayIcon, SecondPressWhileWaitingDoesNotRestartTheWait) {
    CountClicks();
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.time.Advance(300);
    w.platform.Mouse(winapi::kWmMButtonDown);
    w.time.Advance(150);
    EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIcon, OnlyOnClickSetClicksAtTheDeferredCallWithoutDelay) {
    CountClicks(false);
    w.platform.Mouse(winapi::kWmLButtonDown);
    EXPECT_EQ(clicks, 0) << "not inside the shell's notification";
    w.platform.DeliverPosted();
    EXPECT_EQ(clicks, 1) << "no time has passed";

    // A double press: the click of the first press, nothing for the double.
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.platform.DeliverPosted();
    w.platform.Mouse(winapi::kWmLButtonDblClk);
    w.platform.DeliverPosted();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(w.platform.TimerStarts(), 0);
}

TEST_F(TrayIcon, ClickHandlerFailuresFollowTheirPath) {
    tray->OnClick = [](TComponent*) { throw std::runtime_error("click failed"); };
    // Deferred: swallowed.
    w.platform.Mouse(winapi::kWmLButtonDown);
    EXPECT_NO_THROW(w.platform.DeliverPosted());
    EXPECT_TRUE(w.app.reported.empty());

    // From the click wait: the platform timer reports it.
    tray->OnDblClick = [](TComponent*) { throw std::runtime_error("double failed"); };
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.time.Advance(450);
    EXPECT_EQ(w.app.reported, std::vector<std::string>{"click failed"});
    EXPECT_FALSE(TrayIconMsgWindowTestAccess::ClickTimer(tray->MsgWindow())->Enabled());

    // From the double-click message: not caught by the component.
    w.platform.Mouse(winapi::kWmLButtonDown);
    EXPECT_THROW(w.platform.Mouse(winapi::kWmLButtonDblClk), std::runtime_error);
}

TEST_F(TrayIcon, RightPressShowsThePopupMenuOnlyWithAutoPopupAndAMenu) {
    CountClicks(false);
    auto* menu = new TPopupMenu(&form, 77);
    uint32_t chosen = 0;
    menu->OnCommand = [&](uint32_t command) { chosen = command; };
    tray->SetPopupMenu(menu);
    w.platform.cursor = {640, 1000};
    w.platform.Mouse(winapi::kWmMouseMove);  // the menu opens where the last move was reported
    w.platform.menuChoice = 5;

    w.platform.Mouse(winapi::kWmRButtonDown);  // AutoPopup false: an ordinary click
    w.platform.DeliverPosted();
    EXPECT_EQ(clicks, 1);

    tray->SetAutoPopup(true);
    w.log.clear();
    w.platform.Mouse(winapi::kWmRButtonDown);
    EXPECT_EQ(w.log, (std::vector<std::string>{"SetForegroundWindow 256", "ProcessMessages",
                                               "TrackPopupMenu 77 at 640,1000 owner 20480"}));
    ASSERT_EQ(w.platform.queue.size(), 1u);
    EXPECT_EQ(w.platform.queue.front().window, FakeApp::kAppWindow);
    EXPECT_EQ(w.platform.queue.front().message, winapi::kWmUser);
    EXPECT_EQ(chosen, 5u);
    w.platform.DeliverPosted();
    EXPECT_EQ(clicks, 1) << "a popup is no click";

    w.platform.Mouse(winapi::kWmLButtonDown);  // left stays a click
    w.platform.DeliverPosted();
    EXPECT_EQ(clicks, 2);

    delete menu;  // gone: the right button clicks again
    w.platform.Mouse(winapi::kWmRButtonDown);
    w.platform.DeliverPosted();
    EXPECT_EQ(clicks, 3);
}

// --- enter, move, exit -------------------------------------------------------------

TEST_F(TrayIcon, EnterMoveAndExitWithTheTwoPixelRule) {
    std::vector<std::string> events;
    auto record = [&](const char* name) {
        return [&events, name, this](TComponent* sender, TShiftState shift, int32_t x, int32_t y) {
            EXPECT_EQ(sender, tray);
            events.push_back(std::string(name) + " " + std::to_string(shift) + " " + std::to_string(x) + "," +
                             std::to_string(y));
        };
    };
    tray->OnMouseEnter = record("enter");
    tray->OnMouseMove = record("move");
    tray->OnMouseExit = record("exit");

    w.platform.cursor = {10, 20};
    w.platform.Mouse(winapi::kWmMouseMove);
    EXPECT_EQ(events, std::vector<std::string>{"enter 0 10,20"}) << "the entering move is no move";
    EXPECT_TRUE(TrayIconMsgWindowTestAccess::ExitTimer(tray->MsgWindow())->Enabled());
    EXPECT_EQ(w.platform.Timers()[0]->period, 70u);

    w.platform.keysDown = {winapi::kVkShift, winapi::kVkLButton};
    w.platform.cursor = {12, 21};
    w.platform.Mouse(winapi::kWmMouseMove);
    EXPECT_EQ(events.back(), "move 9 12,21");
    w.platform.keysDown.clear();

    w.platform.cursor = {14, 23};  // two pixels off on both axes: still over
    w.time.Advance(70);
    EXPECT_EQ(events.size(), 2u);
    w.platform.cursor = {15, 21};  // three pixels off
    w.time.Advance(69);
    EXPECT_EQ(events.size(), 2u) << "seen only at the next poll";
    w.time.Advance(1);
    EXPECT_EQ(events.back(), "exit 0 12,21") << "the last reported point";
    EXPECT_FALSE(TrayIconMsgWindowTestAccess::MouseInside(tray->MsgWindow()));
    EXPECT_FALSE(w.platform.AnyTimerRunning());

    w.platform.Mouse(winapi::kWmMouseMove);
    EXPECT_EQ(events.back(), "enter 0 15,21");
}

TEST_F(TrayIcon, NoMoveEventsWhileAClickWaits) {
    CountClicks();
    int moves = 0;
    tray->OnMouseMove = [&](TComponent*, TShiftState, int32_t, int32_t) { ++moves; };
    w.platform.Mouse(winapi::kWmMouseMove);
    EXPECT_EQ(moves, 1) << "without enter/exit handlers the first move counts";
    w.platform.Mouse(winapi::kWmLButtonDown);
    w.platform.Mouse(winapi::kWmMouseMove);
    EXPECT_EQ(moves, 1);
    w.time.Advance(450);
    w.platform.Mouse(winapi::kWmMouseMove);
    EXPECT_EQ(moves, 2);
    EXPECT_TRUE(TrayIconMsgWindowTestAccess::MouseInside(tray->MsgWindow()));
    EXPECT_FALSE(TrayIconMsgWindowTestAccess::ExitTimer(tray->MsgWindow())->Enabled()) << "nothing to poll for";
}

TEST_F(TrayIcon, FailingExitHandlerIsSwallowedByThePoll) {
    tray->OnMouseExit = [](TComponent*, TShiftState, int32_t, int32_t) { throw std::runtime_error("exit"); };
    w.platform.Mouse(winapi::kWmMouseMove);
    w.platform.cursor.X += 10;
    EXPECT_NO_THROW(w.time.Advance(70));
    EXPECT_TRUE(w.app.reported.empty());
    EXPECT_FALSE(TrayIconMsgWindowTestAccess::MouseInside(tray->MsgWindow()));
}

// --- deferred calls, minimise and restore ---------------------------------------

TEST_F(TrayIcon, OneDeferredSlotTheLaterCallWins) {
    tray->ShowIcon();
    int minimized = 0, restored = 0;
    tray->OnAppMinimize = [&](TComponent*) { ++minimized; };
    tray->OnAppRestore = [&](TComponent*) { ++restored; };
    w.app.minimizeHook();  // defers DoMinimizeApp
    w.app.restoreHook();   // replaces it with DoRestoreApp
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1) << "events fire before the deferred work";
    EXPECT_EQ(w.platform.queue.size(), 2u);
    w.log.clear();
    EXPECT_EQ(w.platform.DeliverPosted(), 2);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "ShowWindow 256 9"), 1) << "the restore ran once";
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "ShowWindow 256 0"), 0) << "the minimise never ran";
}

TEST_F(TrayIcon, MinimiseToTrayHidesTheApplicationWindowUnderADesktopLock) {
    tray->ShowIcon();
    int minimized = 0;
    tray->OnAppMinimize = [&](TComponent*) { ++minimized; };
    w.log.clear();
    w.app.Minimize();
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(w.log, std::vector<std::string>{"Minimize"}) << "the work waits for the queue";
    w.platform.DeliverPosted();
    EXPECT_EQ(w.log, (std::vector<std::string>{"Minimize", "LockWindowUpdate 16", "Minimize", "ShowWindow 256 0",
                                               "LockWindowUpdate 0"}));
    EXPECT_FALSE(w.platform.IsWindowVisible(FakeApp::kAppWindow));
    EXPECT_EQ(TrayLockCount, 0);
}

TEST_F(TrayIcon, MinimiseLeavesTheTaskbarEntryWhenInactiveOrWithoutTheOption) {
    int minimized = 0;
    tray->OnAppMinimize = [&](TComponent*) { ++minimized; };
    w.app.minimizeHook();
    EXPECT_TRUE(w.platform.queue.empty());
    tray->ShowIcon();
    tray->SetOptions({});
    w.app.minimizeHook();
    EXPECT_TRUE(w.platform.queue.empty());
    EXPECT_EQ(minimized, 2);
}

TEST_F(TrayIcon, RestoreBringsBackTheApplicationAndTheMainForm) {
    tray->ShowIcon();
    w.platform.iconic.insert(FakeApp::kAppWindow);
    w.platform.visible.clear();
    w.log.clear();
    w.app.restoreHook();
    w.platform.DeliverPosted();
    // Restoring the application raises its restore notice again, so a second,
    // short pass follows; it finds the application restored and visible.
    EXPECT_EQ(w.log, (std::vector<std::string>{"LockWindowUpdate 16", "Restore", "ShowMainForm", "ShowWindow 256 9",
                                               "SetForegroundWindow 256", "LockWindowUpdate 0", "LockWindowUpdate 16",
                                               "ShowWindow 256 9", "SetForegroundWindow 256", "LockWindowUpdate 0"}));
    EXPECT_TRUE(w.platform.IsWindowVisible(FakeApp::kMainForm));

    // Already restored and visible: only the show and the foreground.
    w.log.clear();
    w.app.restoreHook();
    w.platform.DeliverPosted();
    EXPECT_EQ(w.log, (std::vector<std::string>{"LockWindowUpdate 16", "ShowWindow 256 9", "SetForegroundWindow 256",
                                               "LockWindowUpdate 0"}));
}

TEST_F(TrayIcon, FailingDeferredCallIsSwallowedAndTheDesktopUnlocked) {
    struct FailingApp : FakeApp {
        using FakeApp::FakeApp;
        void Minimize() override { throw std::runtime_error("minimise failed"); }
    };
    test::FakeWorld other;
    FailingApp app(other.platform, other.log);
    test::TestForm otherForm;
    auto* icon = new TVXTrayIcon95(&otherForm, TrayEnvironment{app, other.platform, other.shell, other.time});
    icon->ShowIcon();
    app.minimizeHook();
    EXPECT_NO_THROW(other.platform.DeliverPosted());
    EXPECT_EQ(TrayLockCount, 0);
    EXPECT_EQ(other.log.back(), "LockWindowUpdate 0");
    EXPECT_TRUE(app.reported.empty());
    // The slot is empty: a stray message does nothing.
    other.platform.Post(FakePlatform::kHiddenWindow, WM_TRAYDEFERREDCALL, 0, 0);
    other.log.clear();
    other.platform.DeliverPosted();
    EXPECT_TRUE(other.log.empty());
}

std::vector<std::string> ignored;
void CollectIgnored(const std::string& line) { ignored.push_back(line); }

TEST_F(TrayIcon, FailingDeferredCallLeavesItsMessageOnTheDebuggerOutput) {
    ignored.clear();
    const IgnoredFailureSink previous = SetIgnoredFailureSink(&CollectIgnored);
    tray->DeferCall([](TComponent*) { throw std::runtime_error("deferred call failed"); }, tray);
    w.platform.DeliverPosted();
    SetIgnoredFailureSink(previous);
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_NE(ignored[0].find("deferred call failed"), std::string::npos) << ignored[0];
}

TEST_F(TrayIcon, NestedDesktopLocksLockOnceAndUnlockAtZero) {
    struct Exposed : TVXTrayIcon95 {
        using TVXTrayIcon95::LockDesktopUpdate;
        using TVXTrayIcon95::TVXTrayIcon95;
    };
    auto* icon = new Exposed(&form, w.Env());
    w.log.clear();
    icon->LockDesktopUpdate(true);
    icon->LockDesktopUpdate(true);
    icon->LockDesktopUpdate(false);
    icon->LockDesktopUpdate(false);
    EXPECT_EQ(w.log, (std::vector<std::string>{"LockWindowUpdate 16", "LockWindowUpdate 16", "LockWindowUpdate 0"}));
}

// --- idle costs nothing ---------------------------------------------------------------

TEST_F(TrayIcon, IdleTrayIconRunsNoTimerAtAll) {
    tray->SetIcon(w.platform.NewIcon("program"));
    tray->SetHint("Pastimo - Click");
    tray->SetAutoPopup(false);
    tray->OnClick = [](TComponent*) {};
    tray->OnDblClick = [](TComponent*) {};
    tray->ShowIcon();
    tray->SetState(tsDisabled);
    tray->SetState(tsEnabled);
    w.platform.Mouse(winapi::kWmMouseMove);
    w.time.Advance(60 * 60 * 1000);
    EXPECT_EQ(w.platform.TimerStarts(), 0);
    EXPECT_EQ(w.platform.Timers()[0]->expiries, 0);
}

}  // namespace
}  // namespace pastimo
