#pragma once
// A filled rectangle with an outline, drawn behind the controls it frames;
// clicks go through it to what lies below.

#include "toolkit/win32/Control.h"

namespace pastimo {

class TShape : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF FFill = 0, FOutline = 0;
};

}  // namespace pastimo
