// Launches 1, 2 and 3 in a fresh folder, and every way of closing the window.

#include "tests/e2e/Fixture.h"

#include <windows.h>

#include <commctrl.h>

namespace e2e {
namespace {

int ActivePage(Program& program) {
    HWND tabs = FindWindowExA(program.MainWindow(), nullptr, WC_TABCONTROLA, nullptr);
    return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

TEST_F(ProgramTest, FirstThreeLaunchesInAFreshFolder) {
    {
        Program first(FFolder.Path());
        HWND box = first.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Program::Caption(box), "Information");
        EXPECT_EQ(Program::MessageBoxText(box), kFirstRunMessage);
        // Nothing of the window shows while the message is up.
        EXPECT_FALSE(IsWindowVisible(first.MainWindow()));
        Program::PressOk(box);
        first.Sync();
        EXPECT_TRUE(IsWindowVisible(first.MainWindow()));
        EXPECT_EQ(ActivePage(first), 2) << "the first launch opens on Help";
        EXPECT_TRUE(FolderExists(FFolder.File("data")));
        EXPECT_FALSE(FileExists(FFolder.File("data\\categories.dat")));
        // Capture defaults to on and is written back; auto-minimize is not written.
        EXPECT_EQ(ReadFileBytes(FFolder.File("OPTION1.INI")), "[CLIP]\r\nAUTO=1\r\n");
        // The window is centred on the screen.
        RECT rect;
        GetWindowRect(first.MainWindow(), &rect);
        EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
        EXPECT_NEAR((rect.top + rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
        RECT client;
        GetClientRect(first.MainWindow(), &client);
        EXPECT_EQ(client.right, 519);
        // One tooltip per control with a hint: nine, none on the recent list.
        // (The tooltip window is made when the mouse first moves over the window.)
        PostMessageA(first.Control("Button", 94, 38), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        first.Sync();
        HWND tips = nullptr;
        while ((tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr)))
            if (GetWindow(tips, GW_OWNER) == first.MainWindow()) break;
        ASSERT_NE(tips, nullptr);
        EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 9);
        first.Close();
        ASSERT_TRUE(first.WaitForExit());
    }
    {
        Program second(FFolder.Path());
        HWND box = second.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Program::MessageBoxText(box), kFirstRunMessage);
        Program::PressOk(box);
        second.Sync();
        EXPECT_FALSE(IsWindowVisible(second.MainWindow())) << "later launches start hidden";
        EXPECT_EQ(ActivePage(second), 0);
        second.Close();
        ASSERT_TRUE(second.WaitForExit());
    }
    {
        Program third(FFolder.Path());
        third.MainWindow();
        third.Sync();  // start-up has run to the message loop
        EXPECT_EQ(third.MessageBoxNow(), nullptr) << "no message from the third launch on";
        EXPECT_FALSE(IsWindowVisible(third.MainWindow()));
        third.Close();
        ASSERT_TRUE(third.WaitForExit());
    }
    EXPECT_EQ(ReadFileBytes(FFolder.File("LAUNCHES.DAT")), "3\r\n");
}

TEST_F(ProgramTest, AutoMinimizeStoredAsOnIsCheckedAndWrittenBack) {
    WriteFileBytes(FFolder.File("OPTION1.INI"), "[minim]\r\nauto = 1\r\n[CLIP]\r\nAUTO=0\r\n");
    Program& program = StartHidden();
    HWND check = program.Control("Button", 149, 17);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    HWND capture = program.Control("Button", 291, 17);
    EXPECT_EQ(SendMessageA(capture, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // Written back in place: one line under [minim] holding 1, the rest untouched.
    const std::string ini = ReadFileBytes(FFolder.File("OPTION1.INI"));
    ASSERT_EQ(ini.rfind("[minim]\r\n", 0), 0u) << ini;
    const std::string line = ini.substr(9, ini.find("\r\n", 9) - 9);
    EXPECT_EQ(line.back(), '1') << line;
    EXPECT_EQ(ini.substr(9 + line.size()), "\r\n[CLIP]\r\nAUTO=0\r\n");
}

// The tray icon's hidden window of the program, which the shell tells of clicks.
HWND TrayWindow(Program& program) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "PastimoTrayIconWindow", nullptr))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == program.ProcessId()) return window;
    }
    return nullptr;
}

TEST_F(ProgramTest, TitleBarAndTaskbarMinimiseSendTheWindowToTheTray) {
    Program& program = StartShown();
    HWND main = program.MainWindow();
    HWND app = FindWindowA("TApplication", "Pastimo");
    HWND tray = TrayWindow(program);
    ASSERT_NE(tray, nullptr);
    // The title bar's minimise button, then the taskbar entry's minimise command.
    for (HWND target : {main, app}) {
        if (target == app) {
            // Back from the tray first: a click on the icon, as the shell reports it.
            PostMessageA(tray, WM_USER + 100, 42, WM_LBUTTONDOWN);
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "a click shows the window";
        }
        PostMessageA(target, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        program.Sync();
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main) && !IsWindowVisible(app); }))
            << "only the tray icon is left";
    }
}

// Shown again, the window gives the focus back to the control that had it,
// so that the keys reach it at once.
TEST_F(ProgramTest, TheFocusComesBackWhenTheWindowIsShownAgain) {
    Program& program = StartShown();
    HWND main = program.MainWindow();
    program.ShowPage(0);
    HWND groups = program.Control("ListBox", 159, 145);
    program.Focus(groups);
    program.Sync();
    ASSERT_EQ(FocusOf(main), groups);
    program.PostKey(groups, VK_RETURN);  // Enter presses Minimize; the focus stays where it is
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    PostMessageA(TrayWindow(program), WM_USER + 100, 42, WM_LBUTTONDOWN);  // a click on the icon
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == groups; }, 5000)) << "after the tray";

    program.Menu(kAbout1);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindWindowA("TFormAbout", "About")) && IsWindowVisible(about); }));
    PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == groups; }, 5000)) << "after the About box";
}

// A click on the icon while the window is up but covered changes nothing:
// the window stays behind what covers it (and the help text says so).
TEST_F(ProgramTest, ATrayClickLeavesAShownWindowWhereItIs) {
    Program& program = StartShown();
    HWND main = program.MainWindow();
    RECT rect;
    GetWindowRect(main, &rect);
    OtherWindow covering("Cover", rect);
    HWND cover = covering.Handle();
    SetForegroundWindow(cover);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == cover; }));
    PostMessageA(TrayWindow(program), WM_USER + 100, 42, WM_LBUTTONDOWN);
    program.Sync();
    Sleep(700);  // past the wait for a double click
    program.Sync();
    EXPECT_EQ(GetForegroundWindow(), cover);
    EXPECT_NE(ActiveOf(main), main);
}

// Every way of closing ends the program and leaves the clipboard chain.
class CloseRoute : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseRoute, EndsTheProgram) {
    Program& program = StartShown();
    HWND main = program.MainWindow();
    switch (GetParam()) {
        case 0:
            program.Menu(kExit1);
            break;
        case 1:
            program.Close();
            break;
        case 2:
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case 3:
            PostMessageA(main, WM_SYSKEYDOWN, VK_F4, 0x20000001);
            break;  // Alt held
    }
    EXPECT_TRUE(program.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Routes, CloseRoute, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace e2e
