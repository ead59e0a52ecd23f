#pragma once
// A message box of the program. Its owner is a window of the program (the
// active one, typically), so that closing the box hands the activation back
// to the program rather than to nothing; afterwards the control that had the
// focus has it again.

#include <windows.h>

#include <string>

namespace pastimo {

// `owner` may be null: the box then stands alone, task-modal.
// `centreOnScreen`: in the middle of the screen rather than of its owner.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type, bool centreOnScreen);

}  // namespace pastimo
