#include "toolkit/win32/ToolTip.h"

#include "toolkit/win32/Wide.h"

#include <commctrl.h>

namespace pastimo {

void TToolTip::Add(HWND control, const std::string& hint) {
    if (Handle())
        Register(control, hint);
    else
        FWaiting.emplace_back(control, hint);
}

void TToolTip::MouseMoved(const MSG& move) {
    if (Handle() || FWaiting.empty() || !FForm) return;
    WindowPlacement placement;
    placement.exStyle = WS_EX_TOPMOST;
    placement.style = WS_POPUP | TTS_ALWAYSTIP;
    placement.width = CW_USEDEFAULT;
    placement.height = CW_USEDEFAULT;
    placement.parent = FForm;
    CreateControl(TOOLTIPS_CLASSW, placement, false);
    for (const auto& waiting : FWaiting) Register(waiting.first, waiting.second);
    FWaiting.clear();
    // The tooltip watches its controls from now on; this move it is told of.
    SendMessageW(Handle(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void TToolTip::Register(HWND control, const std::string& hint) {
    std::wstring text = Wide(hint);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = FForm;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = &text[0];  // copied by the tooltip
    SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace pastimo
