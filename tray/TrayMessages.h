#pragma once
// The Windows numbers the portable tray icon looks at: window messages, the
// mouse messages the shell passes on, show commands and virtual keys. They
// are spelled out here because this code includes no Windows headers; the
// Win32 build checks every one against <windows.h> (tray/win32/TrayMessages.cpp).

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

}  // namespace pastimo::winapi
