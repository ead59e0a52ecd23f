#include "toolkit/win32/ListBox.h"

#include "toolkit/RowChange.h"
#include "toolkit/Unicode.h"
#include "toolkit/win32/Wide.h"

namespace pastimo {

void TListBox::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateStandard(form, placement, WC_LISTBOXW,
                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS, WS_EX_CLIENTEDGE);
    SetItemHeight();
}

void TListBox::ApplyDpi(int dpi, HFONT font) {
    TControl::ApplyDpi(dpi, font);
    SetItemHeight();
}

void TListBox::SetItemHeight() {
    if (Row() && Row()->look.itemHeight > 0)
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ScaleToDpi(Row()->look.itemHeight, Dpi()));
}

void TListBox::Command(WORD code) {
    if (code == LBN_SELCHANGE && OnClick) OnClick();
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) const {
    const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return Narrow(text);
}

void TListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

void TListBox::Add(const std::string& text) {
    const std::wstring row = Wide(text);
    FitFontTo(row, false);
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
}

void TListBox::Insert(int index, const std::string& text) {
    const std::wstring row = Wide(text);
    FitFontTo(row, false);
    SendMessageW(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(row.c_str()));
}

void TListBox::Delete(int index) { SendMessageW(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TListBox::Fill(const std::vector<std::string>& rows) {
    std::vector<std::wstring> wide;
    wide.reserve(rows.size());
    std::wstring beyondAscii;  // every row that is not plain ASCII, looked at once
    for (const std::string& row : rows) {
        wide.push_back(Wide(row));
        if (!IsAscii(row)) beyondAscii += wide.back();
    }
    FitFontTo(beyondAscii, true);
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    Clear();
    SendMessageW(Handle(), LB_INITSTORAGE, rows.size(), 0);
    for (const std::wstring& row : wide) SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListBox::Sync(const std::vector<std::string>& rows) {
    const RowChange change = FindRowChange(
        Count(), [this](int i) { return Item(i); }, rows);
    switch (change.kind) {
        case RowChangeKind::Nothing:
            return;
        case RowChangeKind::Insert:
            Insert(change.index, rows[static_cast<size_t>(change.index)]);
            return;
        case RowChangeKind::Delete:
            Delete(change.index);
            return;
        case RowChangeKind::Refill:
            Fill(rows);
            return;
    }
}

}  // namespace pastimo
