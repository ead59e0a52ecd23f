#include "toolkit/win32/Edit.h"

#include "toolkit/win32/Form.h"

#include <optional>

namespace pastimo {
namespace {

// What a field's scroll bars show, for telling whether its frame changed.
struct ScrollBars {
    SCROLLINFO vertical{}, horizontal{};
    explicit ScrollBars(HWND field) {
        vertical.cbSize = horizontal.cbSize = sizeof(SCROLLINFO);
        vertical.fMask = horizontal.fMask = SIF_ALL;
        GetScrollInfo(field, SB_VERT, &vertical);
        GetScrollInfo(field, SB_HORZ, &horizontal);
    }
    bool operator==(const ScrollBars& other) const {
        auto same = [](const SCROLLINFO& a, const SCROLLINFO& b) {
            return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
        };
        return same(vertical, other.vertical) && same(horizontal, other.horizontal);
    }
};

}  // namespace

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
    if (message == WM_SETTEXT) return TakeText(wParam, lParam);
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (message == WM_LBUTTONUP && OnClick) OnClick();
    return result;
}

// Text set from anywhere (a multi-line edit reports no change for it). The
// font is chosen for the new text before the control takes it: a change of
// font lays out again every line the control holds (under Wine up to three
// times), and the text about to go is not worth that, so a field that holds
// text is emptied first. A multi-line field on screen takes the text unseen
// and is drawn once after: Wine's edit control otherwise draws its scroll
// bar and moves its view at each step, which added a third to a half to
// laying out 32 KiB. (Wine's common-controls edit ignores WM_SETREDRAW, so
// DefWindowProc's handling of it, which Windows' edit passes the message
// on to, is asked directly.)
LRESULT TEdit::TakeText(WPARAM wParam, LPARAM lParam) {
    const HWND field = Handle();
    const bool multiLine = (GetWindowLongW(field, GWL_STYLE) & ES_MULTILINE) != 0;
    std::optional<ScrollBars> shownBars;
    if (multiLine && IsWindowVisible(field)) {
        shownBars.emplace(field);
        DefWindowProcW(field, WM_SETREDRAW, FALSE, 0);
    }
    const bool wide = NeedsWideFont(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
    if (wide != ShowsWideFont()) {
        if (multiLine && GetWindowTextLengthW(field) > 0) DefaultHandling(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        UseWideFont(wide);
    }
    const LRESULT result = DefaultHandling(WM_SETTEXT, wParam, lParam);
    if (shownBars) {
        DefWindowProcW(field, WM_SETREDRAW, TRUE, 0);
        // The frame (its scroll bars) only when they changed: drawing them
        // costs more than a few lines of text.
        const UINT frame = ScrollBars(field) == *shownBars ? 0 : RDW_FRAME;
        RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | frame);
    }
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
