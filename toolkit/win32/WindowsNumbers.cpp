// Portable code spells out the Windows numbers it uses
// (toolkit/WindowsNumbers.h); here each is checked against <windows.h>, so a
// slip of the pen fails the Win32 build.

// MOD_NOREPEAT is declared only for Windows 7 and later. This file compares
// numbers and calls nothing, so it may see the newer headers.
#undef WINVER
#define WINVER 0x0601

#include "toolkit/WindowsNumbers.h"

#include <windows.h>

#include <shellapi.h>

namespace pastimo::winapi {

static_assert(kWmQueryEndSession == WM_QUERYENDSESSION);
static_assert(kWmEndSession == WM_ENDSESSION);
static_assert(kWmUser == WM_USER);
static_assert(kWmMouseMove == WM_MOUSEMOVE);
static_assert(kWmLButtonDown == WM_LBUTTONDOWN && kWmLButtonUp == WM_LBUTTONUP && kWmLButtonDblClk == WM_LBUTTONDBLCLK);
static_assert(kWmRButtonDown == WM_RBUTTONDOWN && kWmRButtonUp == WM_RBUTTONUP && kWmRButtonDblClk == WM_RBUTTONDBLCLK);
static_assert(kWmMButtonDown == WM_MBUTTONDOWN && kWmMButtonUp == WM_MBUTTONUP && kWmMButtonDblClk == WM_MBUTTONDBLCLK);
static_assert(kSwHide == SW_HIDE && kSwRestore == SW_RESTORE);
static_assert(kVkLButton == VK_LBUTTON && kVkRButton == VK_RBUTTON && kVkMButton == VK_MBUTTON);
static_assert(kVkShift == VK_SHIFT && kVkControl == VK_CONTROL && kVkMenu == VK_MENU);
static_assert(kVkSpace == VK_SPACE && kVkInsert == VK_INSERT);
static_assert(kVkPrior == VK_PRIOR && kVkNext == VK_NEXT && kVkEnd == VK_END && kVkHome == VK_HOME);
static_assert(kVkF1 == VK_F1 && kVkF24 == VK_F24 && VK_F24 - VK_F1 == 23);
static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT && kModWin == MOD_WIN);
static_assert(kModNoRepeat == MOD_NOREPEAT);
static_assert(kErrorHotkeyAlreadyRegistered == ERROR_HOTKEY_ALREADY_REGISTERED);
static_assert(kNimAdd == NIM_ADD && kNimModify == NIM_MODIFY && kNimDelete == NIM_DELETE);

}  // namespace pastimo::winapi
