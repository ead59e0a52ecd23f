// Where pastimo.exe's start-up time goes, measured inside one process: the
// same steps as the program entry (common controls, application, TForm1 with
// all its controls, FormCreate, the first idle loop), then TListBox::Fill of
// 10,000 group names into a list box like ListBox1, and the two halves of
// picking a 32 KiB item: its text into a field like MemoNewItem, and the
// field's copy to the clipboard.
//
// It runs the real start-up beside itself: it writes LAUNCHES.DAT (as a third
// launch, so no first-run box), OPTION1.INI and data\ into its own folder.

#include "bench/win32/BenchClock.h"
#include "capture/win32/Clipboard.h"
#include "shell/LaunchCounter.h"
#include "shell/win32/ProgramFiles.h"
#include "shell/win32/Unit1.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/ListBox.h"

#include <windows.h>

#include <commctrl.h>

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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string folder = pastimo::ExecutableFolder();
    HANDLE counter = CreateFileA((folder + pastimo::kLaunchCounterFileName).c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(counter, "2\r\n", 3, &written, nullptr);
    CloseHandle(counter);

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
        std::string text;
        while (text.size() < 32768) text += std::string(58, static_cast<char>('a' + text.size() / 60 % 26)) + "\r\n";
        text.resize(32768);
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

    delete pastimo::Form1;
    return 0;
}
