// Pastimo among the other programs of the desktop: one copy per folder, a
// global hotkey that brings the window up, and a hotkey it cannot have.

#include "tests/e2e/Fixture.h"

#include <windows.h>

#include <string>

namespace e2e {
namespace {

constexpr const char* kHelpClass = "Edit";

// A plain visible window of this test's own: "another program" that has the
// keyboard when the hotkey is pressed.
class OtherProgram {
public:
    OtherProgram() {
        SetForegroundWindow(FWindow.Handle());
        PumpMessages();
    }
    HWND Window() const { return FWindow.Handle(); }

private:
    OtherWindow FWindow{"Other program", RECT{40, 40, 340, 240}};
};

std::string HelpText(Program& program) { return Program::Text(program.Control(kHelpClass, 493, 350)); }

TEST_F(ProgramTest, ASecondStartInTheSameFolderShowsTheFirstCopyAndEnds) {
    Program& first = StartHidden();
    HWND main = first.MainWindow();
    const std::string launches = ReadFileBytes(FFolder.File("LAUNCHES.DAT"));
    const std::string options = ReadFileBytes(FFolder.File("OPTION1.INI"));
    ASSERT_FALSE(IsWindowVisible(main));

    Program second(FFolder.Path(), false);
    EXPECT_TRUE(second.WaitForExit(3000)) << "it ends at once, with no box waiting";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "the first copy's window comes up";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; })) << "in front";
    EXPECT_EQ(ReadFileBytes(FFolder.File("LAUNCHES.DAT")), launches) << "no launch counted";
    EXPECT_EQ(ReadFileBytes(FFolder.File("OPTION1.INI")), options);
    EXPECT_TRUE(first.Running());

    // A copy in another folder keeps a library of its own and runs beside it.
    TempFolder elsewhere;
    Program other(elsewhere.Path());
    HWND box = other.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "its own first launch";
    Program::PressOk(box);
    EXPECT_TRUE(other.Running());
    EXPECT_TRUE(first.Running());
}

// A start during the first copy's shut-down (File, Exit and start again, the
// way to apply a new hotkey) runs once the first copy is gone; a start while
// the first copy is still starting is not lost either.
TEST_F(ProgramTest, AStartWhileTheFirstCopyEndsOrStartsIsNotLost) {
    Program& first = StartHidden();
    HWND ending = first.MainWindow();
    // A clipboard viewer that joined after the program: leaving the chain,
    // the program waits for this thread to answer, so its shut-down lasts
    // as long as this thread leaves its messages alone.
    HWND viewer = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND next = SetClipboardViewer(viewer);
    first.Menu(kExit1);
    const DWORD start = GetTickCount();
    while (GetPropA(ending, "Pastimo.Instance") && GetTickCount() - start < 10000) Sleep(20);  // no pumping
    Program again(FFolder.Path(), false);
    Sleep(3000);  // longer than any fixed wait for a window
    PumpMessages();
    ChangeClipboardChain(viewer, next);
    DestroyWindow(viewer);
    ASSERT_TRUE(first.WaitForExit());
    HWND main = again.MainWindow();
    ASSERT_NE(main, nullptr) << "the start during the shut-down runs";
    again.Sync();
    EXPECT_TRUE(again.Running());
    again.Close();
    ASSERT_TRUE(again.WaitForExit());

    // The second launch greets the user and then starts hidden: a start while
    // the greeting is up must not be undone by that.
    WriteFileBytes(FFolder.File("LAUNCHES.DAT"), "1\r\n");
    Program starting(FFolder.Path(), false);
    HWND box = starting.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    Program second(FFolder.Path(), false);
    Sleep(1000);  // time for a request to arrive, were it sent now
    Program::PressOk(box);
    EXPECT_TRUE(second.WaitForExit(20000)) << "the second start ends";
    HWND shown = starting.MainWindow();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(shown) != FALSE; })) << "and the first copy's window is up";
    EXPECT_TRUE(starting.Running());
}

