#include "toolkit/win32/Control.h"

#include "toolkit/win32/Form.h"
#include "toolkit/win32/LayoutFont.h"
#include "toolkit/win32/Wide.h"

namespace pastimo {

COLORREF ColorOf(uint32_t rgb) {
    if (rgb == kNoColor) return CLR_INVALID;
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

TControl::~TControl() {
    if (FForm) FForm->UnregisterControl(this);
    if (FBrush) DeleteObject(FBrush);
}

WindowPlacement TControl::ChildPlacement(const ControlPlacement& placement, DWORD style, DWORD exStyle) {
    WindowPlacement child;
    child.exStyle = exStyle;
    child.style = WS_CHILD | WS_CLIPSIBLINGS | style;
    if (!(placement.row.style & csHidden)) child.style |= WS_VISIBLE;
    child.caption = placement.row.caption ? placement.row.caption : "";
    const LayoutRect bounds = ScaleToDpi(placement.bounds, placement.dpi);
    child.left = bounds.left;
    child.top = bounds.top;
    child.width = bounds.width;
    child.height = bounds.height;
    child.parent = placement.parent;
    child.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.row.id));
    return child;
}

void TControl::CreateStandard(TForm& form, const ControlPlacement& placement, const wchar_t* className, DWORD style,
                              DWORD exStyle, bool subclass) {
    CreateControl(className, ChildPlacement(placement, style, exStyle), subclass);
    Created(form, placement);
}

void TControl::CreateOwn(TForm& form, const ControlPlacement& placement, const WindowClass& windowClass, DWORD style,
                         DWORD exStyle) {
    Create(windowClass, ChildPlacement(placement, style, exStyle));
    Created(form, placement);
}

void TControl::Created(TForm& form, const ControlPlacement& placement) {
    FForm = &form;
    FRow = &placement.row;
    FDesignBounds = placement.bounds;
    FDpi = placement.dpi;
    FColor = ColorOf(placement.row.look.color);
    if (placement.font) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(placement.font), FALSE);
    form.RegisterControl(this);
}

void TControl::ApplyDpi(int dpi, HFONT font) {
    FDpi = dpi;
    const LayoutRect bounds = ScaleToDpi(FDesignBounds, dpi);
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (font) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT TControl::CurrentFont() const {
    if (!FForm || !FRow) return nullptr;
    return FWideFont ? FForm->WideFont(FRow->font) : FForm->LayoutFont(FRow->font);
}

void TControl::FitFontTo(std::wstring_view text, bool settled) {
    if (FWideFont && !settled) return;  // wide already, and stays so while rows are only added
    UseWideFont(NeedsWideFont(text));
}

bool TControl::NeedsWideFont(std::wstring_view text) const {
    return FForm && FRow && !DrawsEveryCharacter(FForm->LayoutFont(FRow->font), text);
}

void TControl::UseWideFont(bool wide) {
    if (!FForm || !FRow || wide == FWideFont) return;
    FWideFont = wide;
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), TRUE);
}

std::wstring TControl::WideText() const {
    const int length = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(Handle(), &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string TControl::Text() const { return Narrow(WideText()); }

void TControl::SetText(const std::string& text) { SetWindowTextW(Handle(), Wide(text).c_str()); }

size_t TControl::TextUnits() const { return static_cast<size_t>(GetWindowTextLengthW(Handle())); }

bool TControl::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TControl::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

void TControl::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled ? TRUE : FALSE); }

HBRUSH TControl::ColorBrush() {
    if (!FBrush && FColor != CLR_INVALID) FBrush = CreateSolidBrush(FColor);
    return FBrush;
}

}  // namespace pastimo
