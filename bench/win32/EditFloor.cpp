// What Wine's own edit control costs, in a bare program: no toolkit, no
// form, one top-level window holding one edit of MemoNewItem's kind
// (multi-line, word wrap, vertical scroll bar, 463 x 65) and the program's
// manifest (the common controls 6 edit, as pastimo.exe gets). Each case is
// WM_SETTEXT of a 32 KiB item text into the emptied field, in the layout's
// face (MS Sans Serif, 8 pt) and in the wide one (Microsoft Sans Serif), with
// the window hidden and shown (then to painted); and a letter typed into the
// field holding the text, with a Backspace after it, to painted. Medians.
//
//   scripts/wine-run.sh BUILD_DIR BUILD_DIR/bench/win32/edit_floor.exe [RUNS]

#include "bench/win32/BenchClock.h"
#include "bench/win32/BenchItems.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring Utf16(const std::string& utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                        &text[0], static_cast<int>(text.size()))));
    return text;
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

HFONT Face(const wchar_t* name, DWORD precision) {
    return CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, precision, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
}

void Key(HWND field, WORD key) {
    const UINT scan = MapVirtualKeyW(key, 0 /* MAPVK_VK_TO_VSC */);
    PostMessageW(field, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(field, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (1u << 30) | (1u << 31)));
    Pump();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const int runs = std::max(1, std::atoi(commandLine));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"PastimoEditFloor";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"PastimoEditFloor", L"Edit floor", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, 0, 0,
                                519, 424, nullptr, nullptr, instance, nullptr);
    HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                                     ES_WANTRETURN | ES_AUTOVSCROLL,
                                 16, 272, 463, 65, window, nullptr, instance, nullptr);
    SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
    const std::wstring ascii = Utf16(AsciiItemText()), cjk = Utf16(CjkItemText());
    const struct {
        const char* name;
        HFONT font;
    } faces[] = {{"MS Sans Serif", Face(L"MS Sans Serif", OUT_DEFAULT_PRECIS)},
                 {"Microsoft Sans Serif", Face(L"Microsoft Sans Serif", OUT_TT_PRECIS)}};
    std::printf("Wine's edit control alone, medians of %d\n", runs);
    for (const bool shown : {false, true}) {
        if (shown) {
            ShowWindow(window, SW_SHOWNORMAL);
            UpdateWindow(window);
            Pump();
        }
        for (const auto& face : faces) {
            SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(face.font), TRUE);
            for (const std::wstring* text : {&ascii, &cjk}) {
                std::vector<double> set, painted;
                for (int run = 0; run < runs; ++run) {
                    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
                    Pump();
                    const double start = Now();
                    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()));
                    set.push_back(Now() - start);
                    Pump();
                    painted.push_back(Now() - start);
                }
                std::printf("%-6s %-8s %-22s WM_SETTEXT %8.3f ms", shown ? "shown" : "hidden",
                            text == &ascii ? "ASCII" : "CJK", face.name, Median(set));
                if (!shown) {
                    std::printf("\n");
                    continue;
                }
                std::vector<double> keys;
                SetFocus(field);
                for (int run = 0; run < runs; ++run) {
                    const double start = Now();
                    Key(field, 'A');
                    Key(field, VK_BACK);
                    keys.push_back((Now() - start) / 2);
                }
                std::printf(", to painted %8.3f ms, a key to painted %7.3f ms\n", Median(painted), Median(keys));
            }
        }
    }
    DestroyWindow(window);
    return 0;
}
