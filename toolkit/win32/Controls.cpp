#include "toolkit/win32/Controls.h"

#include <commctrl.h>

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Form.h"

namespace pastimo {

ControlArgs ControlAt(HWND parent, int id, int left, int top, int width, int height, const std::string& text,
                      DWORD style) {
    ControlArgs args;
    args.parent = parent;
    args.id = id;
    args.left = left;
    args.top = top;
    args.width = width;
    args.height = height;
    args.text = text;
    args.style = style;
    return args;
}

TControl::~TControl() {
    if (form_ && hwnd_) form_->UnregisterControl(this);
    if (brush_) DeleteObject(brush_);
}

void TControl::Create(TForm& form, const char* className, const ControlArgs& args, DWORD baseStyle) {
    form_ = &form;
    hwnd_ = CreateWindowExA(args.exStyle, className, args.text.c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | baseStyle | args.style, args.left, args.top,
                            args.width, args.height, args.parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                            Application->Instance(), nullptr);
    HFONT font = args.font ? args.font : form.Font();
    if (hwnd_ && font) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (hwnd_) form.RegisterControl(this);
}

std::string TControl::Text() const {
    const int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd_, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void TControl::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

bool TControl::Visible() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void TControl::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

bool TControl::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void TControl::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

void TControl::SetFocus() { ::SetFocus(hwnd_); }

HBRUSH TControl::ColorBrush() {
    if (!brush_ && Color != CLR_INVALID) brush_ = CreateSolidBrush(Color);
    return brush_;
}

// --- TButton

void TButton::Create(TForm& form, const ControlArgs& args, bool isDefault) {
    TControl::Create(form, "BUTTON", args, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
}

void TButton::Click() {
    if (OnClick) OnClick();
}

void TButton::Command(WORD code) {
    if (code == BN_CLICKED) Click();
}

// --- TCheckBox

void TCheckBox::Create(TForm& form, const ControlArgs& args) {
    TControl::Create(form, "BUTTON", args, WS_TABSTOP | BS_AUTOCHECKBOX);
}

bool TCheckBox::Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) != BST_UNCHECKED; }

void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

void TCheckBox::Command(WORD code) {
    if (code == BN_CLICKED && OnClick) OnClick();
}

// --- TEdit

void TEdit::Create(TForm& form, const ControlArgs& args, bool multiLine) {
    DWORD style = WS_TABSTOP;
    style |= multiLine ? (ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
    ControlArgs withBorder = args;
    withBorder.exStyle |= WS_EX_CLIENTEDGE;
    TControl::Create(form, "EDIT", withBorder, style);
    // The largest text the platform allows, not the small default.
    SendMessageA(hwnd_, EM_SETLIMITTEXT, 0, 0);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TEdit::SubclassProc)));
}

LRESULT CALLBACK TEdit::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TEdit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    LRESULT result = CallWindowProcA(self->original_, hwnd, message, wParam, lParam);
    if (message == WM_LBUTTONUP && self->OnClick) {
        try {
            self->OnClick();
        } catch (const std::exception& error) {
            if (Application) Application->HandleException(error);
        }
    }
    return result;
}

void TEdit::Command(WORD code) {
    if (code == EN_SETFOCUS && OnEnter) OnEnter();
}

void TEdit::SelectAll() { SendMessageA(hwnd_, EM_SETSEL, 0, -1); }

void TEdit::CopyToClipboard() { SendMessageA(hwnd_, WM_COPY, 0, 0); }

void TEdit::CollapseToStart() {
    SendMessageA(hwnd_, EM_SETSEL, 0, 0);
    SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
}

void TEdit::SetReadOnly(bool readOnly) { SendMessageA(hwnd_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }

// --- TListBox

void TListBox::Create(TForm& form, const ControlArgs& args) {
    ControlArgs withBorder = args;
    withBorder.exStyle |= WS_EX_CLIENTEDGE;
    // Not LBS_SORT: callers fill rows in their own sorted order, so that row i
    // is always entry i of the list they keep.
    TControl::Create(form, "LISTBOX", withBorder,
                     WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS);
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, 13);
}

