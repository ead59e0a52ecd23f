#include "toolkit/win32/Form.h"

#include <commctrl.h>

#include <vector>

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Controls.h"

namespace pastimo {

namespace {
const char kContainerClass[] = "TTabSheet";

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    auto* windows = reinterpret_cast<std::vector<HWND>*>(list);
    if (IsWindowEnabled(window) && IsWindowVisible(window)) windows->push_back(window);
    return TRUE;
}

TForm* FormOfWindow(HWND hwnd) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    return TForm::FromHandle(top);
}
}  // namespace

const char* ContainerClassName() { return kContainerClass; }

// Container windows (tab pages) pass control notifications to their form.
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (TForm* form = FormOfWindow(hwnd)) {
        try {
            bool handled = false;
            LRESULT result = form->RouteChildMessage(hwnd, message, wParam, lParam, handled);
            if (handled) return result;
        } catch (const std::exception& error) {
            if (Application) Application->HandleException(error);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterContainerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(instance, kContainerClass, &wc)) return;
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kContainerClass;
    RegisterClassExA(&wc);
}

TForm::TForm(TComponent* owner) : TComponent(owner) {}

TForm::~TForm() {
    if (hwnd_) {
        HWND hwnd = hwnd_;
        DestroyWindow(hwnd);  // WM_DESTROY runs DoDestroy while the form still exists
    }
    if (font_) DeleteObject(font_);
    if (backgroundBrush_) DeleteObject(backgroundBrush_);
}

TForm* TForm::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&TForm::WindowProc)) return nullptr;
    return reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void TForm::CreateHandle(const CreateArgs& args) {
    HINSTANCE instance = Application->Instance();
    RegisterContainerClass(instance);
    TShape::RegisterClass(instance);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(instance, args.className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &TForm::WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = args.className;
        RegisterClassExA(&wc);
    }
    font_ = args.font;
    if (args.background != CLR_INVALID) backgroundBrush_ = CreateSolidBrush(args.background);
    RECT rect{0, 0, args.clientWidth, args.clientHeight};
    AdjustWindowRectEx(&rect, args.style, args.menu != nullptr, args.exStyle);
    CreateWindowExA(args.exStyle, args.className, args.caption.c_str(), args.style,
                    CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top,
                    args.owner, args.menu, instance, this);
    if (!hwnd_) return;
    if (args.icon) {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(args.icon));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(args.icon));
    }
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               hwnd_, nullptr, instance, nullptr);
}

LRESULT CALLBACK TForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        LRESULT result = self->Dispatch(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    } catch (const std::exception& error) {
        if (Application) Application->HandleException(error);
        return 0;
    }
}

LRESULT TForm::RouteChildMessage(HWND from, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    switch (message) {
    case WM_COMMAND: {
        auto found = controls_.find(reinterpret_cast<HWND>(lParam));
        if (lParam && found != controls_.end()) {
            handled = true;
            found->second->Command(HIWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        auto found = controls_.find(header->hwndFrom);
        if (found != controls_.end()) {
            handled = true;
            found->second->Notify(*header);
            return 0;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        auto found = controls_.find(reinterpret_cast<HWND>(lParam));
        if (found != controls_.end() && found->second->Color != CLR_INVALID) {
            handled = true;
            SetBkColor(reinterpret_cast<HDC>(wParam), found->second->Color);
            return reinterpret_cast<LRESULT>(found->second->ColorBrush());
        }
        if (backgroundBrush_ && from == hwnd_ && (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN)) {
            handled = true;
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(backgroundBrush_);
        }
        break;
    }
    }
    return 0;
}

LRESULT TForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT routed = RouteChildMessage(hwnd_, message, wParam, lParam, handled);
    if (handled) return routed;
    switch (message) {
    case WM_ERASEBKGND:
        if (backgroundBrush_) {
            RECT rect;
            GetClientRect(hwnd_, &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, backgroundBrush_);
            return 1;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && Application) Application->RememberFocus(GetFocus());
        break;
    case WM_CLOSE:
        DoClose();
        return 0;
    case WM_DESTROY:
        DoDestroy();
        return 0;
    case kReleaseMessage:
        delete this;
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void TForm::Show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void TForm::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void TForm::CenterOnScreen() {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Close() {
    if (hwnd_) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void TForm::DoClose() {
    if (modal_) {
        if (ModalResult == 0) ModalResult = IDCANCEL;
        return;
    }
    if (Application && Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else {
        Hide();
    }
}

void TForm::Release() {
    if (hwnd_) PostMessageA(hwnd_, kReleaseMessage, 0, 0);
}

int TForm::ShowModal() {
    // Every other enabled top-level window of this thread takes no input while
    // the form is up, the same as a message box with task modality.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled)
        if (window != hwnd_) EnableWindow(window, FALSE);
    modal_ = true;
    ModalResult = 0;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    MSG msg;
    bool quit = false;
    while (ModalResult == 0 && hwnd_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit = true;
            break;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    modal_ = false;
    for (HWND window : disabled)
        if (window != hwnd_ && IsWindow(window)) EnableWindow(window, TRUE);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return ModalResult;
}

bool TForm::PreTranslateMessage(MSG& msg) {
    if (!hwnd_) return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    return IsDialogMessageA(hwnd_, &msg) != FALSE;
}

void TForm::RegisterControl(TControl* control) { controls_[control->Handle()] = control; }

void TForm::UnregisterControl(TControl* control) { controls_.erase(control->Handle()); }

void TForm::AddHint(HWND control, const char* hint) {
    if (!tooltip_) return;
    TTTOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(hint);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace pastimo
