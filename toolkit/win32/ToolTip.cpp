#include "toolkit/win32/ToolTip.h"

#include <commctrl.h>

#include "toolkit/Unicode.h"

namespace pastimo {

void TToolTip::Create(HWND form) {
    FForm = form;
    WindowPlacement placement;
    placement.exStyle = WS_EX_TOPMOST;
    placement.style = WS_POPUP | TTS_ALWAYSTIP;
    placement.width = CW_USEDEFAULT;
    placement.height = CW_USEDEFAULT;
    placement.parent = form;
    CreateControl(TOOLTIPS_CLASSW, placement, false);
}

void TToolTip::Add(HWND control, const std::string& hint) {
    if (!Handle()) return;
    std::u16string text = Utf8ToUtf16(hint);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = FForm;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = reinterpret_cast<wchar_t*>(&text[0]);  // copied by the tooltip
    SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace pastimo
