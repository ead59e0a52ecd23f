#pragma once
// The clipboard-viewer chain's rule for a change of the chain, decided
// without a window. Portable: no Windows headers.

#include <cstdint>

namespace pastimo {

// WM_CHANGECBCHAIN, decided without the window: `leaving` leaves the chain,
// `following` was the window after it.
struct ClipChainStep {
    uintptr_t nextViewer;  // the new value of NextClipViewer
    bool forward;          // pass the notice on, unchanged, to nextViewer
};
ClipChainStep ClipChainChange(uintptr_t self, uintptr_t nextViewer, uintptr_t leaving, uintptr_t following);

}  // namespace pastimo
