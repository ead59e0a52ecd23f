#pragma once
// The hints of a form's controls, shown as tooltips by one tooltip window.
// The window is made when the mouse first moves over the form: a form that
// is never shown (the program mostly waits hidden in the tray) never pays
// for it.

#include "toolkit/win32/Window.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace pastimo {

class TToolTip : public Window {
public:
    explicit TToolTip(HWND form = nullptr) : FForm(form) {}
    void SetForm(HWND form) { FForm = form; }
    // Shows `hint` while the mouse rests on `control`.
    void Add(HWND control, const std::string& hint);
    // Every mouse move over the form passes here first: the first one makes
    // the tooltip window and hands the move on to it.
    void MouseMoved(const MSG& move);

private:
    void Register(HWND control, const std::string& hint);

    HWND FForm = nullptr;
    std::vector<std::pair<HWND, std::string>> FWaiting;  // hints added before the window exists
};

}  // namespace pastimo
