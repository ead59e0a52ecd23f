#include "toolkit/win32/MessageBox.h"

#include "toolkit/win32/Wide.h"
#include "toolkit/win32/Window.h"

namespace pastimo {
namespace {

// The box is moved when it is first activated, before it is drawn. One hook
// per thread, for the box of the call that set it.
// https://learn.microsoft.com/windows/win32/winmsg/cbtproc
thread_local HHOOK centreHook = nullptr;

void Unhook() noexcept {
    if (centreHook) UnhookWindowsHookEx(centreHook);
    centreHook = nullptr;
}

LRESULT CALLBACK CentreOnActivate(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (IsOfClass(box, L"#32770")) {  // the dialog class message boxes are of
            CentreOnScreen(box);
            const LRESULT next = CallNextHookEx(centreHook, code, wParam, lParam);
            Unhook();
            return next;
        }
    }
    return CallNextHookEx(centreHook, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type, bool centreOnScreen) {
    HWND focus = GetFocus();
    if (centreOnScreen) {
        Unhook();
        centreHook = SetWindowsHookExW(WH_CBT, &CentreOnActivate, nullptr, GetCurrentThreadId());
    }
    const int result = MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), type | (owner ? 0 : MB_TASKMODAL));
    Unhook();
    if (focus && IsWindow(focus) && IsWindowVisible(focus) && IsWindowEnabled(focus)) SetFocus(focus);
    return result;
}

}  // namespace pastimo
