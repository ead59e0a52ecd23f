#pragma once
// A one-line or multi-line edit control.

#include "toolkit/win32/Control.h"

#include <functional>

namespace pastimo {

class TEdit : public TControl {
public:
    // A multi-line row (csMultiLine) takes Enter for a line break and wraps
    // its words unless it scrolls sideways (csScrollH); with csWantTab the
    // Tab key types a tab (Shift+Tab still moves back to the previous control).
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    // The focus came in from another control of the form: not when it only
    // comes back to the field from a message box or another program.
    std::function<void()> OnEnter;
    std::function<void()> OnClick;   // a mouse click inside
    std::function<void()> OnChange;  // the text changed, typed or set
    void Command(WORD code) override;
    void Clear() { SetText(std::string()); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT TakeText(WPARAM wParam, LPARAM lParam);

    bool FTypesTabs = false;
    bool FEntering = false;
};

}  // namespace pastimo
