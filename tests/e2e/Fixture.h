#pragma once
// Starting pastimo.exe in a fresh folder for a test, at a chosen launch.

#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <memory>

namespace e2e {

// Menu item identifiers of the main window.
constexpr int kExit1 = 101;
constexpr int kAbout1 = 102;

constexpr const char* kFirstRunMessage =
    "This message will appear the first 2 times you use Pastimo. Pastimo normally runs minimized in the  "
    "background and is accessed from a System Tray icon (down in the corner of your Taskbar, near the clock). "
    "To bring it up, just click the little clipboard icon in the System Tray.";

class ProgramTest : public ::testing::Test {
protected:
    // Starts the program as its first launch and answers the first-run
    // message: the window is then shown, on the "Help" page.
    Program& StartShown() {
        FProgram = std::make_unique<Program>(FFolder.Path());
        HWND box = FProgram->WaitForMessageBox();
        EXPECT_NE(box, nullptr) << "no first-run message";
        if (box) Program::PressOk(box);
        FProgram->Sync();
        return *FProgram;
    }
    // Starts the program as a later launch: no message, window hidden.
    Program& StartHidden() {
        WriteFileBytes(FFolder.File("LAUNCHES.DAT"), "5\r\n");
        FProgram = std::make_unique<Program>(FFolder.Path());
        FProgram->MainWindow();
        FProgram->Sync();
        return *FProgram;
    }
    std::string Data(const std::string& relative) const { return FFolder.File("data\\" + relative); }

    TempFolder FFolder;
    std::unique_ptr<Program> FProgram;
};

}  // namespace e2e
