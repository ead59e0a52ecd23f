#include "tray/win32/TrayWin32.h"

#include "toolkit/Errors.h"
#include "tray/VXTray95.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

namespace pastimo {
namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Window and icon handles are 32-bit values on both sides of the seam.
uint32_t ToValue(const void* handle) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }
template <typename Handle>
Handle ToHandle(uint32_t value) {
    return reinterpret_cast<Handle>(static_cast<uintptr_t>(value));
}

std::string Failed(const char* call) {
    return std::string(call) + " failed, error " + std::to_string(GetLastError());
}

// A failure must not cross a window procedure, and neither may one raised by
// the error report itself.
template <typename Report>
void ReportSafely(Report&& report, const std::exception& failure) {
    try {
        report(failure);
    } catch (...) {
    }
}

void RegisterOnce(const char* name, WNDPROC proc) {
    WNDCLASSA existing;
    if (GetClassInfoA(Instance(), name, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.lpszClassName = name;
    if (!RegisterClassA(&wc)) throw EOutOfResources(Failed("RegisterClassA"));
}

Win32TimerActivity activity;

// ---------------------------------------------------------------------------
// The platform timer: SetTimer id 1 on a message-only window of its own.

class Win32Timer : public PlatformTimer {
public:
    static constexpr UINT_PTR TimerId = 1;

    explicit Win32Timer(std::function<void(const std::exception&)> report) : report_(std::move(report)) {
        RegisterOnce(ClassName, &Proc);
        window_ = CreateWindowExA(0, ClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(), this);
        if (!window_) throw EOutOfResources(Failed("CreateWindowExA"));
    }
    ~Win32Timer() override {
        KillTimer(window_, TimerId);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    void Start(uint32_t periodMs) override {
        KillTimer(window_, TimerId);
        if (!SetTimer(window_, TimerId, periodMs, nullptr)) throw EOutOfResources("Not enough timers available");
        ++activity.starts;
    }
    void Stop() override { KillTimer(window_, TimerId); }

private:
    static constexpr const char* ClassName = "PastimoTrayTimer";

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32Timer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_TIMER && wParam == TimerId) {
            ++activity.messages;
            self->Expired();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Expired() {
        // Copies: the handler may release this timer (with its tray icon).
        auto handle = handler;
        auto report = report_;
        try {
            if (handle) handle();
        } catch (const std::exception& e) {
            if (report) ReportSafely(report, e);
        } catch (...) {
            if (report) ReportSafely(report, Exception("Unexpected failure in a timer"));
        }
    }

    std::function<void(const std::exception&)> report_;
    HWND window_ = nullptr;
};

// ---------------------------------------------------------------------------
// The tray icon's hidden window: top-level (not message-only), because the
// shell's "TaskbarCreated" is broadcast to top-level windows only.

constexpr const char* TrayWindowClass = "PastimoTrayIconWindow";

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* target = reinterpret_cast<TVXTrayIconMsgWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (target) {
        TMessage m{message, static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam), 0};
        auto report = [target](const std::exception& e) { target->ReportException(e); };
        try {
            if (target->WndProc(m)) return m.Result;
        } catch (const std::exception& e) {
            ReportSafely(report, e);
            return 0;
        } catch (...) {
            ReportSafely(report, Exception("Unexpected failure in the tray icon"));
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Win32Platform : public TrayPlatform {
public:
    uint32_t CopyIcon(uint32_t icon) override {
        return icon ? ToValue(::CopyIcon(ToHandle<HICON>(icon))) : 0;
    }
    void DestroyIcon(uint32_t icon) override {
        if (icon) ::DestroyIcon(ToHandle<HICON>(icon));
    }
    uint32_t LoadIconFile(const std::string& path) override {
        // Tell "cannot open" (skipped by the animation) from "not an icon".
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) throw EFOpenError(path);
        CloseHandle(file);
        HANDLE icon = LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
        if (!icon) throw Exception("Icon image is not valid");
        return ToValue(icon);
    }
    uint32_t LoadIconResource(const std::string& name) override {
        // LoadIconA hands out a shared icon that must not be destroyed: keep a copy.
        HICON shared = LoadIconA(Instance(), name.c_str());
        return shared ? ToValue(::CopyIcon(shared)) : 0;
    }

    uint32_t CreateHiddenWindow(TVXTrayIconMsgWindow& target) override {
        RegisterOnce(TrayWindowClass, &TrayWindowProc);
        HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, TrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      Instance(), &target);
        if (!window) throw EOutOfResources(Failed("CreateWindowExA"));
        return ToValue(window);
    }
    void DestroyHiddenWindow(uint32_t window) override {
        HWND hwnd = ToHandle<HWND>(window);
        // Unbound first: messages still queued for it reach nobody.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
    uint32_t TaskbarCreatedMessage() override { return RegisterWindowMessageA("TaskbarCreated"); }
    std::unique_ptr<PlatformTimer> CreateTimer(std::function<void(const std::exception&)> report) override {
        return std::make_unique<Win32Timer>(std::move(report));
    }

    void Post(uint32_t window, uint32_t message, uint32_t wParam, int32_t lParam) override {
        PostMessageA(ToHandle<HWND>(window), message, wParam, lParam);
    }
    TPoint GetCursorPos() override {
        POINT p{};
        ::GetCursorPos(&p);
        return TPoint{p.x, p.y};
    }
    int16_t GetKeyState(int virtualKey) override { return ::GetKeyState(virtualKey); }
    void ShowWindow(uint32_t window, int command) override { ::ShowWindow(ToHandle<HWND>(window), command); }
    bool IsIconic(uint32_t window) override { return ::IsIconic(ToHandle<HWND>(window)) != FALSE; }
    bool IsWindowVisible(uint32_t window) override { return ::IsWindowVisible(ToHandle<HWND>(window)) != FALSE; }
    void SetForegroundWindow(uint32_t window) override { ::SetForegroundWindow(ToHandle<HWND>(window)); }
    uint32_t GetDesktopWindow() override { return ToValue(::GetDesktopWindow()); }
    void LockWindowUpdate(uint32_t window) override { ::LockWindowUpdate(ToHandle<HWND>(window)); }
    uint32_t TrackPopupMenu(uint32_t menu, int32_t x, int32_t y, uint32_t owner) override {
        const BOOL command = ::TrackPopupMenu(ToHandle<HMENU>(menu), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                              x, y, 0, ToHandle<HWND>(owner), nullptr);
        return static_cast<uint32_t>(command);
    }
};

class Win32Shell : public TrayShell {
public:
    bool NotifyIcon(uint32_t message, const NotifyIconRecord& record) override {
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
