#pragma once
// A window that holds controls (a tab page, a panel): it passes its
// controls' notifications up to their form.

#include "toolkit/win32/Control.h"

namespace pastimo {

class TContainer : public TControl {
protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace pastimo
