// The portable tray spells out the Windows numbers it uses; here each is
// checked against <windows.h>, so a slip of the pen fails the Win32 build.

#include "tray/TrayMessages.h"

#include "tray/VXTray95.h"

#include <windows.h>

#include <shellapi.h>

namespace pastimo::winapi {

static_assert(WmQueryEndSession == WM_QUERYENDSESSION);
static_assert(WmEndSession == WM_ENDSESSION);
static_assert(WmUser == WM_USER);
static_assert(WmMouseMove == WM_MOUSEMOVE);
static_assert(WmLButtonDown == WM_LBUTTONDOWN && WmLButtonUp == WM_LBUTTONUP && WmLButtonDblClk == WM_LBUTTONDBLCLK);
static_assert(WmRButtonDown == WM_RBUTTONDOWN && WmRButtonUp == WM_RBUTTONUP && WmRButtonDblClk == WM_RBUTTONDBLCLK);
static_assert(WmMButtonDown == WM_MBUTTONDOWN && WmMButtonUp == WM_MBUTTONUP && WmMButtonDblClk == WM_MBUTTONDBLCLK);
static_assert(SwHide == SW_HIDE && SwRestore == SW_RESTORE);
static_assert(VkLButton == VK_LBUTTON && VkRButton == VK_RBUTTON && VkMButton == VK_MBUTTON);
static_assert(VkShift == VK_SHIFT && VkControl == VK_CONTROL && VkMenu == VK_MENU);

}  // namespace pastimo::winapi

namespace pastimo {

static_assert(WM_TRAYICONCALLBACK == WM_USER + 100 && WM_TRAYDEFERREDCALL == WM_USER + 101);
static_assert(TrayNotifyFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP));

}  // namespace pastimo
