#pragma once
// The one way this program makes a window. A Window object is bound to its
// window when the window is created (WM_NCCREATE) or, for a standard control
// that needs to see its own messages, when it is subclassed; from then on
// every message goes through one guarded dispatch: HandleMessage, with
// anything it does not handle passed to the default processing, and every
// failure (an exception of any kind) stopped at the window's boundary and
// handed to HandleException (by default the application's error box). A
// window class is registered once, the first time a window of it is made;
// every failed Win32 call here becomes an EWin32Error naming the call.

#include <windows.h>

#include <exception>
#include <string>

namespace pastimo {

// A class of the program's own.
struct WindowClass {
    const wchar_t* name;          // not owned: static text
    HBRUSH background = nullptr;  // nullptr: the window erases its own background
    HICON icon = nullptr;
};

// Where and how a window is made.
struct WindowPlacement {
    DWORD exStyle = 0;
    DWORD style = 0;
    std::string caption;  // UTF-8
    int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = 0, height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;  // a child's control id, as HMENU
};

class Window {
public:
    Window() = default;
    // Destroys a window bound to this object if it still exists (unbound
    // first: nothing reaches an object on its way out).
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const noexcept { return FHandle; }
    // The object bound to a window made by this kit, or nullptr.
    static Window* FromHandle(HWND window) noexcept;

    // Where failures go when a window does not say otherwise.
    using ExceptionHandler = void (*)(const std::exception& failure);
    static void SetDefaultExceptionHandler(ExceptionHandler handler) noexcept;

protected:
    // A window of one of the program's classes, bound to this object.
    void Create(const WindowClass& windowClass, const WindowPlacement& placement);
    // A window of a class the system or a library provides (a standard
    // control); with `subclass` its messages reach HandleMessage first.
    void CreateControl(const wchar_t* className, const WindowPlacement& placement, bool subclass);
    // Destroys the window now, while the object is still whole (so that a
    // derived class still sees WM_DESTROY).
    void DestroyHandle();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window's class does with a message: DefWindowProc, or a
    // subclassed control's own procedure.
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // Where a failure that reached this window's boundary goes: by default
    // the application's error box (toolkit/Errors.h says which failures do).
    virtual void HandleException(const std::exception& failure);

private:
    // No exception crosses these: GuardedDispatch stops every one.
    static LRESULT CALLBACK ClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static HWND Make(const wchar_t* className, const WindowPlacement& placement, Window* bindAtCreation);
    LRESULT GuardedDispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Unbind() noexcept;

    HWND FHandle = nullptr;
    WNDPROC FControlProcedure = nullptr;  // a subclassed control's own procedure
};

// Moves a top-level window to the middle of the screen, keeping its size.
void CentreOnScreen(HWND window) noexcept;
// Whether the window is of the named class.
bool IsOfClass(HWND window, const wchar_t* className) noexcept;

}  // namespace pastimo
