#include "toolkit/win32/Window.h"

#include "toolkit/Errors.h"
#include "toolkit/win32/Wide.h"
#include "toolkit/win32/Win32Error.h"

#include <set>

namespace pastimo {
namespace {

Window::ExceptionHandler defaultHandler = nullptr;

void RegisterOnce(const WindowClass& windowClass, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (registered.count(windowClass.name)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = windowClass.icon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    if (!RegisterClassExW(&wc)) Failed("RegisterClassExW");
    registered.insert(windowClass.name);
}

}  // namespace

Window::~Window() {
    // A window not bound to this object (a standard control nobody
    // subclassed) is its parent's to destroy: its handle may be stale by now.
    if (!FHandle || FromHandle(FHandle) != this) return;
    HWND window = FHandle;
    if (FControlProcedure) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FControlProcedure));
    Unbind();
    DestroyWindow(window);
}

Window* Window::FromHandle(HWND window) noexcept {
    if (!window) return nullptr;
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (procedure != &Window::ClassProcedure && procedure != &Window::SubclassProcedure) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Window::SetDefaultExceptionHandler(ExceptionHandler handler) noexcept { defaultHandler = handler; }

HWND Window::Make(const wchar_t* className, const WindowPlacement& placement, Window* bindAtCreation) {
    HWND window = CreateWindowExW(placement.exStyle, className, Wide(placement.caption).c_str(), placement.style,
                                  placement.left, placement.top, placement.width, placement.height, placement.parent,
                                  placement.menu, GetModuleHandleW(nullptr), bindAtCreation);
    if (!window) Failed("CreateWindowExW");
    return window;
}

void Window::Create(const WindowClass& windowClass, const WindowPlacement& placement) {
    RegisterOnce(windowClass, &Window::ClassProcedure);
    Make(windowClass.name, placement, this);  // binds at WM_NCCREATE
}

void Window::CreateControl(const wchar_t* className, const WindowPlacement& placement, bool subclass) {
    FHandle = Make(className, placement, nullptr);
    if (!subclass) return;
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FControlProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProcedure)));
}

void Window::DestroyHandle() {
    if (FHandle) DestroyWindow(FHandle);  // WM_NCDESTROY unbinds
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    if (FControlProcedure) return CallWindowProcW(FControlProcedure, FHandle, message, wParam, lParam);
    return DefWindowProcW(FHandle, message, wParam, lParam);
}

void Window::HandleException(const std::exception& failure) {
    if (defaultHandler)
        defaultHandler(failure);
    else
        IgnoreFailure("no application yet to show the error box");  // called from GuardedDispatch's catch
}

LRESULT Window::GuardedDispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // A failure reported from here must not escape either.
    auto report = [this](const std::exception& failure) {
        try {
            HandleException(failure);
        } catch (...) {
            IgnoreFailure("the error box itself failed; the window goes on with its next message");
        }
    };
    try {
        return HandleMessage(message, wParam, lParam);
    } catch (const std::exception& failure) {
        report(failure);
    } catch (...) {
        report(Exception("Unexpected failure"));
    }
    return 0;
}

void Window::Unbind() noexcept {
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    FHandle = nullptr;
    FControlProcedure = nullptr;
}

LRESULT CALLBACK Window::ClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->FHandle = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->GuardedDispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) self->Unbind();
    return result;
}

LRESULT CALLBACK Window::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);  // not expected: bound before subclassing
    const LRESULT result = self->GuardedDispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) self->Unbind();
    return result;
}

void CentreOnScreen(HWND window) noexcept {
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsOfClass(HWND window, const wchar_t* className) noexcept {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lstrcmpW(name, className) == 0;
}

}  // namespace pastimo
