#include "toolkit/win32/Win32Error.h"

#include <string>

namespace pastimo {

EWin32Error::EWin32Error(const char* call, DWORD error)
    : Exception(std::string(call) + " failed, error " + std::to_string(error)), Error(error) {}

void Failed(const char* call) { throw EWin32Error(call, GetLastError()); }

}  // namespace pastimo
