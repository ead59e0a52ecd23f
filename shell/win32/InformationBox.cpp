#include "shell/win32/InformationBox.h"

#include "toolkit/win32/MessageBox.h"

#include <windows.h>

namespace pastimo {

void ShowInformationBox(const std::string& message) {
    // Owned by the program's active window (none while the window is hidden,
    // as for the first-run message): closing the box gives the keyboard back.
    ShowMessageBox(GetActiveWindow(), message, "Information", MB_OK | MB_ICONINFORMATION, true);
}

}  // namespace pastimo
