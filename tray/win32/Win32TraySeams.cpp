#include "tray/win32/Win32TraySeams.h"

#include "toolkit/Errors.h"
#include "toolkit/win32/Wide.h"
#include "toolkit/win32/Window.h"
#include "tray/VXTray95.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace pastimo {

// The tray's own numbers, made from Windows' ones.
static_assert(WM_TRAYICONCALLBACK == WM_USER + 100 && WM_TRAYDEFERREDCALL == WM_USER + 101);
static_assert(kTrayNotifyFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP));

namespace {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// Window, icon and menu handles cross the seam as THandle, as wide as a pointer.
THandle ToValue(const void* handle) { return reinterpret_cast<THandle>(handle); }
template <typename Handle>
Handle ToHandle(THandle value) {
    return reinterpret_cast<Handle>(value);
}

Win32TimerActivity activity;

// ---------------------------------------------------------------------------
// The platform timer: SetTimer id 1 on a message-only window of its own,
// made when the timer first starts (an idle tray icon never starts it).

class Win32Timer : public PlatformTimer, private Window {
public:
    static constexpr UINT_PTR kTimerId = 1;

    explicit Win32Timer(std::function<void(const std::exception&)> report) : FReport(std::move(report)) {}
    ~Win32Timer() override {
        if (Handle()) KillTimer(Handle(), kTimerId);
    }
    void Start(uint32_t periodMs) override {
        if (!Handle()) {
            WindowPlacement placement;
            placement.left = placement.top = 0;
            placement.parent = HWND_MESSAGE;
            Create({L"PastimoTrayTimer"}, placement);
        }
        KillTimer(Handle(), kTimerId);
        if (!SetTimer(Handle(), kTimerId, periodMs, nullptr)) throw EOutOfResources("Not enough timers available");
        ++activity.starts;
    }
    void Stop() override {
        if (Handle()) KillTimer(Handle(), kTimerId);
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kTimerId) {
            ++activity.messages;
            // A copy: the handler may release this timer (with its tray icon).
            auto handle = handler;
            if (handle) handle();
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }
    void HandleException(const std::exception& failure) override {
        if (FReport) FReport(failure);
    }

    std::function<void(const std::exception&)> FReport;
};

// ---------------------------------------------------------------------------
// The tray icon's hidden window: top-level (not message-only), because the
// shell's "TaskbarCreated" is broadcast to top-level windows only.

class TrayIconWindow : public Window {
public:
    explicit TrayIconWindow(TVXTrayIconMsgWindow& target) : FTarget(target) {
        WindowPlacement placement;
        placement.exStyle = WS_EX_TOOLWINDOW;
        placement.style = WS_POPUP;
        placement.left = placement.top = 0;
        Create({L"PastimoTrayIconWindow"}, placement);
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TMessage m{message, wParam, lParam, 0};
        if (FTarget.WndProc(m)) return m.Result;
        return DefaultHandling(message, wParam, lParam);
    }
    void HandleException(const std::exception& failure) override { FTarget.HandleException(failure); }

    TVXTrayIconMsgWindow& FTarget;
};

class Win32Platform : public TrayPlatform {
public:
    THandle CopyIcon(THandle icon) override { return icon ? ToValue(::CopyIcon(ToHandle<HICON>(icon))) : 0; }
    void DestroyIcon(THandle icon) override {
        if (icon) ::DestroyIcon(ToHandle<HICON>(icon));
    }
    THandle LoadIconFile(const std::string& path) override {
        // Tell "cannot open" (skipped by the animation) from "not an icon".
        const std::wstring widePath = Wide(path);
        HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) throw EFOpenError(path);
        CloseHandle(file);
        HANDLE icon = LoadImageW(nullptr, widePath.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
        if (!icon) throw Exception("Icon image is not valid");
        return ToValue(icon);
    }
    THandle LoadIconResource(const std::string& name) override {
        // LoadIconA hands out a shared icon that must not be destroyed: keep a copy.
        HICON shared = LoadIconW(Instance(), Wide(name).c_str());
        return shared ? ToValue(::CopyIcon(shared)) : 0;
    }

