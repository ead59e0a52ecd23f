#include "capture/ClipChain.h"

namespace pastimo {

ClipChainStep ClipChainChange(uintptr_t self, uintptr_t nextViewer, uintptr_t leaving, uintptr_t following) {
    if (leaving == nextViewer) nextViewer = following;
    // The leaving window's own notice must not go round again; a null next
    // viewer ends the chain.
    return {nextViewer, leaving != self && nextViewer != 0};
}

}  // namespace pastimo