// The same folder through another path (a symbolic link here; a junction, a
// subst or mapped drive alike) is the same folder: one copy.
TEST_F(ProgramTest, TheSameFolderByAnotherPathIsOneCopy) {
    Program& first = StartHidden();
    HWND main = first.MainWindow();
    TempFolder elsewhere;
    const std::string link = elsewhere.File("same");
    UnixShell("ln -s '" + UnixPath(FFolder.Path()) + "' '" + UnixPath(elsewhere.Path()) + "same'");
    ASSERT_TRUE(FileExists(link + "\\pastimo.exe"));
    {
        Program second(link + "\\", false);
        EXPECT_TRUE(second.WaitForExit(10000)) << "no second copy through the link";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "the first copy shows instead";
    }
    UnixShell("rm '" + UnixPath(elsewhere.Path()) + "same'");  // not through the link when the folder goes
    EXPECT_TRUE(first.Running());
}

// Another program posting the number of the window's own release message
// (WM_APP + 1) destroys nothing: only the program's own release counts.
TEST_F(ProgramTest, AReleaseMessageFromAnotherProgramIsIgnored) {
    Program& program = StartHidden();
    HWND main = program.MainWindow();
    PostMessageA(main, WM_APP + 1, 0, 0);
    program.Sync();
    ASSERT_TRUE(IsWindow(main)) << "the main window is still there";
    Program second(FFolder.Path(), false);
    EXPECT_TRUE(second.WaitForExit(10000));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "and a second start still shows it";
    program.Menu(kExit1);
    EXPECT_TRUE(program.WaitForExit()) << "File, Exit still ends it";
}

TEST_F(ProgramTest, TheHotkeyBringsTheWindowUpFromAnotherProgram) {
    // A hotkey the user wrote: read, never written back.
    const std::string options = "[CLIP]\r\nAUTO=1\r\n[HOTKEY]\r\nSHOW=shift+CTRL+f11\r\n";
    WriteFileBytes(FFolder.File("OPTION1.INI"), options);
    Program& program = StartHidden();
    HWND main = program.MainWindow();
    OtherProgram other;
    // Under Wine a hotkey arrives while a Wine window has the X keyboard.
    XdoTool("mousemove 190 140 sleep 0.3 key --delay 80 ctrl+shift+F11");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "the window comes up";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; })) << "in front of the other program";
    EXPECT_EQ(ReadFileBytes(FFolder.File("OPTION1.INI")), options);
    EXPECT_EQ(HelpText(program).rfind("Welcome to Pastimo.", 0), 0u) << "no line about the hotkey";
}

TEST_F(ProgramTest, AHotkeyThatCannotBeHadOrReadIsNamedOnTheHelpPage) {
    {
        // Another program holds the default, Win+Shift+F2.
        OtherProgram holder;
        ASSERT_TRUE(RegisterHotKey(holder.Window(), 1, MOD_WIN | MOD_SHIFT, VK_F2));
        Program& program = StartHidden();
        EXPECT_EQ(HelpText(program).rfind("The hotkey Win+Shift+F2 could not be used: another program holds it.", 0),
                  0u)
            << HelpText(program).substr(0, 120);
        EXPECT_TRUE(program.Running());
        program.Close();
        EXPECT_TRUE(program.WaitForExit());
        UnregisterHotKey(holder.Window(), 1);
    }
    WriteFileBytes(FFolder.File("OPTION1.INI"), "[HOTKEY]\r\nSHOW=Ctrl+Banana\r\n");
    Program program(FFolder.Path());
    program.MainWindow();
    program.Sync();
    EXPECT_EQ(HelpText(program).rfind("The hotkey \"Ctrl+Banana\" could not be read:", 0), 0u)
        << HelpText(program).substr(0, 120);
    EXPECT_EQ(ReadFileBytes(FFolder.File("OPTION1.INI")).rfind("[HOTKEY]\r\nSHOW=Ctrl+Banana\r\n", 0), 0u);
}

}  // namespace
}  // namespace e2e
