#pragma once
// Drives a running pastimo.exe from outside, as a user or an automation tool
// would: finds its windows by caption and its controls by class and size,
// posts clicks and selections, reads lists, fields and message boxes.
// Everything that may open a modal box is posted, never sent, so the driver
// itself never blocks on the program.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The program under test, as built (a Z: path under Wine).
std::string BuiltExecutable();

// A fresh, empty folder under the temporary folder; removed with its contents
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return FPath; }  // ends in a backslash
    std::string File(const std::string& relative) const { return FPath + relative; }

private:
    std::string FPath;
};

// Paths in UTF-8, through the wide file API.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);  // "" when missing
void WriteFileBytes(const std::string& path, const std::string& bytes);
void MakeFolder(const std::string& path);

// Text in UTF-8, as the wide API carries it across processes.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// The clipboard's text ("" when none) and a way to set it, from this process,
// as CF_UNICODETEXT (the system offers CF_TEXT to those who ask for it).
std::string ClipboardText();
bool ClipboardHasText();
void SetClipboardText(const std::string& text);

class Program {
public:
    // Copies pastimo.exe into `folder` and starts it there; with
    // `copyExecutable` false, starts the copy that is there already.
    explicit Program(const std::string& folder, bool copyExecutable = true);
    // Closes the program if it still runs: answers any message box, closes
    // the main window, and as a last resort terminates it.
    ~Program();

    DWORD ProcessId() const { return FInfo.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; true when it did within the time.
    bool WaitForExit(DWORD milliseconds = 10000);

    // The main window ("Varnel Pastimo"), waiting for it to exist.
    HWND MainWindow(DWORD milliseconds = 10000);
    // The first message box (#32770) of the program, waiting up to the time;
    // nullptr when none came.
    HWND WaitForMessageBox(DWORD milliseconds = 10000) const;
    HWND MessageBoxNow() const { return WaitForMessageBox(0); }
    static std::string MessageBoxText(HWND box);
    static std::string Caption(HWND window);
    // Presses the box's OK button and waits until the box is gone.
    static void PressOk(HWND box);
    // Handles everything posted to the main window so far.
    void Sync();

    // The resolution the program lays its window out for.
    int Dpi();
    // Controls of the main window by class name and size (at 96 DPI, scaled
    // to the program's).
    HWND Control(const char* className, int width, int height);
    // Controls by class and caption.
    HWND ControlByText(const char* className, const std::string& text);

    void Click(HWND button);               // posts BM_CLICK, then Sync
    void ClickNoSync(HWND button);         // for actions that open a box
    void Select(HWND listBox, int index);  // as the user does: select + notice
    void SelectNoSync(HWND listBox, int index);
    void SetText(HWND control, const std::string& text);  // UTF-8, through the wide API
    static std::string Text(HWND control);
    static std::vector<std::string> Rows(HWND listBox);
    static int Selected(HWND listBox);
    void Focus(HWND control);  // posted mouse click into it
    // A key pressed and released, posted to `control` so that it goes
    // through the program's own message loop and dialog navigation (with no
    // Shift, Ctrl or Alt: those need real keys, below).
    void PostKey(HWND control, WORD virtualKey);
    // Real keys from the X server, as a user types them (xdotool names:
    // "Tab", "shift+Return", "ctrl+Next"): the pointer first rests on
    // `window`, since without a window manager the keyboard follows it.
    void TypeKeys(HWND window, const std::string& keys);
    void Menu(int id);         // WM_COMMAND of a menu item
    void Close();              // WM_CLOSE to the main window
    void ShowPage(int index);  // as a click on the page's tab

private:
    PROCESS_INFORMATION FInfo{};
    HWND FMain = nullptr;
    LPARAM FSyncCount = 0;
};

// The control of the program that has the keyboard focus, and its active window.
HWND FocusOf(HWND programWindow);
HWND ActiveOf(HWND programWindow);

// Runs xdotool with these arguments on the program's X display and waits
// until it has finished.
void XdoTool(const std::string& arguments);
// Runs a command of the Unix shell under Wine (no double quotes in it) and
// waits until it has finished.
void UnixShell(const std::string& command);
// Where Wine keeps a Windows path on the Unix side.
std::string UnixPath(const std::string& windowsPath);

// A plain visible window of the test's own: another program's window that
// covers the program's or has the keyboard.
class OtherWindow {
public:
    OtherWindow(const char* title, const RECT& place);
    ~OtherWindow() { DestroyWindow(FWindow); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND Handle() const { return FWindow; }

private:
    HWND FWindow = nullptr;
};

// Handles the messages waiting for this thread's own windows (a test's
// clipboard viewer, for one, is sent notices by the program and must answer).
void PumpMessages();

// Waits until `condition` holds, polling and pumping this thread's messages;
// false when the time ran out.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace e2e
