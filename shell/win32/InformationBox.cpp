#include "shell/win32/InformationBox.h"

#include <windows.h>

namespace pastimo {

void ShowInformationBox(const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), "Information", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace pastimo
