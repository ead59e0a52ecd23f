#include "capture/ClipChain.h"

namespace pastimo {

ClipChainStep ClipChainChange(THandle self, THandle nextViewer, THandle leaving, THandle following) {
    if (leaving == nextViewer) nextViewer = following;
    // The leaving window's own notice must not go round again; a null next
    // viewer ends the chain.
    return {nextViewer, leaving != self && nextViewer != 0};
}

}  // namespace pastimo
