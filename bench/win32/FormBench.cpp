// Where pastimo.exe's start-up time goes, measured inside one process: the
// same steps as the program entry (common controls, application, TForm1 with
// all its controls, FormCreate, the first idle loop), then TListBox::Fill of
// 10,000 group names into a list box like ListBox1, and the two halves of
// picking a 32 KiB item: its text into a field like MemoNewItem, and the
// field's copy to the clipboard. Then picks through the real form's
// "My Groups" page (a 32 KiB item in ASCII, one of CJK and emoji lines, a
// 1-byte item), with the window hidden and shown (to painted), and keys typed
// into the field holding the CJK item.
//
// It runs the real start-up beside itself: it writes LAUNCHES.DAT (as a third
// launch, so no first-run box), OPTION1.INI and data\ into its own folder.

#include "bench/win32/BenchClock.h"
#include "bench/win32/BenchItems.h"
#include "capture/win32/Clipboard.h"
#include "resources/MainWindowLayout.h"
#include "shell/LaunchCounter.h"
#include "shell/win32/ProgramFiles.h"
#include "shell/win32/Unit1.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/ListBox.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Step(const char* label, double& since) {
    const double now = Now();
    std::printf("%-44s %8.3f ms\n", label, now - since);
    since = now;
}

void PumpUntilIdle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int i = 0; i < count; ++i) {
        std::string name = "G";
        const unsigned length = 5 + next() % 19;
        for (unsigned j = 0; j < length; ++j) name += static_cast<char>('a' + next() % 26);
        names.push_back(name);
    }
    return names;  // the order does not matter to the list box
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

struct Samples {
    std::vector<double> values;
    void Add(double value) { values.push_back(value); }
    void Print(const char* label) const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        if (!n) return;
        const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        std::printf("%-44s %8.3f ms  (min %.3f, max %.3f, %zu runs)\n", label, median, sorted.front(), sorted.back(),
                    n);
    }
};

