#include "capture/win32/Win32ClipChain.h"

#include "capture/ClipChain.h"

#include <cstdint>

namespace pastimo {

void ClipboardViewerLink::Join(HWND self) {
    FSelf = self;
    FNext = nullptr;
    FNext = SetClipboardViewer(self);
}

void ClipboardViewerLink::Leave() {
    if (!FSelf) return;
    ChangeClipboardChain(FSelf, FNext);
    FSelf = nullptr;
    FNext = nullptr;
}

void ClipboardViewerLink::ForwardDrawClipboard(WPARAM wParam, LPARAM lParam) const {
    if (FNext) SendMessageW(FNext, WM_DRAWCLIPBOARD, wParam, lParam);
}

void ClipboardViewerLink::ChangeChain(WPARAM wParam, LPARAM lParam) {
    const ClipChainStep step = ClipChainChange(reinterpret_cast<THandle>(FSelf), reinterpret_cast<THandle>(FNext),
                                               static_cast<THandle>(wParam), static_cast<THandle>(lParam));
    FNext = reinterpret_cast<HWND>(step.nextViewer);
    if (step.forward) SendMessageW(FNext, WM_CHANGECBCHAIN, wParam, lParam);
}

}  // namespace pastimo
