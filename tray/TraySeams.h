#pragma once
// What the tray icon needs from the platform, the shell and the application,
// as portable interfaces: the Win32 layer (tray/win32) implements them for the
// program, fakes implement them for the tests. Handles are THandle values, as
// wide as a pointer. Portable: no Windows headers here.

#include "toolkit/Component.h"
#include "toolkit/Handle.h"
#include "tray/TrayTimers.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace pastimo {

class TVXTrayIconMsgWindow;

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

// One message of the hidden window. Result is what the window procedure returns.
// WParam, LParam and Result are pointer-sized, as the platform's are.
struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// The shell's notification record in its first layout: 88 bytes in a 32-bit
// program, 104 in a 64-bit one, where the two handles are 8 bytes wide and
// aligned to 8.
struct NotifyIconRecord {
    uint32_t cbSize;
    THandle hWnd;
    uint32_t uID;
    uint32_t uFlags;
    uint32_t uCallbackMessage;
    THandle hIcon;
    char szTip[64];
};
constexpr uint32_t kNotifyIconRecordSize = sizeof(void*) == 4 ? 88 : 104;
static_assert(sizeof(NotifyIconRecord) == kNotifyIconRecordSize, "the shell reads the first layout exactly");

// Shell_NotifyIconA.
struct TrayShell {
    virtual ~TrayShell() = default;
    // message is winapi::kNimAdd, kNimModify or kNimDelete. Returns the
    // shell's answer; the tray icon does not look at it.
    virtual bool NotifyIcon(uint32_t message, const NotifyIconRecord& record) = 0;
    // The tip as the record carries it: the hint (UTF-8) in the shell's 8-bit
    // code page, at most `capacity` bytes, never cut inside a character.
    virtual std::string TipText(const std::string& hint, size_t capacity) = 0;
};

// Icon handles: every handle a TIcon holds is its own and is destroyed by it.
struct IconHandles {
    virtual ~IconHandles() = default;
    virtual THandle CopyIcon(THandle icon) = 0;
    virtual void DestroyIcon(THandle icon) = 0;
    // A new handle from an icon file; EFOpenError when the file cannot be
    // opened, another exception when it holds no icon.
    virtual THandle LoadIconFile(const std::string& path) = 0;
    // A new handle for an icon resource of the program; 0 when there is none.
    virtual THandle LoadIconResource(const std::string& name) = 0;
};

// The window-manager calls of the tray icon, plus its hidden window and timer.
struct TrayPlatform : IconHandles {
    // An invisible top-level window whose messages all go to target.WndProc
    // (so that broadcasts such as "TaskbarCreated" reach it).
    virtual THandle CreateHiddenWindow(TVXTrayIconMsgWindow& target) = 0;
    virtual void DestroyHiddenWindow(THandle window) = 0;
    // The message number the shell broadcasts when its taskbar is (re)created; 0 if none.
    virtual uint32_t TaskbarCreatedMessage() = 0;
    virtual std::unique_ptr<PlatformTimer> CreateTimer(std::function<void(const std::exception&)> report) = 0;

    // PostMessageA (not named so: windows.h makes that name a macro).
    virtual void Post(THandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual TPoint GetCursorPos() = 0;
    virtual int16_t GetKeyState(int virtualKey) = 0;
    virtual void ShowWindow(THandle window, int command) = 0;
    virtual bool IsIconic(THandle window) = 0;
    virtual bool IsWindowVisible(THandle window) = 0;
    virtual void SetForegroundWindow(THandle window) = 0;
    virtual THandle GetDesktopWindow() = 0;
    virtual void LockWindowUpdate(THandle window) = 0;
    // Shows the menu at a screen point, following the right button; returns
    // the command of the chosen item, 0 for none.
    virtual uint32_t TrackPopupMenu(THandle menu, int32_t x, int32_t y, THandle owner) = 0;
};

// What the tray icon uses of the application object.
struct TrayApplication {
    virtual ~TrayApplication() = default;
    virtual THandle Handle() = 0;  // the application window (carries the taskbar entry)
    virtual void Minimize() = 0;   // no effect when minimised already
    virtual void Restore() = 0;
    // One slot each; installing replaces what was there; an empty function clears it.
    virtual void SetMinimizeHook(std::function<void()> hook) = 0;
    virtual void SetRestoreHook(std::function<void()> hook) = 0;
    virtual void ShowMainForm() = 0;
    virtual THandle MainFormHandle() = 0;
    virtual void ProcessMessages() = 0;
    virtual void HandleException(const std::exception& failure) = 0;  // the error box
};

// Everything a tray icon is built with.
struct TrayEnvironment {
    TrayApplication& app;
    TrayPlatform& platform;
    TrayShell& shell;
    TickSource& ticks;
};

// An icon image: a handle the holder owns (0 = empty) and a change handler.
class TIcon {
public:
    explicit TIcon(IconHandles& handles) : FHandles(handles) {}
    ~TIcon() { Release(); }
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    THandle Handle() const { return FHandle; }
    bool Empty() const { return FHandle == 0; }

    void Assign(const TIcon& source) { AssignHandle(source.FHandle); }
    // A copy of a handle the caller keeps.
    void AssignHandle(THandle foreign) { Replace(foreign ? FHandles.CopyIcon(foreign) : 0); }
    // Takes over a handle made for this holder.
    void TakeHandle(THandle own) { Replace(own); }
    void Clear() { Replace(0); }

    std::function<void()> OnChange;

private:
    void Replace(THandle handle) {
        if (handle == FHandle) return;  // nothing changes
        Release();
        FHandle = handle;
        if (OnChange) OnChange();
    }
    void Release() {
        if (FHandle) FHandles.DestroyIcon(FHandle);
        FHandle = 0;
    }

    IconHandles& FHandles;
    THandle FHandle = 0;
};

// A popup menu the tray icon can show on the right button. The owner of the
// menu handle builds the menu; OnCommand gets the id of the chosen item.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner, THandle menu = 0) : TComponent(owner), FMenu(menu) {}
    THandle Handle() const { return FMenu; }
    void SetHandle(THandle menu) { FMenu = menu; }
    std::function<void(uint32_t command)> OnCommand;

private:
    THandle FMenu;
};

}  // namespace pastimo
