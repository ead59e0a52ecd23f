#include "toolkit/win32/Container.h"

#include "toolkit/win32/Form.h"

namespace pastimo {

LRESULT TContainer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (FForm) {
        bool handled = false;
        const LRESULT result = FForm->RouteChildMessage(Handle(), message, wParam, lParam, handled);
        if (handled) return result;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace pastimo
