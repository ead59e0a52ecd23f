#include "shell/win32/About.h"

#include "toolkit/win32/Application.h"

namespace pastimo {

TFormAbout* FormAbout = nullptr;

namespace {

const char kPanelClass[] = "TPanel";

enum ControlId : int {
    kPanel1 = 100,
    kButtonAboutOK,
    kMemo1,
};

constexpr COLORREF kGrey = RGB(160, 160, 160);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// The maker's details are example data: the street, the numbers (555-01xx is
// reserved for fiction) and the example.com addresses lead nowhere.
constexpr const char* kAboutText =
    "Pastimo v2.0\r\n"
    "Varnel Software\r\n"
    "\r\n"
    "1428 Example Crescent\r\n"
    "Suite 200\r\n"
    "Anytown, ST 00000\r\n"
    "\r\n"
    "Telephone: 555-0142\r\n"
    "Fax: 555-0143\r\n"
    "\r\n"
    "E-mail: pastimo@example.com\r\n"
    "Web: www.example.com";


// The panel forwards everything it does not draw itself to the container
// class, which passes control notifications (the button's clicks, the memo's
// colour) up to the form.
WNDPROC ContainerWindowProc() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(Application->Instance(), ContainerClassName(), &wc)) return &DefWindowProcA;
    return wc.lpfnWndProc;
}

void RegisterPanelClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(instance, kPanelClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    RegisterClassExA(&wc);
}

void FillStrip(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    RECT strip{left, top, right, bottom};
    FillRect(dc, &strip, brush);
}

}  // namespace

// --- TBevelPanel

void TBevelPanel::Create(TForm& form, const ControlArgs& args, COLORREF color, int borderWidth, int bevelWidth) {
    color_ = color;
    borderWidth_ = borderWidth;
    bevelWidth_ = bevelWidth;
    RegisterPanelClass(Application->Instance(), &TBevelPanel::WindowProc);
    ControlArgs panelArgs = args;
    // The panel's controls take part in the form's Tab order.
    panelArgs.exStyle |= WS_EX_CONTROLPARENT;
    TControl::Create(form, kPanelClass, panelArgs, WS_BORDER | WS_CLIPCHILDREN);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK TBevelPanel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const WNDPROC container = ContainerWindowProc();
    const auto* self = reinterpret_cast<const TBevelPanel*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(hwnd, &rect);
            HBRUSH brush = CreateSolidBrush(self->color_);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, brush);
            DeleteObject(brush);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            self->Paint(dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        }
    }
    return CallWindowProcA(container, hwnd, message, wParam, lParam);
}

void TBevelPanel::Paint(HDC dc) const {
    RECT rect;
    GetClientRect(hwnd_, &rect);
    InflateRect(&rect, -borderWidth_, -borderWidth_);
    // Lowered: the shadow on the top and left edges, the light on the others.
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    for (int i = 0; i < bevelWidth_ && rect.right > rect.left && rect.bottom > rect.top; ++i) {
        FillStrip(dc, rect.left, rect.top, rect.right - 1, rect.top + 1, shadow);
        FillStrip(dc, rect.left, rect.top, rect.left + 1, rect.bottom - 1, shadow);
        FillStrip(dc, rect.right - 1, rect.top, rect.right, rect.bottom, light);
        FillStrip(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom, light);
        InflateRect(&rect, -1, -1);
    }
}

// --- TFormAbout

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner) {
    CreateArgs args;
    args.className = "TFormAbout";
    args.caption = "About";
    args.clientWidth = 383;
    args.clientHeight = 304;
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    args.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    // Owned by the application window, so the box stays with the program
    // (hidden with it, above the main window) although no form owns it.
    args.owner = Application->Handle();
    args.icon = LoadIconA(Application->Instance(), "ABOUTICON");
    // A fixed 16-pixel line, whatever the screen's resolution: the box is laid
    // out in pixels, and the memo's 220 pixels hold its twelve lines only at
    // that line height (a 16-pixel character height would clip the last one).
    args.font = CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "System");
    args.background = kGrey;
    CreateHandle(args);
    CenterOnScreen();
    CreateControls();
}

TFormAbout::~TFormAbout() {
    // The window goes first, while the control wrappers (the memo's subclass
    // procedure among them) still exist.
    if (hwnd_) DestroyWindow(hwnd_);
    if (FormAbout == this) FormAbout = nullptr;
}

void TFormAbout::CreateControls() {
    // The panel fills the client area and takes the form's colour.
    Panel1.Create(*this, ControlAt(hwnd_, kPanel1, 0, 0, 383, 304), kGrey, 3, 2);
    HWND panel = Panel1.Handle();
    // Creation order is Tab order: the button first, so it starts with the focus.
    ButtonAboutOK.Create(*this, ControlAt(panel, kButtonAboutOK, 130, 260, 101, 28, "&OK"), true);
    ButtonAboutOK.OnClick = [this] { ButtonAboutOKClick(); };
    ControlArgs memo = ControlAt(panel, kMemo1, 14, 13, 351, 220, kAboutText);
    Memo1.Color = kYellow;
    Memo1.Create(*this, memo, true);
    FActiveControl = ButtonAboutOK.Handle();
}

void TFormAbout::ButtonAboutOKClick() {
    ReleaseOnce();
    Close();
}

void TFormAbout::ReleaseOnce() {
    if (FReleasePosted) return;
    FReleasePosted = true;
    Release();
}

void TFormAbout::DoClose() {
    // The title-bar close button and Alt+F4 end the showing as "&OK" does, and
    // the box is released the same way rather than left hidden until the end.
    ReleaseOnce();
    TForm::DoClose();
}

LRESULT TFormAbout::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE) {
        // Not a dialog, so nothing else puts the focus on a control: give it to
        // the one that had it last, "&OK" when the box opens.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) FActiveControl = focus;
        } else if (!HIWORD(wParam) && FActiveControl && IsWindow(FActiveControl)) {
            SetFocus(FActiveControl);
            return 0;
        }
    }
    return TForm::Dispatch(message, wParam, lParam);
}

}  // namespace pastimo
