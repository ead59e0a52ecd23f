#include "toolkit/win32/ListBox.h"

namespace pastimo {

void TListBox::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateStandard(form, placement, WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                   WS_EX_CLIENTEDGE);
    if (placement.row.look.itemHeight > 0) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, placement.row.look.itemHeight);
}

void TListBox::Command(WORD code) {
    if (code == LBN_SELCHANGE && OnClick) OnClick();
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::ClearSelection() { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }

int TListBox::Count() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) const {
    const LRESULT length = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    // For a Unicode list box the length asked in ANSI may be over-estimated:
    // the copy says how much there is.
    std::string text(static_cast<size_t>(length) * 2 + 1, '\0');
    const LRESULT copied =
        SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void TListBox::Clear() { SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }

void TListBox::Add(const std::string& text) {
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::Insert(int index, const std::string& text) {
    SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::Delete(int index) { SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TListBox::Fill(const std::vector<std::string>& rows) {
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    Clear();
    SendMessageA(Handle(), LB_INITSTORAGE, rows.size(), 0);
    for (const std::string& row : rows) Add(row);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
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

}  // namespace pastimo
