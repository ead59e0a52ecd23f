#pragma once
// The hints of a form's controls, shown as tooltips by one tooltip window.

#include <windows.h>

#include <string>

#include "toolkit/win32/Window.h"

namespace pastimo {

class TToolTip : public Window {
public:
    void Create(HWND form);
    // Shows `hint` while the mouse rests on `control`.
    void Add(HWND control, const std::string& hint);

private:
    HWND FForm = nullptr;
};

}  // namespace pastimo
