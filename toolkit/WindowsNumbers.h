#pragma once
// The Windows numbers portable code looks at: window messages, the mouse
// messages the shell passes on, show commands, virtual keys, RegisterHotKey's
// modifier bits and the error that says another program holds a hotkey. They
// are spelled out here because portable code includes no Windows headers; the
// Win32 build checks every one against <windows.h>
// (toolkit/win32/WindowsNumbers.cpp). Letters and digits are their own
// upper-case ASCII codes as virtual keys and need no names.

#include <cstdint>

namespace pastimo::winapi {

constexpr uint32_t WmQueryEndSession = 0x11;
constexpr uint32_t WmEndSession = 0x16;
constexpr uint32_t WmUser = 0x400;

constexpr int32_t WmMouseMove = 0x200;
constexpr int32_t WmLButtonDown = 0x201, WmLButtonUp = 0x202, WmLButtonDblClk = 0x203;
constexpr int32_t WmRButtonDown = 0x204, WmRButtonUp = 0x205, WmRButtonDblClk = 0x206;
constexpr int32_t WmMButtonDown = 0x207, WmMButtonUp = 0x208, WmMButtonDblClk = 0x209;

constexpr int SwHide = 0, SwRestore = 9;

constexpr int VkLButton = 0x01, VkRButton = 0x02, VkMButton = 0x04;
constexpr int VkShift = 0x10, VkControl = 0x11, VkMenu = 0x12;

constexpr uint32_t VkSpace = 0x20;
constexpr uint32_t VkPrior = 0x21, VkNext = 0x22, VkEnd = 0x23, VkHome = 0x24;
constexpr uint32_t VkInsert = 0x2D;
constexpr uint32_t VkF1 = 0x70, VkF24 = 0x87;

constexpr uint32_t ModAlt = 0x1, ModControl = 0x2, ModShift = 0x4, ModWin = 0x8;
constexpr uint32_t ModNoRepeat = 0x4000;

constexpr uint32_t ErrorHotkeyAlreadyRegistered = 1409;

}  // namespace pastimo::winapi