    THandle CreateHiddenWindow(TVXTrayIconMsgWindow& target) override {
        auto window = std::make_unique<TrayIconWindow>(target);
        const THandle handle = ToValue(window->Handle());
        FHiddenWindows[handle] = std::move(window);
        return handle;
    }
    void DestroyHiddenWindow(THandle window) override {
        // Unbound before it goes: messages still queued for it reach nobody.
        FHiddenWindows.erase(window);
    }
    uint32_t TaskbarCreatedMessage() override { return RegisterWindowMessageW(L"TaskbarCreated"); }
    std::unique_ptr<PlatformTimer> CreateTimer(std::function<void(const std::exception&)> report) override {
        return std::make_unique<Win32Timer>(std::move(report));
    }

    void Post(THandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        PostMessageW(ToHandle<HWND>(window), message, wParam, lParam);
    }
    TPoint GetCursorPos() override {
        POINT p{};
        ::GetCursorPos(&p);
        return TPoint{p.x, p.y};
    }
    int16_t GetKeyState(int virtualKey) override { return ::GetKeyState(virtualKey); }
    void ShowWindow(THandle window, int command) override { ::ShowWindow(ToHandle<HWND>(window), command); }
    bool IsIconic(THandle window) override { return ::IsIconic(ToHandle<HWND>(window)) != FALSE; }
    bool IsWindowVisible(THandle window) override { return ::IsWindowVisible(ToHandle<HWND>(window)) != FALSE; }
    void SetForegroundWindow(THandle window) override { ::SetForegroundWindow(ToHandle<HWND>(window)); }
    THandle GetDesktopWindow() override { return ToValue(::GetDesktopWindow()); }
    void LockWindowUpdate(THandle window) override { ::LockWindowUpdate(ToHandle<HWND>(window)); }
    uint32_t TrackPopupMenu(THandle menu, int32_t x, int32_t y, THandle owner) override {
        const BOOL command = ::TrackPopupMenu(ToHandle<HMENU>(menu), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x,
                                              y, 0, ToHandle<HWND>(owner), nullptr);
        return static_cast<uint32_t>(command);
    }

private:
    std::map<THandle, std::unique_ptr<TrayIconWindow>> FHiddenWindows;
};

class Win32Shell : public TrayShell {
public:
    bool NotifyIcon(uint32_t message, const NotifyIconRecord& record) override {
        static_assert(NOTIFYICONDATAA_V1_SIZE == kNotifyIconRecordSize, "the record is the platform's first layout");
        NOTIFYICONDATAA data;
        std::memset(&data, 0, sizeof data);
        // The first layout of the record: what every shell version reads.
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = ToHandle<HWND>(record.hWnd);
        data.uID = record.uID;
        data.uFlags = record.uFlags;
        data.uCallbackMessage = record.uCallbackMessage;
        data.hIcon = ToHandle<HICON>(record.hIcon);
        static_assert(sizeof data.szTip >= sizeof record.szTip, "tip fits");
        std::memcpy(data.szTip, record.szTip, sizeof record.szTip);
        return Shell_NotifyIconA(message, &data) != FALSE;
    }
    // The shell's 8-bit call reads the tip in the ANSI code page, where a
    // character may take two bytes: convert one character at a time (a
    // surrogate pair whole) and stop before the first that no longer fits.
    std::string TipText(const std::string& hint, size_t capacity) override {
        const std::wstring wide = Wide(hint);
        std::string tip;
        for (size_t at = 0; at < wide.size();) {
            const bool pair = IS_HIGH_SURROGATE(wide[at]) && at + 1 < wide.size() && IS_LOW_SURROGATE(wide[at + 1]);
            const int units = pair ? 2 : 1;
            char bytes[8];
            const int length =
                WideCharToMultiByte(CP_ACP, 0, wide.data() + at, units, bytes, sizeof bytes, nullptr, nullptr);
            if (length <= 0 || tip.size() + static_cast<size_t>(length) > capacity) break;
            tip.append(bytes, static_cast<size_t>(length));
            at += static_cast<size_t>(units);
        }
        return tip;
    }
};

class Win32Ticks : public TickSource {
public:
    uint32_t Now() override { return GetTickCount(); }
};

}  // namespace

TrayPlatform& Win32TrayPlatform() {
    static Win32Platform platform;
    return platform;
}

TrayShell& Win32TrayShell() {
    static Win32Shell shell;
    return shell;
}

TickSource& Win32TickSource() {
    static Win32Ticks ticks;
    return ticks;
}

TrayEnvironment Win32TrayEnvironment(TrayApplication& app) {
    return TrayEnvironment{app, Win32TrayPlatform(), Win32TrayShell(), Win32TickSource()};
}

Win32TimerActivity Win32TimerCounters() { return activity; }

}  // namespace pastimo
