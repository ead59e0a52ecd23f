#include "tray/VXTray95.h"

#include "toolkit/AsciiText.h"
#include "toolkit/Errors.h"
#include "toolkit/WindowsNumbers.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace pastimo {

int32_t TrayClickDelay = 400;
int32_t TrayLockCount = 0;
bool InStateChanging = false;

namespace {

// The tray icon that holds each application's minimise and restore slots:
// only that one may clear them when it goes away.
std::map<TrayApplication*, TVXTrayIcon95*>& HookHolders() {
    static std::map<TrayApplication*, TVXTrayIcon95*> holders;
    return holders;
}

}  // namespace

TVXTrayIcon95::TVXTrayIcon95(TComponent* owner, const TrayEnvironment& env)
    : TComponent(owner), FApp(env.app), FPlatform(env.platform), FShell(env.shell), FTicks(env.ticks),
      FWindowHandle(env.platform), FDisplayIcon(env.platform), FDisabledIcon(env.platform), FIcon(env.platform) {
    // Nothing is made before this check: a refused owner leaves nothing behind.
    if (!owner || !owner->IsForm()) throw EInvalidOperation("TrayIcons must be owned by a Form !");
    FOwnerForm = owner;

    TrayApplication& app = FApp;
    FTimers = std::make_unique<TVXTimerManager>(
        this, FTicks, FPlatform.CreateTimer([&app](const std::exception& e) { app.HandleException(e); }));
    FTimers->SetEnabled(true);
    FMsgWindow = std::make_unique<TVXTrayIconMsgWindow>(this);
    FTaskbarCreated = FPlatform.TaskbarCreatedMessage();
    FWindowHandle.Create(*FMsgWindow);

    FNotifyData.uID = kTrayIconId;
    FNotifyData.uCallbackMessage = WM_TRAYICONCALLBACK;
    FNotifyData.hWnd = FWindowHandle;

    TVXTimerItem* frameTimer = FTimers->AddTimer(false, 1000, [this](TVXTimerItem*) { FAnimation->Step(); });
    FAnimation = std::make_unique<TVXTrayIconAnimation>(this, frameTimer);

    FIcon.OnChange = [this] { IconChanged(); };
    FDisabledIcon.OnChange = [this] { IconChanged(); };

    FApp.SetMinimizeHook([this] { AppMinimized(); });
    FApp.SetRestoreHook([this] { AppRestored(); });
    HookHolders()[&FApp] = this;
}

TVXTrayIcon95::~TVXTrayIcon95() {
    // Release the application's slots first: nothing may reach a component
    // on its way out. A newer tray icon's hooks stay where they are.
    auto holder = HookHolders().find(&FApp);
    if (holder != HookHolders().end() && holder->second == this) {
        FApp.SetMinimizeHook(nullptr);
        FApp.SetRestoreHook(nullptr);
        HookHolders().erase(holder);
    }

    HideIcon();
    FTimers->SetEnabled(false);
    // The rest goes with the members, in the order their declaration gives.
}

void TVXTrayIcon95::AfterLoad() {
    TComponent::AfterLoad();
    if (FActive) {
        // Stored as active: add the icon for real now.
        FActive = false;
        ShowIcon();
    }
}

void TVXTrayIcon95::SetActive(bool value) {
    if (Loading()) {
        FActive = value;
        return;
    }
    if (value)
        ShowIcon();
    else
        HideIcon();
}

void TVXTrayIcon95::ShowIcon() {
    if (FActive) return;
    UpdateDisplayIcon();
    FActive = true;
    FNotifyData.uFlags = kTrayNotifyFlags;
    NotifyShell(winapi::kNimAdd);
    if (FState == tsAnimated) FAnimation->Start();
}

void TVXTrayIcon95::HideIcon() {
    if (!FActive) return;
    FActive = false;
    if (FState == tsAnimated) FAnimation->Stop();
    NotifyShell(winapi::kNimDelete);
}

void TVXTrayIcon95::TaskbarCreated() {
    // Explorer restarted: its new taskbar knows no icons, so add ours again.
    if (!FActive) return;
    FNotifyData.uFlags = kTrayNotifyFlags;
    NotifyShell(winapi::kNimAdd);
}

void TVXTrayIcon95::RefreshIcon() {
    FNotifyData.uFlags = kTrayNotifyFlags;
    NotifyShell(winapi::kNimModify);
}

