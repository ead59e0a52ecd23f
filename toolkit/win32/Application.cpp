#include "toolkit/win32/Application.h"

#include "toolkit/Errors.h"
#include "toolkit/win32/Form.h"

namespace pastimo {

TApplication* Application = nullptr;

namespace {
const char kApplicationClass[] = "TApplication";
}

TApplication::~TApplication() {
    if (handle_) DestroyWindow(handle_);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize(HINSTANCE instance) {
    instance_ = instance;
    Application = this;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TApplication::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kApplicationClass;
    RegisterClassExA(&wc);
    // A zero-sized window in the middle of the screen: invisible to the eye,
    // but an unowned top-level window, so it is what carries the taskbar entry.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, instance, this);
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextA(handle_, title_.c_str());
}

LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TApplication*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        self->HandleException(error);
        return 0;
    }
}

LRESULT TApplication::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        // The taskbar entry's system menu: minimise and restore the whole
        // application, not just this invisible window.
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        case SC_CLOSE:
            if (mainForm_) mainForm_->Close();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // Activating the taskbar entry hands the activation on to the main form.
        if (LOWORD(wParam) != WA_INACTIVE && mainForm_ && IsWindowVisible(mainForm_->Handle()) &&
            IsWindowEnabled(mainForm_->Handle()))
            SetActiveWindow(mainForm_->Handle());
        return 0;
    case WM_CLOSE:
        if (mainForm_) mainForm_->Close();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) Terminate();
        return 0;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

bool TApplication::PreTranslate(MSG& msg) {
    // Keyboard navigation, access keys and the default button of the active
    // form (modal boxes run their own loops).
    if (!msg.hwnd) return false;
    if (auto* form = TForm::FromHandle(GetAncestor(msg.hwnd, GA_ROOT))) return form->PreTranslateMessage(msg);
    return false;
}

int TApplication::Run() {
    if (ShowMainForm && mainForm_) mainForm_->Show();
    MSG msg;
    while (!terminated_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    terminated_ = true;
    return static_cast<int>(msg.wParam);
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            return;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void TApplication::Minimize() {
    if (IsIconic(handle_)) return;
    if (mainForm_ && IsWindowVisible(mainForm_->Handle())) RememberFocus(GetFocus());
    SetActiveWindow(handle_);
    // Iconifying the owner hides every window it owns, the main form among
    // them. Not every window manager does that part (Wine without one does
    // not), so it is asked for explicitly; Restore shows them again.
    ShowWindow(handle_, SW_MINIMIZE);
    ShowOwnedPopups(handle_, FALSE);
    if (OnMinimize) OnMinimize();
}

void TApplication::Restore() {
    if (!IsIconic(handle_)) return;
    SetActiveWindow(handle_);
    ShowWindow(handle_, SW_RESTORE);
    ShowOwnedPopups(handle_, TRUE);
    if (mainForm_) {
        HWND main = mainForm_->Handle();
        if (IsIconic(main)) ShowWindow(main, SW_SHOWNORMAL);
        if (lastFocus_ && IsWindow(lastFocus_) && IsChild(main, lastFocus_)) SetFocus(lastFocus_);
    }
    if (OnRestore) OnRestore();
}

void TApplication::HandleException(const std::exception& error) {
    const std::string text = ErrorBoxText(error.what());
    HWND owner = GetActiveWindow();
    MessageBoxA(owner ? owner : handle_, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace pastimo
