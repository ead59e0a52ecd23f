#include "toolkit/win32/Container.h"

#include "toolkit/win32/Form.h"

namespace pastimo {

LRESULT TContainer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (FForm) {
        bool handled = false;
        const LRESULT result = FForm->RouteChildMessage(Handle(), message, wParam, lParam, handled);
        if (handled) return result;
    }
    switch (message) {
        case WM_CLOSE:
            // A multi-line edit under dialog navigation asks its parent to close
            // when Escape is pressed in it; a page or a panel never closes.
            return 0;
        case WM_NEXTDLGCTL:
        case DM_GETDEFID:
        case DM_SETDEFID:
            // Moving the focus on and the default button are the form's: a
            // control asks its parent, which is this container.
            if (FForm) return SendMessageW(FForm->Handle(), message, wParam, lParam);
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace pastimo