void TListBox::Command(WORD code) {
    if (code == LBN_SELCHANGE && OnClick) OnClick();
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int index) { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TListBox::Count() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) const {
    const LRESULT length = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TListBox::Clear() { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }

void TListBox::Add(const std::string& text) {
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::Insert(int index, const std::string& text) {
    SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::Delete(int index) { SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TListBox::Fill(const std::vector<std::string>& rows) {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    Clear();
    SendMessageA(hwnd_, LB_INITSTORAGE, rows.size(), 0);
    for (const std::string& row : rows) Add(row);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TListBox::Sync(const std::vector<std::string>& rows) {
    // One row more or less than shown: insert or delete just that row, so the
    // list box keeps its highlight on the same entry as a sorted list box does.
    const int shown = Count();
    const int wanted = static_cast<int>(rows.size());
    if (wanted == shown + 1 || wanted == shown - 1) {
        int first = 0;
        const int common = wanted < shown ? wanted : shown;
        while (first < common && Item(first) == rows[static_cast<size_t>(first)]) ++first;
        bool rest = true;
        const int skipShown = wanted > shown ? 0 : 1, skipWanted = wanted > shown ? 1 : 0;
        for (int i = first; i < common && rest; ++i)
            rest = Item(i + skipShown) == rows[static_cast<size_t>(i + skipWanted)];
        if (rest) {
            if (wanted > shown)
                Insert(first, rows[static_cast<size_t>(first)]);
            else
                Delete(first);
            return;
        }
    } else if (wanted == shown) {
        bool same = true;
        for (int i = 0; i < shown && same; ++i) same = Item(i) == rows[static_cast<size_t>(i)];
        if (same) return;
    }
    Fill(rows);
}

// --- TLabel, TGroupBox

void TLabel::Create(TForm& form, const ControlArgs& args, bool bold) {
    ControlArgs labelArgs = args;
    if (bold) {
        LOGFONTA font{};
        GetObjectA(form.Font(), sizeof(font), &font);
        font.lfWeight = FW_BOLD;
        static HFONT boldFont = CreateFontIndirectA(&font);  // shared by all bold labels
        labelArgs.font = boldFont;
    }
    TControl::Create(form, "STATIC", labelArgs, SS_LEFT | SS_NOPREFIX);
}

void TGroupBox::Create(TForm& form, const ControlArgs& args) {
    TControl::Create(form, "BUTTON", args, BS_GROUPBOX);
}

// --- TShape

namespace {
const char kShapeClass[] = "TShape";
}

void TShape::RegisterClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(instance, kShapeClass, &wc)) return;
    wc.lpfnWndProc = &TShape::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kShapeClass;
    RegisterClassExA(&wc);
}

void TShape::Create(TForm& form, const ControlArgs& args, COLORREF fill, COLORREF outline) {
    fill_ = fill;
    outline_ = outline;
    TControl::Create(form, kShapeClass, args, 0);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Behind its siblings, so the button it frames stays on top.
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK TShape::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TShape*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT rect;
        GetClientRect(hwnd, &rect);
        HBRUSH brush = CreateSolidBrush(self->fill_);
        HPEN pen = CreatePen(PS_SOLID, 1, self->outline_);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
        EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// --- TPageControl

void TPageControl::Create(TForm& form, const ControlArgs& args) {
    TControl::Create(form, WC_TABCONTROLA, args, WS_TABSTOP | WS_CLIPSIBLINGS);
}

HWND TPageControl::AddPage(const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    const int index = static_cast<int>(pages_.size());
    SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    // The page is a sibling of the tab control, laid over its display area:
    // controls inside a tab control's own children would not get its notifications.
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    RECT display = rect;
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, ContainerClassName(), caption.c_str(),
                                WS_CHILD | WS_CLIPSIBLINGS | (index == 0 ? WS_VISIBLE : 0),
                                display.left, display.top, display.right - display.left,
                                display.bottom - display.top, GetParent(hwnd_), nullptr,
                                Application->Instance(), nullptr);
    // Above the tab control in the z-order so it is drawn on top of it.
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pages_.push_back(page);
    return page;
}

int TPageControl::ActivePage() const { return static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePage(int index) {
    SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    if (OnChange) OnChange();
}

void TPageControl::Notify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) SetActivePage(ActivePage());
}

}  // namespace pastimo
