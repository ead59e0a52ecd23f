// The portable hotkey spells out the Windows numbers it uses; here each is
// checked against <windows.h>, so a slip of the pen fails the Win32 build.

// MOD_NOREPEAT is declared only for Windows 7 and later. This file compares
// numbers and calls nothing, so it may see the newer headers.
#undef WINVER
#define WINVER 0x0601

#include "shell/HotkeyNumbers.h"

#include "shell/Hotkey.h"

#include <windows.h>

namespace pastimo::winapi {

static_assert(ModAlt == MOD_ALT && ModControl == MOD_CONTROL && ModShift == MOD_SHIFT && ModWin == MOD_WIN);
static_assert(ModNoRepeat == MOD_NOREPEAT);
static_assert(VkSpace == VK_SPACE && VkInsert == VK_INSERT);
static_assert(VkPrior == VK_PRIOR && VkNext == VK_NEXT && VkEnd == VK_END && VkHome == VK_HOME);
static_assert(VkF1 == VK_F1 && VkF24 == VK_F24 && VK_F24 - VK_F1 == 23);
static_assert(ErrorHotkeyAlreadyRegistered == ERROR_HOTKEY_ALREADY_REGISTERED);

}  // namespace pastimo::winapi

namespace pastimo {

static_assert(hmAlt == MOD_ALT && hmCtrl == MOD_CONTROL && hmShift == MOD_SHIFT && hmWin == MOD_WIN);

}  // namespace pastimo
