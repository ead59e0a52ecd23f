#include "toolkit/win32/Form.h"

#include <algorithm>

#include "toolkit/Unicode.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Control.h"
#include "toolkit/win32/FormBuilder.h"

namespace pastimo {

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    auto* windows = reinterpret_cast<std::vector<HWND>*>(list);
    if (IsWindowEnabled(window) && IsWindowVisible(window)) windows->push_back(window);
    return TRUE;
}

HFONT MakeFont(const LayoutFont& font) {
    const std::u16string face = Utf8ToUtf16(font.face);
    return CreateFontW(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       reinterpret_cast<const wchar_t*>(face.c_str()));
}

}  // namespace

TForm::TForm(TComponent* owner) : TComponent(owner) {}

TForm::~TForm() {
    DestroyHandle();  // WM_DESTROY runs DoDestroy while the form still exists
    for (HFONT font : FFonts) DeleteObject(font);
    if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
}

TForm* TForm::FromHandle(HWND hwnd) { return dynamic_cast<TForm*>(Window::FromHandle(hwnd)); }

void TForm::CreateFromLayout(const CreateArgs& args, const FormLayout& layout,
                             std::initializer_list<ControlBinding> bindings) {
    for (size_t i = 0; i < layout.fontCount; ++i) FFonts.push_back(MakeFont(layout.fonts[i]));
    const COLORREF background = ColorOf(layout.color);
    if (background != CLR_INVALID) FBackgroundBrush = CreateSolidBrush(background);

    RECT rect{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&rect, args.style, args.menu != nullptr, args.exStyle);
    WindowPlacement placement;
    placement.exStyle = args.exStyle;
    placement.style = args.style;
    placement.caption = layout.caption;
    placement.width = rect.right - rect.left;
    placement.height = rect.bottom - rect.top;
    placement.parent = args.owner;
    placement.menu = args.menu;
    Create({args.className, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, placement);
    if (args.icon) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(args.icon));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(args.icon));
    }
    FHints.Create(Handle());
    CenterOnScreen();
    FormBuilder(*this, layout, bindings).CreateControls();
}

LRESULT TForm::RouteChildMessage(HWND from, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    switch (message) {
    case WM_COMMAND: {
        auto found = FControls.find(reinterpret_cast<HWND>(lParam));
        if (lParam && found != FControls.end()) {
            handled = true;
            found->second->Command(HIWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        auto found = FControls.find(header->hwndFrom);
        if (found != FControls.end()) {
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
        auto found = FControls.find(reinterpret_cast<HWND>(lParam));
        if (found != FControls.end() && found->second->Color() != CLR_INVALID) {
            handled = true;
            SetBkColor(reinterpret_cast<HDC>(wParam), found->second->Color());
            return reinterpret_cast<LRESULT>(found->second->ColorBrush());
        }
        if (FBackgroundBrush && from == Handle() && (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN)) {
            handled = true;
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(FBackgroundBrush);
        }
        break;
    }
    }
    return 0;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    const LRESULT routed = RouteChildMessage(Handle(), message, wParam, lParam, handled);
    if (handled) return routed;
    switch (message) {
    case WM_ERASEBKGND:
        if (FBackgroundBrush) {
            RECT rect;
            GetClientRect(Handle(), &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, FBackgroundBrush);
            return 1;
        }
        break;
    case WM_ACTIVATE:
        // As a dialog does: the control that had the focus when the form
        // lost the activation gets it back when the form is active again,
        // rather than the form itself (where the keys would reach nothing).
        if (LOWORD(wParam) == WA_INACTIVE) {
            RememberActiveControl();
        } else if (!HIWORD(wParam)) {
            FocusActiveControl();
            return 0;
        }
        break;
    case WM_NEXTDLGCTL:
        NextControl(wParam, lParam);
        return 0;
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
    return DefaultHandling(message, wParam, lParam);
}

void TForm::Show() {
    if (!Handle()) return;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TForm::Hide() {
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

void TForm::CenterOnScreen() {
    RECT rect;
    GetWindowRect(Handle(), &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Close() {
    if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm::DoClose() {
    if (FModal) {
        if (ModalResult == 0) ModalResult = IDCANCEL;
        return;
    }
    Hide();
    if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::Release() {
    if (Handle()) PostMessageW(Handle(), kReleaseMessage, 0, 0);
}

int TForm::ShowModal() {
    // Every other enabled top-level window of this thread takes no input while
    // the form is up, the same as a message box with task modality.
    HWND previous = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled)
        if (window != Handle()) EnableWindow(window, FALSE);
    FModal = true;
    ModalResult = 0;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    MSG msg;
    bool quit = false;
    while (ModalResult == 0 && Handle()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit = true;
            break;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    FModal = false;
    for (HWND window : disabled)
        if (window != Handle() && IsWindow(window)) EnableWindow(window, TRUE);
    // The window that was active before gets the activation back (and with
    // it its focus), not just whatever owns this form.
    if (previous && previous != Handle() && IsWindow(previous) && IsWindowVisible(previous))
        SetActiveWindow(previous);
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return ModalResult;
}

bool TForm::PreTranslateMessage(MSG& msg) {
    if (!Handle()) return false;
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    // Only a plain Enter presses the default button. With Shift or Ctrl it
    // reaches only a control that takes every key (a multi-line field types
    // its line break); elsewhere it does nothing.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
        (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0)) {
        const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        return !(code & DLGC_WANTALLKEYS);
    }
    return IsDialogMessageW(Handle(), &msg) != FALSE;
}

void TForm::RegisterControl(TControl* control) { FControls[control->Handle()] = control; }

void TForm::UnregisterControl(TControl* control) {
    for (auto it = FControls.begin(); it != FControls.end();) {
        if (it->second == control)
            it = FControls.erase(it);
        else
            ++it;
    }
}

void TForm::RememberActiveControl() {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) FActiveControl = focus;
}

void TForm::SetActiveControl(HWND control) { FActiveControl = control; }

void TForm::FocusActiveControl() {
    // A control that has the focus already keeps it (the activation may be
    // the consequence of a click into it).
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) return;
    HWND control = FActiveControl;
    if (!control || !IsWindow(control) || !IsChild(Handle(), control) || !IsWindowVisible(control) ||
        !IsWindowEnabled(control))
        control = GetNextDlgTabItem(Handle(), nullptr, FALSE);  // the first tab stop
    if (control) SetFocus(control);
}

void TForm::NextControl(WPARAM wParam, LPARAM lParam) {
    // wParam names the control (lParam non-zero), or says which way to go
    // from the focus: 0 to the next tab stop, anything else to the previous.
    HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
    if (!target) return;
    SetFocus(target);
    // An edit tabbed into shows all of its text selected, as in a dialog.
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

void TForm::Adopt(std::unique_ptr<TControl> control) { FAdopted.push_back(std::move(control)); }

}  // namespace pastimo