NotifyIconRecord TVXTrayIcon95::NotifyRecord() const {
    NotifyIconRecord record{};
    record.cbSize = sizeof(NotifyIconRecord);
    record.hWnd = FWindowHandle;
    record.uID = kTrayIconId;
    record.uFlags = FNotifyData.uFlags;
    record.uCallbackMessage = WM_TRAYICONCALLBACK;
    record.hIcon = FDisplayIcon.Handle();
    const size_t length = strnlen(FNotifyData.szTip, kTrayTipLength);
    std::memcpy(record.szTip, FNotifyData.szTip, length);
    return record;
}

void TVXTrayIcon95::NotifyShell(uint32_t message) {
    if (Loading()) return;
    FShell.NotifyIcon(message, NotifyRecord());  // a failing shell goes unnoticed
}

void TVXTrayIcon95::SetHint(const std::string& value) {
    if (value == FHint) return;
    FHint = value;
    if (FShowHint) SetShowHint(true);
}

void TVXTrayIcon95::SetShowHint(bool value) {
    FShowHint = value;
    std::memset(FNotifyData.szTip, 0, sizeof FNotifyData.szTip);
    if (value) {
        const std::string tip = FShell.TipText(FHint, kTrayTipLength);
        std::memcpy(FNotifyData.szTip, tip.data(), std::min(tip.size(), kTrayTipLength));
    }
    if (FActive) RefreshIcon();
}

void TVXTrayIcon95::UpdateDisplayIcon() {
    switch (FState) {
        case tsEnabled:
            FDisplayIcon.Assign(FIcon);
            break;
        case tsDisabled:
            FDisplayIcon.Assign(FDisabledIcon);
            break;
        case tsAnimated:
            LoadAnimationFrame(FAnimation->FrameIndex());
            break;
    }
    if (FActive) RefreshIcon();
}

void TVXTrayIcon95::IconChanged() {
    if (FActive) UpdateDisplayIcon();
}

void TVXTrayIcon95::SetIcon(const TIcon& icon) {
    FIcon.Assign(icon);
    UpdateDisplayIcon();
}

void TVXTrayIcon95::SetIcon(THandle iconHandle) {
    FIcon.AssignHandle(iconHandle);
    UpdateDisplayIcon();
}

void TVXTrayIcon95::SetDisabledIcon(const TIcon& icon) {
    FDisabledIcon.Assign(icon);
    UpdateDisplayIcon();
}

void TVXTrayIcon95::SetDisabledIcon(THandle iconHandle) {
    FDisabledIcon.AssignHandle(iconHandle);
    UpdateDisplayIcon();
}

void TVXTrayIcon95::LoadAnimationFrame(int32_t index) {
    const std::vector<std::string>& icons = FAnimation->Icons();
    if (index < 0 || static_cast<size_t>(index) >= icons.size()) return;  // the image stays
    const std::string& entry = icons[static_cast<size_t>(index)];
    try {
        if (FAnimation->Options() == aoIconsAreFiles) {
            FDisplayIcon.TakeHandle(FPlatform.LoadIconFile(entry));
        } else {
            // Resource names are looked up in upper case; a longer name than
            // a resource can have names no resource: an empty image.
            constexpr size_t kMaxResourceName = 255;
            THandle handle = 0;
            if (entry.size() <= kMaxResourceName) {
                std::string name = entry;
                for (char& c : name) c = AsciiUpper(c);
                handle = FPlatform.LoadIconResource(name);
            }
            FDisplayIcon.TakeHandle(handle);
        }
    } catch (const EFOpenError&) {
        IgnoreFailure("a frame file that cannot be opened leaves the tray image as it was");
    }
}

void TVXTrayIcon95::SetState(TVXTrayIconState value) {
    if (InStateChanging) {
        InStateChanging = false;
        throw EInvalidOperation("You cannot modify the state property in the OnStateChanging event !!!");
    }
    if (!FActive || Loading()) {
        FState = value;
        return;
    }
    if (value == FState) return;
    TVXTrayIconState newState = value;
    InStateChanging = true;
    try {
        if (OnStateChanging) OnStateChanging(this, newState);
    } catch (...) {
        InStateChanging = false;
        throw;
    }
    InStateChanging = false;
    if (newState == FState) return;
    if (FState == tsAnimated) FAnimation->Stop();
    FState = newState;
    UpdateDisplayIcon();
    if (FState == tsAnimated) FAnimation->Start();
}

TShiftState TVXTrayIcon95::ShiftState() {
    auto down = [this](int key) { return FPlatform.GetKeyState(key) < 0; };  // high bit set
    TShiftState shift = 0;
    if (down(winapi::kVkShift)) shift |= ssShift;
    if (down(winapi::kVkMenu)) shift |= ssAlt;
    if (down(winapi::kVkControl)) shift |= ssCtrl;
    if (down(winapi::kVkLButton)) shift |= ssLeft;
    if (down(winapi::kVkRButton)) shift |= ssRight;
    if (down(winapi::kVkMButton)) shift |= ssMiddle;
    return shift;
}

