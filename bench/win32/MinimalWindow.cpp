// The yardstick for pastimo.exe's start-up: the least a Win32 program does to
// have one (hidden) top-level window with a running message loop. It answers
// the same sync message as the main window, so the benchmark can tell when
// its loop is idle.

#include <windows.h>

namespace {

const char kClassName[] = "PastimoMinimalWindow";
const char kSyncMessageName[] = "Pastimo.Sync";
UINT syncMessage = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == syncMessage) {
        SetPropA(window, kSyncMessageName, reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    if (message == WM_DESTROY) {
        RemovePropA(window, kSyncMessageName);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    syncMessage = RegisterWindowMessageA(kSyncMessageName);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return 1;
    // Hidden, like pastimo.exe after its third launch.
    HWND window = CreateWindowExA(0, kClassName, "Minimal Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  527, 458, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
