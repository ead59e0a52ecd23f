#pragma once
// A one-line or multi-line edit control.

#include <functional>

#include "toolkit/win32/Control.h"

namespace pastimo {

class TEdit : public TControl {
public:
    // A multi-line row (csMultiLine) takes Enter for a line break and wraps
    // its words unless it scrolls sideways (csScrollH).
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    std::function<void()> OnEnter;  // the focus came in
    std::function<void()> OnClick;  // a mouse click inside
    void Command(WORD code) override;
    void Clear() { SetText(std::string()); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace pastimo
