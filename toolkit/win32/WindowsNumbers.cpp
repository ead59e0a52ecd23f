// Portable code spells out the Windows numbers it uses
// (toolkit/WindowsNumbers.h); here each is checked against <windows.h>, so a
// slip of the pen fails the Win32 build.

// MOD_NOREPEAT is declared only for Windows 7 and later. This file compares
// numbers and calls nothing, so it may see the newer headers.
#undef WINVER
#define WINVER 0x0601

#include "toolkit/WindowsNumbers.h"

#include <windows.h>

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
static_assert(VkSpace == VK_SPACE && VkInsert == VK_INSERT);
static_assert(VkPrior == VK_PRIOR && VkNext == VK_NEXT && VkEnd == VK_END && VkHome == VK_HOME);
static_assert(VkF1 == VK_F1 && VkF24 == VK_F24 && VK_F24 - VK_F1 == 23);
static_assert(ModAlt == MOD_ALT && ModControl == MOD_CONTROL && ModShift == MOD_SHIFT && ModWin == MOD_WIN);
static_assert(ModNoRepeat == MOD_NOREPEAT);
static_assert(ErrorHotkeyAlreadyRegistered == ERROR_HOTKEY_ALREADY_REGISTERED);

}  // namespace pastimo::winapi
