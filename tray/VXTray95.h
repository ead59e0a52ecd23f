#pragma once
// TVXTrayIcon95: one icon in the notification area, its tip, its mouse events
// (click and double click told apart by a TrayClickDelay wait, move, enter,
// exit), an optional popup menu, minimise-to-tray, and three display states.
//
// Use from the main window (Win32: env = Win32TrayEnvironment(app), tray/win32/Win32TraySeams.h):
//   auto* tray = new TVXTrayIcon95(form, env);   // form->IsForm(); deleted with the form
//   tray->SetIcon(iconHandle);                    // copied: the caller keeps its handle
//   tray->SetHint("Pastimo - Click");  tray->SetAutoPopup(false);
//   tray->SetOptions({toMinimizeToTray});
//   tray->OnClick = tray->OnDblClick = [](TComponent* sender) { ... };
//   tray->ShowIcon();   ...   tray->HideIcon();
// A form that writes stored properties calls BeginLoad() first and AfterLoad() last
// (the component's reading phase).
// Portable: no Windows headers here.

#include "toolkit/Component.h"
#include "tray/TrayIconAnimation.h"
#include "tray/TrayIconMsgWindow.h"
#include "tray/TraySeams.h"
#include "tray/TrayTimers.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace pastimo {

enum TVXTrayIconState : uint8_t { tsEnabled = 0, tsDisabled = 1, tsAnimated = 2 };
enum TVXTrayIconOption : uint8_t { toMinimizeToTray = 0 };

// A set of TVXTrayIconOption in one byte; bit 0 = toMinimizeToTray.
struct TVXTrayIconOptions {
    uint8_t Bits = 0;
    constexpr TVXTrayIconOptions() = default;
    constexpr TVXTrayIconOptions(std::initializer_list<TVXTrayIconOption> options) {
        for (TVXTrayIconOption o : options) Bits = static_cast<uint8_t>(Bits | (1u << o));
    }
    constexpr bool Contains(TVXTrayIconOption o) const { return (Bits >> o) & 1u; }
    constexpr bool operator==(TVXTrayIconOptions other) const { return Bits == other.Bits; }
};

// Shift, Alt, Ctrl, left, right, middle.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int32_t x, int32_t y)>;
using TVXTrayIconStateChangingEvent = std::function<void(TComponent* sender, TVXTrayIconState& newState)>;

// Shared by every tray icon of the process.
extern int32_t TrayClickDelay;  // ms a click waits for a double click
extern int32_t TrayLockCount;   // nesting of LockDesktopUpdate
extern bool InStateChanging;    // an OnStateChanging handler runs

// Private messages of the hidden window, in the range Windows leaves to a
// window class of its own (WM_USER and up).
constexpr uint32_t WM_TRAYICONCALLBACK = 0x400 + 100;  // from the shell; lParam = mouse message
constexpr uint32_t WM_TRAYDEFERREDCALL = 0x400 + 101;  // posted to itself
constexpr uint32_t kTrayIconId = 42;
constexpr uint32_t kTrayNotifyFlags = 7;  // message + icon + tip
constexpr size_t kTrayTipLength = 63;

// A tray icon's hidden window as a member: made by the constructor,
// destroyed with the member; reads as its handle.
class TrayHiddenWindow {
public:
    explicit TrayHiddenWindow(TrayPlatform& platform) noexcept : FPlatform(platform) {}
    ~TrayHiddenWindow() {
        if (FHandle) FPlatform.DestroyHiddenWindow(FHandle);
    }
    TrayHiddenWindow(const TrayHiddenWindow&) = delete;
    TrayHiddenWindow& operator=(const TrayHiddenWindow&) = delete;

    void Create(TVXTrayIconMsgWindow& target) { FHandle = FPlatform.CreateHiddenWindow(target); }
    operator THandle() const noexcept { return FHandle; }

private:
    TrayPlatform& FPlatform;  // not owned: the environment's
    THandle FHandle = 0;
};

class TVXTrayIcon95 : public TComponent {
public:
    // Raises EInvalidOperation unless owner is a form.
    TVXTrayIcon95(TComponent* owner, const TrayEnvironment& env);
    ~TVXTrayIcon95() override;
    // Stored as active: the icon is added now that the reading phase is over.
    void AfterLoad() override;

    void ShowIcon();
    void HideIcon();

