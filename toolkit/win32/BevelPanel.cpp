#include "toolkit/win32/BevelPanel.h"

namespace pastimo {
namespace {

void FillStrip(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    RECT strip{left, top, right, bottom};
    FillRect(dc, &strip, brush);
}

}  // namespace

void TBevelPanel::CreateFrom(TForm& form, const ControlPlacement& placement) {
    FPanelColor = ColorOf(placement.row.look.color);
    FBorderWidth = placement.row.look.border;
    FBevelWidth = placement.row.look.bevel;
    // The panel's controls take part in the form's Tab order.
    CreateOwn(form, placement, {L"TPanel"}, WS_BORDER | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT TBevelPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(Handle(), &rect);
            HBRUSH brush = CreateSolidBrush(FPanelColor);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, brush);
            DeleteObject(brush);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            Paint(dc);
            EndPaint(Handle(), &paint);
            return 0;
        }
    }
    return TContainer::HandleMessage(message, wParam, lParam);
}

void TBevelPanel::Paint(HDC dc) const {
    RECT rect;
    GetClientRect(Handle(), &rect);
    const int border = ScaleToDpi(FBorderWidth, Dpi());
    InflateRect(&rect, -border, -border);
    // Lowered: the shadow on the top and left edges, the light on the others.
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    const int bevel = ScaleToDpi(FBevelWidth, Dpi());
    for (int i = 0; i < bevel && rect.right > rect.left && rect.bottom > rect.top; ++i) {
        FillStrip(dc, rect.left, rect.top, rect.right - 1, rect.top + 1, shadow);
        FillStrip(dc, rect.left, rect.top, rect.left + 1, rect.bottom - 1, shadow);
        FillStrip(dc, rect.right - 1, rect.top, rect.right, rect.bottom, light);
        FillStrip(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom, light);
        InflateRect(&rect, -1, -1);
    }
}

}  // namespace pastimo
