#pragma once
// The Windows numbers portable code looks at: window messages, the mouse
// messages the shell passes on, show commands, virtual keys, RegisterHotKey's
// modifier bits, the error that says another program holds a hotkey, and
// Shell_NotifyIcon's messages. They are spelled out here because portable
// code includes no Windows headers; the Win32 build checks every one against
// <windows.h> (toolkit/win32/WindowsNumbers.cpp). Letters and digits are
// their own upper-case ASCII codes as virtual keys and need no names.

#include <cstdint>

namespace pastimo::winapi {

constexpr uint32_t kWmQueryEndSession = 0x11;
constexpr uint32_t kWmEndSession = 0x16;
constexpr uint32_t kWmUser = 0x400;

constexpr int32_t kWmMouseMove = 0x200;
constexpr int32_t kWmLButtonDown = 0x201, kWmLButtonUp = 0x202, kWmLButtonDblClk = 0x203;
constexpr int32_t kWmRButtonDown = 0x204, kWmRButtonUp = 0x205, kWmRButtonDblClk = 0x206;
constexpr int32_t kWmMButtonDown = 0x207, kWmMButtonUp = 0x208, kWmMButtonDblClk = 0x209;

constexpr int kSwHide = 0, kSwRestore = 9;

constexpr int kVkLButton = 0x01, kVkRButton = 0x02, kVkMButton = 0x04;
constexpr int kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;

constexpr uint32_t kVkSpace = 0x20;
constexpr uint32_t kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24;
constexpr uint32_t kVkInsert = 0x2D;
constexpr uint32_t kVkF1 = 0x70, kVkF24 = 0x87;

constexpr uint32_t kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4, kModWin = 0x8;
constexpr uint32_t kModNoRepeat = 0x4000;

constexpr uint32_t kErrorHotkeyAlreadyRegistered = 1409;

constexpr uint32_t kNimAdd = 0, kNimModify = 1, kNimDelete = 2;

}  // namespace pastimo::winapi