// ---------------------------------------------------------------------------
// Deferred calls: one slot, run when the queue reaches WM_TRAYDEFERREDCALL.

void TVXTrayIcon95::DeferCall(TNotifyEvent method, TComponent* sender) {
    FPendingCall = std::move(method);
    FPendingSender = sender;
    FPlatform.Post(FWindowHandle, WM_TRAYDEFERREDCALL, 0, 0);
}

void TVXTrayIcon95::RunDeferredCall() noexcept {
    if (!FPendingCall) return;  // already run by an earlier message
    TNotifyEvent call = std::move(FPendingCall);
    FPendingCall = nullptr;
    try {
        call(FPendingSender);
    } catch (...) {
        FPendingCall = nullptr;
        FPendingSender = nullptr;
        IgnoreFailure("a deferred tray call that fails ends there; the slot is emptied");
    }
}

// ---------------------------------------------------------------------------
// Minimise to tray and restore

void TVXTrayIcon95::AppMinimized() {
    if (FActive && FOptions.Contains(toMinimizeToTray)) MinimizeApp();
    if (OnAppMinimize) OnAppMinimize(this);
}

void TVXTrayIcon95::AppRestored() {
    if (FActive) RestoreApp();
    if (OnAppRestore) OnAppRestore(this);
}

// Deferred, so that the work runs after the application's own minimise or
// restore has returned.
void TVXTrayIcon95::MinimizeApp() {
    DeferCall([this](TComponent*) { DoMinimizeApp(); }, this);
}

void TVXTrayIcon95::RestoreApp() {
    DeferCall([this](TComponent*) { DoRestoreApp(); }, this);
}

namespace {
// Unlocks on every way out: a desktop left locked would stop all drawing.
struct DesktopLock {
    std::function<void(bool)> lock;
    explicit DesktopLock(std::function<void(bool)> l) : lock(std::move(l)) { lock(true); }
    ~DesktopLock() { lock(false); }
};
}  // namespace

void TVXTrayIcon95::DoMinimizeApp() {
    DesktopLock locked([this](bool on) { LockDesktopUpdate(on); });
    FApp.Minimize();
    FPlatform.ShowWindow(FApp.Handle(), winapi::kSwHide);  // the taskbar entry goes with it
}

void TVXTrayIcon95::DoRestoreApp() {
    DesktopLock locked([this](bool on) { LockDesktopUpdate(on); });
    if (FPlatform.IsIconic(FApp.Handle())) FApp.Restore();
    if (!FPlatform.IsWindowVisible(FApp.MainFormHandle())) FApp.ShowMainForm();
    FPlatform.ShowWindow(FApp.Handle(), winapi::kSwRestore);
    FPlatform.SetForegroundWindow(FApp.Handle());
}

void TVXTrayIcon95::LockDesktopUpdate(bool lock) {
    TrayLockCount += lock ? 1 : -1;
    if (TrayLockCount == 1)
        FPlatform.LockWindowUpdate(FPlatform.GetDesktopWindow());
    else if (TrayLockCount == 0)
        FPlatform.LockWindowUpdate(0);
}

// ---------------------------------------------------------------------------
// Popup menu

void TVXTrayIcon95::ShowPopupMenu() {
    if (!FPopupMenu) return;
    // A menu of a window that is not in the foreground does not close when
    // the user clicks elsewhere.
    FPlatform.SetForegroundWindow(FApp.Handle());
    FApp.ProcessMessages();
    TPopupMenu* menu = FPopupMenu;  // processing may have destroyed it
    if (!menu) return;
    const TPoint at = FMsgWindow->CursorPos();
    const uint32_t command = FPlatform.TrackPopupMenu(menu->Handle(), at.X, at.Y, FWindowHandle);
    // Lets the menu's window see a message, so a second popup works at once.
    FPlatform.Post(FApp.Handle(), winapi::kWmUser, 0, 0);
    if (command != 0 && FPopupMenu == menu && menu->OnCommand) menu->OnCommand(command);
}

void TVXTrayIcon95::SetPopupMenu(TPopupMenu* menu) {
    if (menu == FPopupMenu) return;
    if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = menu;
    if (FPopupMenu) FreeNotification(FPopupMenu);
}

void TVXTrayIcon95::ComponentNotification(TComponent* component, TOperation operation) {
    TComponent::ComponentNotification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

}  // namespace pastimo
