#include "toolkit/win32/Edit.h"

namespace pastimo {

void TEdit::CreateFrom(TForm& form, const ControlPlacement& placement) {
    const uint32_t style = placement.row.style;
    DWORD editStyle = WS_TABSTOP;
    if (style & csMultiLine)
        editStyle |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    else
        editStyle |= ES_AUTOHSCROLL;
    if (style & csScrollV) editStyle |= WS_VSCROLL;
    if (style & csScrollH) editStyle |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (style & csReadOnly) editStyle |= ES_READONLY;
    // Subclassed: a click inside is an event of its own.
    CreateStandard(form, placement, WC_EDITW, editStyle, WS_EX_CLIENTEDGE, true);
    // The largest text the platform allows, not the small default.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

LRESULT TEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (message == WM_LBUTTONUP && OnClick) OnClick();
    return result;
}

void TEdit::Command(WORD code) {
    if (code == EN_SETFOCUS && OnEnter) OnEnter();
}

}  // namespace pastimo
