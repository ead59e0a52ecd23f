#include "toolkit/win32/ListView.h"

#include "toolkit/win32/Wide.h"

#include <commctrl.h>

#include <algorithm>

namespace pastimo {

void TListView::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateStandard(form, placement, WC_LISTVIEWW,
                   WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                   WS_EX_CLIENTEDGE);
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void TListView::ApplyDpi(int dpi, HFONT font) {
    TControl::ApplyDpi(dpi, font);
    ApplyColumnWidths();
}

void TListView::SetColumns(const std::vector<Column>& columns) {
    while (SendMessageW(Handle(), LVM_DELETECOLUMN, 0, 0)) {
    }
    FColumns = columns;
    for (size_t i = 0; i < FColumns.size(); ++i) {
        const std::wstring caption = Wide(FColumns[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(caption.c_str());
        column.cx = ScaleToDpi(FColumns[i].width, Dpi());
        column.iSubItem = static_cast<int>(i);
        SendMessageW(Handle(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void TListView::ApplyColumnWidths() {
    for (size_t i = 0; i < FColumns.size(); ++i)
        SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, i, ScaleToDpi(FColumns[i].width, Dpi()));
}

int TListView::RowCount() const { return static_cast<int>(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0)); }

void TListView::SetRowCount(int count) {
    SendMessageW(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(std::max(count, 0)), 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int TListView::Selected() const {
    return static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::Select(int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0 || row >= RowCount()) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int TListView::RowsPerPage() const {
    return std::max(1, static_cast<int>(SendMessageW(Handle(), LVM_GETCOUNTPERPAGE, 0, 0)));
}

void TListView::Notify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
            if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
            FCell = OnCellText ? Wide(OnCellText(info.item.iItem, info.item.iSubItem)) : std::wstring();
            const size_t room = static_cast<size_t>(info.item.cchTextMax) - 1;
            const size_t length = std::min(FCell.size(), room);
            std::copy_n(FCell.data(), length, info.item.pszText);
            info.item.pszText[length] = L'\0';
            break;
        }
        case NM_DBLCLK:
        case NM_RETURN:
            if (OnActivate) OnActivate();
            break;
        default:
            break;
    }
}

}  // namespace pastimo
