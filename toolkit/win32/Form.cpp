#include "toolkit/win32/Form.h"

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Control.h"
#include "toolkit/win32/Dpi.h"
#include "toolkit/win32/FormBuilder.h"
#include "toolkit/win32/LayoutFont.h"

#include <algorithm>
#include <utility>

namespace pastimo {

namespace {

// WM_DPICHANGED: this program's headers target an older Windows than the one
// that sends it.
constexpr UINT kDpiChanged = 0x02E0;

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    auto* windows = reinterpret_cast<std::vector<HWND>*>(list);
    if (IsWindowEnabled(window) && IsWindowVisible(window)) windows->push_back(window);
    return TRUE;
}

}  // namespace

TForm::TForm(TComponent* owner) : TComponent(owner) {}

TForm::~TForm() {
    DestroyHandle();  // WM_DESTROY runs DoDestroy while the form still exists
    for (HFONT font : FFonts) DeleteObject(font);
    for (HFONT font : FWideFonts)
        if (font) DeleteObject(font);
    if (FIcon) DestroyIcon(FIcon);
    if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
}

TForm* TForm::FromHandle(HWND hwnd) { return dynamic_cast<TForm*>(Window::FromHandle(hwnd)); }

void TForm::CreateFromLayout(const CreateArgs& args, const FormLayout& layout,
                             std::initializer_list<ControlBinding> bindings) {
    FLayout = &layout;
    FIconName = args.iconName;
    // Where it opens, the window is shown at the system's DPI; a screen of
    // another resolution tells it with WM_DPICHANGED.
    FDpi = SystemDpi();
    FFonts = MakeFonts();
    const COLORREF background = ColorOf(layout.color);
    if (background != CLR_INVALID) FBackgroundBrush = CreateSolidBrush(background);

    RECT rect{0, 0, ScaleToDpi(layout.clientWidth, FDpi), ScaleToDpi(layout.clientHeight, FDpi)};
    AdjustWindowRectForDpi(rect, args.style, args.menu != nullptr, args.exStyle, FDpi);
    WindowPlacement placement;
    placement.exStyle = args.exStyle;
    placement.style = args.style;
    placement.caption = layout.caption;
    placement.width = rect.right - rect.left;
    placement.height = rect.bottom - rect.top;
    // Made in the middle of the screen rather than moved there.
    placement.left = (GetSystemMetrics(SM_CXSCREEN) - placement.width) / 2;
    placement.top = (GetSystemMetrics(SM_CYSCREEN) - placement.height) / 2;
    placement.parent = args.owner;
    placement.menu = args.menu;
    Create({args.className, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, placement);
    FHints.SetForm(Handle());
    FormBuilder(*this, layout, bindings).CreateControls();
    FocusFirstInTabOrder(layout);
}

void TForm::FocusFirstInTabOrder(const FormLayout& layout) {
    // The table's order, not the system's first tab stop: that one lies
    // inside whatever page or panel is on top.
    const ControlLayout* first = nullptr;
    for (size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& row = layout.controls[i];
        if (row.parent != 0 || row.tabOrder == kNoTabStop) continue;
        if (!first || row.tabOrder < first->tabOrder) first = &row;
    }
    if (!first) return;
    for (const auto& [window, control] : FControls)
        if (control->Row() == first && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP)) SetActiveControl(window);
}

std::vector<HFONT> TForm::MakeFonts() const {
    std::vector<HFONT> fonts;
    for (size_t i = 0; i < FLayout->fontCount; ++i) fonts.push_back(MakeLayoutFont(FLayout->fonts[i], FDpi));
    return fonts;
}

HICON TForm::LoadIconForDpi(const wchar_t* name, int sizeMetric) const {
    const int size = SystemMetricForDpi(sizeMetric, FDpi);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, 0));
}

void TForm::SetIcons() {
    if (!FIconName) return;
    HICON icon = LoadIconForDpi(FIconName);
    if (!icon) return;
    // The same image for the title bar and the task switcher, as the system
    // scales it: one size of the icon per resolution. The one it replaces is
    // no longer shown anywhere.
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (FIcon) DestroyIcon(FIcon);
    FIcon = icon;
}

HFONT TForm::WideFont(size_t index) {
    if (!FLayout || index >= FLayout->fontCount) return Font();
    if (FWideFonts.size() < FLayout->fontCount) FWideFonts.resize(FLayout->fontCount, nullptr);
    if (!FWideFonts[index]) FWideFonts[index] = MakeWideFont(FLayout->fonts[index], FDpi);
    return FWideFonts[index];
}

void TForm::ChangeDpi(int dpi, const RECT& suggested) {
    if (dpi == FDpi || !FLayout) return;
    FDpi = dpi;
    std::vector<HFONT> oldFonts = std::exchange(FFonts, MakeFonts());
    for (HFONT& font : FWideFonts) {
        if (font) oldFonts.push_back(font);
        font = nullptr;
    }
    SetIcons();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (TControl* control : FLaidOut) control->ApplyDpi(FDpi, control->CurrentFont());
    for (HFONT font : oldFonts) DeleteObject(font);  // no control uses them any more
    InvalidateRect(Handle(), nullptr, TRUE);
    DpiChanged();
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
        case WM_SHOWWINDOW:
            // Icons are for a window that shows: one that waits hidden in the
            // tray does not pay for them.
            if (wParam && !FIcon) SetIcons();
            break;
        case kDpiChanged:
            ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            DoClose();
            return 0;
        case WM_DESTROY:
            DoDestroy();
            // Whatever destroyed the main window, the program has no other: it
            // ends rather than run on with no window, holding its guard.
            if (Application && Application->MainForm() == this) Application->Terminate();
            return 0;
        case kReleaseMessage:
            if (!FReleaseRequested) break;  // another program's WM_APP + 1
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
    if (!Handle()) return;
    FReleaseRequested = true;
    PostMessageW(Handle(), kReleaseMessage, 0, 0);
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
    if (previous && previous != Handle() && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return ModalResult;
}

bool TForm::PreTranslateMessage(MSG& msg) {
    if (!Handle()) return false;
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    if (msg.message == WM_MOUSEMOVE) FHints.MouseMoved(msg);
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

HWND TForm::DefaultButton() {
    const LRESULT answer = SendMessageW(Handle(), DM_GETDEFID, 0, 0);
    if (HIWORD(answer) != DC_HASDEFID) return nullptr;
    for (const auto& [window, control] : FControls)
        if (GetDlgCtrlID(window) == LOWORD(answer)) return window;
    return nullptr;
}

void TForm::ShowDefaultButton(HWND button) {
    // The look is what IsDialogMessage goes by: Enter on a focused button
    // with the default look presses that button.
    for (const auto& [window, control] : FControls) {
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        const LONG kind = style & BS_TYPEMASK;
        if (!IsOfClass(window, WC_BUTTONW) || (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON)) continue;
        const LONG wanted = window == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (kind != wanted) SendMessageW(window, BM_SETSTYLE, (style & ~BS_TYPEMASK & 0xFFFF) | wanted, TRUE);
    }
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
    HWND target =
        LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
    if (!target) return;
    SetFocus(target);
    // An edit tabbed into shows all of its text selected, as in a dialog.
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

void TForm::Adopt(std::unique_ptr<TControl> control) { FAdopted.push_back(std::move(control)); }

}  // namespace pastimo
