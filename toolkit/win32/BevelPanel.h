#pragma once
// A panel that holds controls: a single border line, a gap of the row's
// border width in the panel's colour, then a lowered inner bevel.

#include "toolkit/win32/Container.h"

namespace pastimo {

class TBevelPanel : public TContainer {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) const;

    COLORREF FPanelColor = 0;
    int FBorderWidth = 0;  // at 96 DPI
    int FBevelWidth = 0;
};

}  // namespace pastimo
