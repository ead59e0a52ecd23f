#pragma once
// The Windows numbers a hotkey is made of: RegisterHotKey's modifier bits,
// the virtual keys that have names, and the error that says another program
// holds a hotkey. Spelled out because the portable code includes no Windows
// headers; the Win32 build checks each against <windows.h>
// (shell/win32/HotkeyNumbers.cpp). The letters and digits are their own
// upper-case ASCII codes and need no names.

#include <cstdint>

namespace pastimo::winapi {

constexpr uint32_t ModAlt = 0x1, ModControl = 0x2, ModShift = 0x4, ModWin = 0x8;
constexpr uint32_t ModNoRepeat = 0x4000;

constexpr uint32_t VkSpace = 0x20;
constexpr uint32_t VkPrior = 0x21, VkNext = 0x22, VkEnd = 0x23, VkHome = 0x24;
constexpr uint32_t VkInsert = 0x2D;
constexpr uint32_t VkF1 = 0x70, VkF24 = 0x87;

constexpr uint32_t ErrorHotkeyAlreadyRegistered = 1409;

}  // namespace pastimo::winapi
