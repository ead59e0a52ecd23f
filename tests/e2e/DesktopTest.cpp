// Pastimo among the other programs of the desktop: one copy per folder, a
// global hotkey that brings the window up, and a hotkey it cannot have.

#include <windows.h>

#include <string>

#include "tests/e2e/Fixture.h"

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

std::string HelpText(Program& program) {
    return Program::Text(program.Control(kHelpClass, 493, 350));
}

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
