#include "toolkit/win32/Dpi.h"

#include "toolkit/Layout.h"

namespace pastimo {
namespace {

template <typename Function>
Function User32(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32<AdjustFunction>("AdjustWindowRectExForDpi");
    if (adjust && adjust(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
    using MetricFunction = int(WINAPI*)(int, UINT);
    static const auto metric = User32<MetricFunction>("GetSystemMetricsForDpi");
    if (metric) return metric(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace pastimo
