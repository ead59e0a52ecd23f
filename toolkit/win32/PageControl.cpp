#include "toolkit/win32/PageControl.h"

#include "toolkit/win32/Wide.h"

namespace pastimo {

void TTabSheet::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateOwn(form, placement, {L"TTabSheet", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, 0, WS_EX_CONTROLPARENT);
}

void TPageControl::CreateFrom(TForm& form, const ControlPlacement& placement) {
    FForm = &form;
    CreateStandard(form, placement, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS);
}

TTabSheet& TPageControl::AddPage(const ControlLayout& row) {
    std::wstring caption = Wide(row.caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = &caption[0];
    const int index = static_cast<int>(FPages.size());
    SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ControlLayout pageRow = row;
    if (index > 0) pageRow.style |= csHidden;
    auto page = std::make_unique<TTabSheet>();
    // In pixels already: the area is the tab control's, measured.
    page->CreateFrom(*FForm, {pageRow, GetParent(Handle()), DisplayArea(), nullptr, kDesignDpi});
    // Above the tab control in the z-order so it is drawn on top of it.
    SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FPages.push_back(std::move(page));
    return *FPages.back();
}

LayoutRect TPageControl::DisplayArea() const {
    RECT display;
    GetWindowRect(Handle(), &display);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&display), 2);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return {display.left, display.top, display.right - display.left, display.bottom - display.top};
}

void TPageControl::ApplyDpi(int dpi, HFONT font) {
    TControl::ApplyDpi(dpi, font);
    const LayoutRect area = DisplayArea();
    for (const auto& page : FPages)
        SetWindowPos(page->Handle(), nullptr, area.left, area.top, area.width, area.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

int TPageControl::ActivePage() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePage(int index) {
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (size_t i = 0; i < FPages.size(); ++i)
        ShowWindow(FPages[i]->Handle(), static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    if (OnChange) OnChange();
}

void TPageControl::Notify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) SetActivePage(ActivePage());
}

}  // namespace pastimo
