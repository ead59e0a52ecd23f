#include "toolkit/win32/Edit.h"

#include "toolkit/win32/Form.h"

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
    FTypesTabs = (style & csWantTab) != 0;
    // Subclassed: a click inside is an event of its own.
    CreateStandard(form, placement, WC_EDITW, editStyle, WS_EX_CLIENTEDGE, true);
    // The largest text the platform allows, not the small default.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

LRESULT TEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (FTypesTabs) {
        // Dialog navigation asks the edit for its keys, and an edit asked so
        // treats Tab as a move to the next control (and types no tab at all
        // under some systems): the field takes the key and types the
        // character itself.
        switch (message) {
            case WM_GETDLGCODE: {
                LRESULT code = DefaultHandling(message, wParam, lParam);
                const auto* key = reinterpret_cast<const MSG*>(lParam);
                if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0)
                    code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);  // Shift+Tab leaves the field
                else
                    code |= DLGC_WANTTAB;
                return code;
            }
            case WM_KEYDOWN:
                if (wParam == VK_TAB) return 0;  // typed as its character below
                break;
            case WM_CHAR:
                if (wParam == '\t') {
                    if (!(GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY))
                        SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
                    return 0;
                }
                break;
        }
    }
    if (message == WM_SETFOCUS) {
        HWND from = reinterpret_cast<HWND>(wParam);
        HWND form = GetAncestor(Handle(), GA_ROOT);
        const bool fromOwnForm = from && from != Handle() && (from == form || IsChild(form, from));
        // Back from outside to the control the form had active (after a
        // message box, say) is no entering; told before the control's own
        // EN_SETFOCUS reaches the form.
        FEntering = fromOwnForm || !FForm || FForm->ActiveControl() != Handle();
    }
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (message == WM_LBUTTONUP && OnClick) OnClick();
    // Text set from anywhere (a multi-line edit reports no change for it).
    if (message == WM_SETTEXT && lParam) FitFontTo(reinterpret_cast<const wchar_t*>(lParam), true);
    return result;
}

void TEdit::Command(WORD code) {
    if (code == EN_SETFOCUS && FEntering && OnEnter) OnEnter();
    // Typed or pasted: the text may now hold what the layout's face cannot draw.
    if (code == EN_CHANGE) {
        FitFontTo(WideText(), true);
        if (OnChange) OnChange();
    }
}

}  // namespace pastimo
