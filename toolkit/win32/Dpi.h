#pragma once
// The resolution a window is shown at, and the system's sizes at it. The
// calls that take a DPI exist only on newer systems (Windows 10 1607 and
// later; Wine has some of them): where they are missing, the system's one
// DPI stands for every window.

#include <windows.h>

namespace pastimo {

// The system's DPI (the primary screen's).
int SystemDpi();
// AdjustWindowRectEx for a window shown at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// GetSystemMetrics at `dpi` (SM_CXICON and the like).
int SystemMetricForDpi(int index, int dpi);

}  // namespace pastimo
