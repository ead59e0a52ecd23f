#pragma once
// The controls of the system's BUTTON class: push buttons, check boxes and
// group boxes.

#include "toolkit/win32/Control.h"

#include <functional>

namespace pastimo {

class TButton : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    std::function<void()> OnClick;
    void Click();  // as if pressed
    void Command(WORD code) override;
};

class TCheckBox : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    bool Checked() const;
    // Changing the state by code reports the change like a click does.
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    void Command(WORD code) override;
};

// A frame around controls that belong together; they are its siblings, laid
// out relative to it, so that their notifications reach the form.
class TGroupBox : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
};

}  // namespace pastimo