struct ChildById {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildById*>(param);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

HWND Child(HWND form, int id) {
    ChildById search{id, nullptr};
    EnumChildWindows(form, MatchId, reinterpret_cast<LPARAM>(&search));
    if (!search.found) std::printf("no control %d\n", id);
    return search.found;
}

// As a click on a row does: the selection, then the list's notice to its parent.
void Select(HWND list, int row) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// A key pressed and let go, posted as the system posts it: the form's own
// message loop translates it into its character.
void PostKey(HWND target, WORD key) {
    const UINT scan = MapVirtualKeyW(key, 0 /* MAPVK_VK_TO_VSC */);
    PostMessageW(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

// The picks and keys of the real form's "My Groups" page.
void PickAndType(pastimo::TApplication& application, HWND form) {
    const HWND items = Child(form, pastimo::kListBoxItems);
    const HWND memo = Child(form, pastimo::kMemoNewItem);
    if (!items || !memo) return;
    // The rows in the list's order: ascii, cjk, small.
    enum { kAscii, kCjk, kSmall };
    const int runs = 9;
    for (const bool shown : {false, true}) {
        if (shown) {
            ShowWindow(form, SW_SHOWNORMAL);
            application.ProcessMessages();
        }
        Samples pick[3], idle[3];
        for (int run = 0; run < runs; ++run) {
            for (int row : {kAscii, kSmall, kCjk, kSmall}) {
                double since = Now();
                Select(items, row);
                pick[row].Add(Now() - since);
                since = Now();
                application.ProcessMessages();
                idle[row].Add(Now() - since);
            }
        }
        std::printf("picks through the form, window %s\n", shown ? "shown (to idle: painted)" : "hidden");
        pick[kAscii].Print("  pick the 32 KiB ASCII item");
        idle[kAscii].Print("    then to idle");
        pick[kCjk].Print("  pick the 32 KiB CJK item");
        idle[kCjk].Print("    then to idle");
        pick[kSmall].Print("  pick the 1-byte item");
        idle[kSmall].Print("    then to idle");
    }

    // Typing into the field holding the CJK item, the window shown; the
    // caret where a pick leaves it (the start).
    Select(items, kCjk);
    application.ProcessMessages();
    SetFocus(memo);
    application.ProcessMessages();
    Samples letter, back, wide;
    for (int key = 0; key < 31; ++key) {
        double since = Now();
        PostKey(memo, 'A');
        application.ProcessMessages();
        letter.Add(Now() - since);
        since = Now();
        PostMessageW(memo, WM_CHAR, 0x6771, 1);  // as an input method types it
        application.ProcessMessages();
        wide.Add(Now() - since);
        since = Now();
        PostKey(memo, VK_BACK);
        application.ProcessMessages();
        back.Add(Now() - since);
        PostKey(memo, VK_BACK);
        application.ProcessMessages();
    }
    std::printf("keys into the field holding the CJK item, to idle (painted)\n");
    letter.Print("  a letter");
    wide.Print("  a CJK character");
    back.Print("  backspace");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string folder = pastimo::ExecutableFolder();
    HANDLE counter = CreateFileA((folder + pastimo::kLaunchCounterFileName).c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(counter, "2\r\n", 3, &written, nullptr);
    CloseHandle(counter);

    // A group of three items for the picks.
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    CreateDirectoryA((folder + "data\\g").c_str(), nullptr);
    WriteBytes(folder + "data\\categories.dat", "g\r\n");
    WriteBytes(folder + "data\\g\\g.dat", "ascii\r\ncjk\r\nsmall\r\n");
    WriteBytes(folder + "data\\g\\ascii.itm", AsciiItemText());
    WriteBytes(folder + "data\\g\\cjk.itm", "\xEF\xBB\xBF" + CjkItemText());
    WriteBytes(folder + "data\\g\\small.itm", "s");

    const double start = Now();
    double since = start;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Step("InitCommonControlsEx", since);

    pastimo::TApplication application;
    application.SetTitle("Pastimo");
    application.Initialize(instance);
    Step("application window", since);
    auto* form = new pastimo::TForm1(nullptr);
    application.SetMainForm(form);
    Step("TForm1: window, menu, controls, tray", since);
    form->FormCreate();
    Step("FormCreate", since);
    PumpUntilIdle();
    Step("first idle loop", since);
    std::printf("%-44s %8.3f ms\n", "total", Now() - start);

    {
        // ListBox1's kind of list box, on the same page size, filled as the page
        // fills it.
        using pastimo::ControlKind;
        pastimo::TListBox list;
        const pastimo::ControlLayout listRow{999,
                                             0,
                                             ControlKind::ListBox,
                                             {8, 25, 159, 145},
                                             "",
                                             nullptr,
                                             0,
                                             pastimo::csNone,
                                             0,
                                             pastimo::RowHeight(13)};
        list.CreateFrom(*form, {listRow, form->Handle(), listRow.bounds, form->Font()});
        const std::vector<std::string> names = Names(10000);
        for (int run = 0; run < 5; ++run) {
            list.Clear();
            PumpUntilIdle();
            since = Now();
            list.Fill(names);
            PumpUntilIdle();
            Step("TListBox::Fill 10,000 names, to idle", since);
        }
        if (list.Count() != 10000) std::printf("the list holds %d rows\n", list.Count());

        // MemoNewItem's kind of field: multi-line, word wrap, vertical scroll bar.
        pastimo::TEdit memo;
        const pastimo::ControlLayout memoRow{
            998, 0, ControlKind::Edit, {16, 272, 463, 65}, "", nullptr, 0, pastimo::csMultiLine | pastimo::csScrollV,
            1};
        memo.CreateFrom(*form, {memoRow, form->Handle(), memoRow.bounds, form->Font()});
        const std::string text = AsciiItemText();
        for (int run = 0; run < 5; ++run) {
            memo.SetText("");
            PumpUntilIdle();
            since = Now();
            memo.SetText(text);
            Step("32 KiB into the multi-line field", since);
            pastimo::PutEditTextOnClipboard(application.Handle(), memo.Handle());
            Step("the field's copy to the clipboard", since);
            PumpUntilIdle();
            Step("then to idle (capture of the copy)", since);
        }

        // The same text in a field that does not wrap: what the wrapping costs.
        pastimo::TEdit noWrap;
        const pastimo::ControlLayout noWrapRow{997,
                                               0,
                                               ControlKind::Edit,
                                               {16, 272, 463, 65},
                                               "",
                                               nullptr,
                                               0,
                                               pastimo::csMultiLine | pastimo::csScrollV | pastimo::csScrollH,
                                               2};
        noWrap.CreateFrom(*form, {noWrapRow, form->Handle(), noWrapRow.bounds, form->Font()});
        for (int run = 0; run < 3; ++run) {
            noWrap.SetText("");
            PumpUntilIdle();
            since = Now();
            noWrap.SetText(text);
            Step("32 KiB into a field without word wrap", since);
        }
    }  // the controls go before their form

    Select(Child(form->Handle(), pastimo::kListBox1), 0);
    application.ProcessMessages();
    PickAndType(application, form->Handle());

    delete pastimo::Form1;
    return 0;
}
