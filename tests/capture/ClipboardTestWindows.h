#pragma once
// Hidden windows and clipboard helpers for the clipboard tests (Win32 only).

#include "capture/win32/Win32ClipChain.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace pastimo {
namespace testing_clipboard {

// Handles clipboard messages with a ClipboardViewerLink, and records them.
struct TestViewer {
    HWND hwnd = nullptr;
    ClipboardViewerLink link;
    int draws = 0;
    std::vector<std::pair<WPARAM, LPARAM>> changes;
};

inline LRESULT CALLBACK TestViewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* viewer = reinterpret_cast<TestViewer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (viewer && message == WM_DRAWCLIPBOARD) {
        ++viewer->draws;
        viewer->link.ForwardDrawClipboard(wParam, lParam);
        return 0;
    }
    if (viewer && message == WM_CHANGECBCHAIN) {
        viewer->changes.emplace_back(wParam, lParam);
        viewer->link.ChangeChain(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline HWND CreateHiddenWindow(TestViewer* viewer = nullptr) {
    static const ATOM atom = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = TestViewerProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "PastimoClipboardTestWindow";
        return RegisterClassA(&cls);
    }();
    (void)atom;
    HWND hwnd = CreateWindowExA(0, "PastimoClipboardTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), viewer);
    if (viewer) viewer->hwnd = hwnd;
    return hwnd;
}

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Opens the clipboard, waiting out short holds by other programs.
inline bool OpenForTest(HWND owner) {
    for (int i = 0; i < 200; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(5);
    }
    return false;
}

inline HGLOBAL GlobalBytes(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (memory && size) {
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
    }
    return memory;
}

// Replaces the clipboard's contents with the given formats.
inline bool SetClipboardFormats(HWND owner, const std::vector<std::pair<UINT, HANDLE>>& formats) {
    if (!OpenForTest(owner)) return false;
    bool ok = EmptyClipboard();
    for (const auto& format : formats) ok = SetClipboardData(format.first, format.second) && ok;
    return CloseClipboard() && ok;
}

inline bool SetClipboardText(HWND owner, const std::string& text) {
    return SetClipboardFormats(owner, {{CF_TEXT, GlobalBytes(text.c_str(), text.size() + 1)}});
}

inline bool SetClipboardUnicode(HWND owner, const std::u16string& text) {
    return SetClipboardFormats(owner,
                               {{CF_UNICODETEXT, GlobalBytes(text.c_str(), (text.size() + 1) * sizeof(char16_t))}});
}

}  // namespace testing_clipboard
}  // namespace pastimo
