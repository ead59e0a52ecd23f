#pragma once
// The clipboard-viewer chain's rule for a change of the chain, decided
// without a window. Portable: no Windows headers.

#include "toolkit/Handle.h"

namespace pastimo {

// WM_CHANGECBCHAIN, decided without the window: `leaving` leaves the chain,
// `following` was the window after it.
struct ClipChainStep {
    THandle nextViewer;  // the new value of NextClipViewer
    bool forward;        // pass the notice on, unchanged, to nextViewer
};
ClipChainStep ClipChainChange(THandle self, THandle nextViewer, THandle leaving, THandle following);

}  // namespace pastimo
