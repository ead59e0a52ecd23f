#include "toolkit/win32/Application.h"

#include "toolkit/Errors.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/MessageBox.h"
#include "toolkit/win32/Wide.h"

namespace pastimo {

TApplication* Application = nullptr;

namespace {

// Minimise and restore without the window animation, for this window only
// (never through the user's system-wide setting). Where the system has no
// such attribute (an older Windows, Wine) nothing changes.
// https://learn.microsoft.com/windows/win32/api/dwmapi/ne-dwmapi-dwmwindowattribute
void DisableTransitions(HWND window) {
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const SetAttribute setAttribute = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<SetAttribute>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    if (!setAttribute || !window) return;
    constexpr DWORD kTransitionsForceDisabled = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED
    const BOOL disabled = TRUE;
    setAttribute(window, kTransitionsForceDisabled, &disabled, sizeof disabled);
}

}  // namespace

TApplication::~TApplication() {
    DestroyComponents();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize(HINSTANCE instance) {
    FInstance = instance;
    Application = this;
    SetDefaultExceptionHandler([](const std::exception& failure) {
        if (Application) Application->HandleException(failure);
    });
    // A zero-sized window in the middle of the screen: invisible to the eye,
    // but an unowned top-level window, so it is what carries the taskbar entry.
    WindowPlacement placement;
    placement.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    placement.caption = FTitle;
    placement.left = GetSystemMetrics(SM_CXSCREEN) / 2;
    placement.top = GetSystemMetrics(SM_CYSCREEN) / 2;
    Create({L"TApplication", nullptr, LoadIconW(instance, L"MAINICON")}, placement);
}

void TApplication::ComponentNotification(TComponent* component, TOperation operation) {
    TComponent::ComponentNotification(component, operation);
    if (operation == TOperation::opRemove && component == FMainForm) FMainForm = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (Handle()) SetWindowTextW(Handle(), Wide(FTitle).c_str());
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            // The taskbar entry's system menu: minimise and restore the whole
            // application, not just this invisible window.
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    Minimize();
                    return 0;
                case SC_RESTORE:
                    Restore();
                    return 0;
                case SC_CLOSE:
                    if (FMainForm) FMainForm->Close();
                    return 0;
            }
            break;
        case WM_ACTIVATE:
            // Activating the taskbar entry hands the activation on to the main form.
            if (LOWORD(wParam) != WA_INACTIVE && FMainForm && IsWindowVisible(FMainForm->Handle()) &&
                IsWindowEnabled(FMainForm->Handle()))
                SetActiveWindow(FMainForm->Handle());
            return 0;
        case WM_CLOSE:
            if (FMainForm) FMainForm->Close();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) Terminate();
            return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

bool TApplication::PreTranslate(MSG& msg) {
    // Keyboard navigation, access keys and the default button of the active
    // form (modal boxes run their own loops).
    if (!msg.hwnd) return false;
    if (auto* form = TForm::FromHandle(GetAncestor(msg.hwnd, GA_ROOT))) return form->PreTranslateMessage(msg);
    return false;
}

void TApplication::Dispatch(MSG& msg) {
    if (PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int TApplication::Run() {
    if (ShowMainForm && FMainForm) FMainForm->Show();
    // WM_QUIT comes only once nothing else is queued, so what was posted
    // before Terminate (a release, a deferred call, a clipboard notice)
    // still runs.
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    FTerminated = true;
    return static_cast<int>(msg.wParam);
}

void TApplication::Terminate() noexcept {
    if (FTerminated) return;
    FTerminated = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            FTerminated = true;
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            return;
        }
        Dispatch(msg);
    }
}

void TApplication::DisableAnimation() {
    // Asked for once, when it is first needed: start-up does not pay for it.
    if (FAnimationDisabled) return;
    FAnimationDisabled = true;
    DisableTransitions(Handle());
    if (FMainForm) DisableTransitions(FMainForm->Handle());
}

void TApplication::Minimize() {
    if (IsIconic(Handle())) return;
    DisableAnimation();
    if (FMainForm && IsWindowVisible(FMainForm->Handle())) FMainForm->RememberActiveControl();
    SetActiveWindow(Handle());
    // Iconifying the owner hides every window it owns, the main form among
    // them. Not every window manager does that part (Wine without one does
    // not), so it is asked for explicitly; Restore shows them again.
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowOwnedPopups(Handle(), FALSE);
    if (OnMinimize) OnMinimize();
}

void TApplication::Restore() {
    if (!IsIconic(Handle())) return;
    DisableAnimation();
    SetActiveWindow(Handle());
    ShowWindow(Handle(), SW_RESTORE);
    ShowOwnedPopups(Handle(), TRUE);
    if (FMainForm) {
        HWND main = FMainForm->Handle();
        if (IsIconic(main)) ShowWindow(main, SW_SHOWNORMAL);
        FMainForm->FocusActiveControl();
    }
    if (OnRestore) OnRestore();
}

void TApplication::HandleException(const std::exception& error) {
    HWND owner = GetActiveWindow();
    ShowMessageBox(owner ? owner : Handle(), ErrorBoxText(error.what()), FTitle, MB_OK | MB_ICONERROR, false);
}

}  // namespace pastimo
