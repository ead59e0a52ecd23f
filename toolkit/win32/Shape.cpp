#include "toolkit/win32/Shape.h"

namespace pastimo {

void TShape::CreateFrom(TForm& form, const ControlPlacement& placement) {
    FFill = ColorOf(placement.row.look.color);
    FOutline = ColorOf(placement.row.look.lineColor);
    CreateOwn(form, placement, {L"TShape"}, 0);
}

LRESULT TShape::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            RECT rect;
            GetClientRect(Handle(), &rect);
            HBRUSH brush = CreateSolidBrush(FFill);
            HPEN pen = CreatePen(PS_INSIDEFRAME, ScaleToDpi(1, Dpi()), FOutline);
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            HGDIOBJ oldPen = SelectObject(dc, pen);
            Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(brush);
            DeleteObject(pen);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace pastimo
