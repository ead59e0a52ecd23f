#include "toolkit/Errors.h"

#include "toolkit/win32/Wide.h"

#include <windows.h>

namespace pastimo {

// https://learn.microsoft.com/windows/win32/api/debugapi/nf-debugapi-outputdebugstringw
void WriteDebuggerLine(const std::string& line) { OutputDebugStringW(Wide(line).c_str()); }

}  // namespace pastimo