    // Published properties, in their declared order.
    const TIcon& Icon() const { return FIcon; }
    void SetIcon(const TIcon& icon);
    void SetIcon(THandle iconHandle);  // a copy of the handle is kept
    const TIcon& DisabledIcon() const { return FDisabledIcon; }
    void SetDisabledIcon(const TIcon& icon);
    void SetDisabledIcon(THandle iconHandle);
    TVXTrayIconAnimation& Animation() { return *FAnimation; }
    bool Active() const { return FActive; }
    void SetActive(bool value);
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    // The events (OnAnimation ... OnStateChanging) are fields, below.
    TVXTrayIconOptions Options() const { return FOptions; }
    void SetOptions(TVXTrayIconOptions value) { FOptions = value; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    // Cleared when the menu is destroyed, whoever owns it.
    void SetPopupMenu(TPopupMenu* menu);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    TVXTrayIconState State() const { return FState; }
    void SetState(TVXTrayIconState value);

    THandle WindowHandle() const { return FWindowHandle; }
    TVXTrayIconMsgWindow& MsgWindow() { return *FMsgWindow; }
    TVXTimerManager& Timers() { return *FTimers; }
    const TIcon& DisplayIcon() const { return FDisplayIcon; }
    // The record the next shell call would carry.
    NotifyIconRecord NotifyRecord() const;

    void UpdateDisplayIcon();

    // What the message window asks of its tray icon.
    TrayPlatform& Platform() const { return FPlatform; }
    TShiftState ShiftState();
    void ShowPopupMenu();
    // One slot: a call not run yet is replaced by the new one.
    void DeferCall(TNotifyEvent method, TComponent* sender);
    void RunDeferredCall() noexcept;
    bool IsTaskbarCreated(uint32_t message) const noexcept {
        return FTaskbarCreated != 0 && message == FTaskbarCreated;
    }
    void TaskbarCreated();
    void HandleException(const std::exception& failure) { FApp.HandleException(failure); }

protected:
    void ComponentNotification(TComponent* component, TOperation operation) override;
    // The operations a derived tray icon may change, in this order.
    virtual void RestoreApp();
    virtual void MinimizeApp();
    virtual void LockDesktopUpdate(bool lock);

private:
    void NotifyShell(uint32_t message);
    void RefreshIcon();
    void LoadAnimationFrame(int32_t index);
    void IconChanged();
    void AppMinimized();
    void AppRestored();
    void DoMinimizeApp();
    void DoRestoreApp();

public:
    // The published events.
    TNotifyEvent OnAnimation;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseMoveEvent OnMouseEnter;
    TMouseMoveEvent OnMouseExit;
    TVXTrayIconStateChangingEvent OnStateChanging;
    TNotifyEvent OnAppMinimize;
    TNotifyEvent OnAppRestore;

private:
    // Settings and state: nothing happens when they go.
    bool FActive = false;
    bool FAutoPopup = false;
    TComponent* FOwnerForm = nullptr;  // not owned: the form that owns this component
    std::string FHint;
    TVXTrayIconState FState = tsEnabled;
    TVXTrayIconOptions FOptions{toMinimizeToTray};
    TPopupMenu* FPopupMenu = nullptr;  // not owned: cleared when the menu goes (ComponentNotification)
    bool FShowHint = true;
    NotifyIconRecord FNotifyData{};
    uint32_t FTaskbarCreated = 0;

    // What it is built with: the environment's, not owned.
    TrayApplication& FApp;
    TrayPlatform& FPlatform;
    TrayShell& FShell;
    TickSource& FTicks;

    // What it owns. The destructor takes the icon down; then these go in
    // reverse order of declaration, which is the order that matters: the
    // timers first, so that nothing ticks into a component on its way out;
    // the images; the hidden window, so that no message reaches the message
    // window after it, and with it the deferred call it would have run; last
    // the message window and the animation, whose timer items went with the
    // timers. (Everything above outlives these: ComponentNotification still
    // reads FPopupMenu while the two components leave.)
    std::unique_ptr<TVXTrayIconAnimation> FAnimation;
    std::unique_ptr<TVXTrayIconMsgWindow> FMsgWindow;  // a component of this one, destroyed here
    TNotifyEvent FPendingCall;
    TComponent* FPendingSender = nullptr;  // not owned: whoever deferred the call
    TrayHiddenWindow FWindowHandle;
    TIcon FDisplayIcon;
    TIcon FDisabledIcon;
    TIcon FIcon;
    std::unique_ptr<TVXTimerManager> FTimers;  // a component of this one, destroyed here
};

}  // namespace pastimo
