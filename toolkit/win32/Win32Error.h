#pragma once
// A Win32 call that failed, as an exception that names the call and the
// error Windows gave (GetLastError), so that a failure never turns into a
// null handle that every later call silently ignores.

#include "toolkit/Errors.h"

#include <windows.h>

namespace pastimo {

struct EWin32Error : Exception {
    EWin32Error(const char* call, DWORD error);
    DWORD Error;
};

// Throws EWin32Error for `call` with the thread's last error.
[[noreturn]] void Failed(const char* call);

}  // namespace pastimo
