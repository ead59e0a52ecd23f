#pragma once
// One window's membership of the clipboard-viewer chain: joining, passing
// notices on, following changes of the chain, leaving. The Windows half of
// capture/ClipChain.h, whose rule it applies to a real window.

#include <windows.h>

namespace pastimo {

class ClipboardViewerLink {
public:
    // NextClipViewer := SetClipboardViewer(self). The platform sends `self`
    // one WM_DRAWCLIPBOARD before this returns, while Next() is still null.
    void Join(HWND self);

    // ChangeClipboardChain(self, NextClipViewer). Does nothing when not joined.
    void Leave();

    // WM_DRAWCLIPBOARD: passes the notice on, unchanged, to the next viewer.
    void ForwardDrawClipboard(WPARAM wParam, LPARAM lParam) const;

    // WM_CHANGECBCHAIN (wParam leaves, lParam followed it): follows the change
    // and passes the notice on unless this window itself is the one leaving.
    void ChangeChain(WPARAM wParam, LPARAM lParam);

    HWND Next() const { return FNext; }

private:
    HWND FSelf = nullptr;
    HWND FNext = nullptr;
};

}  // namespace pastimo
