// The quick-pick window from outside, as a user meets it: another program
// has the keyboard, the hotkey brings the window up over it, real keys
// filter and pick, and the text lands in the other program's field.

#include "tests/e2e/Fixture.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace e2e {
namespace {

// Another program the user is typing in: a window with a field, under the
// middle of the screen, where the quick-pick window comes up. Like any
// program's window, it gives the keyboard back to its field when it is
// active again.
class Typist {
public:
    Typist() {
        FField = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 10, 560, 300,
                                 FWindow.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(FWindow.Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(FField));
        SetWindowLongPtrA(FWindow.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Typist::Proc));
        SetForegroundWindow(FWindow.Handle());
        SetFocus(FField);
        PumpMessages();
    }
    HWND Field() const { return FField; }
    std::string Text() const { return Program::Text(FField); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETFOCUS) {
            SetFocus(reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA)));
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    OtherWindow FWindow{"Typist", RECT{340, 250, 940, 780}};
    HWND FField = nullptr;
};

class QuickPick : public ProgramTest {
protected:
    void SetUp() override {
        MakeFolder(FFolder.File("data"));
        MakeFolder(Data("Greetings"));
        MakeFolder(Data("Work"));
        WriteFileBytes(Data("categories.dat"), "Greetings\r\nWork\r\n");
        WriteFileBytes(Data("Greetings\\Greetings.dat"), "Goodbye\r\nHello\r\n");
        WriteFileBytes(Data("Greetings\\Hello.itm"), "Hello, world");
        WriteFileBytes(Data("Greetings\\Goodbye.itm"), "Bye");
        WriteFileBytes(Data("Work\\Work.dat"), "Signature\r\n");
        WriteFileBytes(Data("Work\\Signature.itm"), "Kind regards,\r\nAda");
    }
    // The hotkey pressed in the other program: Win+Shift+F3 unless the
    // options file says otherwise. Returns the quick-pick window.
    HWND PressHotkey(const char* keys = "super+shift+F3") {
        XdoTool(std::string("mousemove 640 500 sleep 0.3 key --delay 80 ") + keys);
        HWND window = nullptr;
        WaitUntil([&] {
            window = FindWindowA("TFormQuickPick", nullptr);
            return window && IsWindowVisible(window);
        });
        return window;
    }
    // Real keys into the quick-pick window (the keyboard follows the pointer).
    void Type(HWND window, const std::string& xdotoolArguments) {
        RECT place;
        GetWindowRect(window, &place);
        XdoTool("mousemove " + std::to_string((place.left + place.right) / 2) + " " +
                std::to_string((place.top + place.bottom) / 2) + " sleep 0.2 " + xdotoolArguments);
    }
    static int ListCount(HWND window) {
        HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
        return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
    }
    static bool Gone(HWND window) { return !IsWindow(window) || !IsWindowVisible(window); }
};

TEST_F(QuickPick, TypeToFilterAndEnterPastesWhereTheUserWasTyping) {
    Program& program = StartHidden();
    HWND main = program.MainWindow();
    Typist typist;
    SetClipboardText("before");
    HWND window = PressHotkey();
    ASSERT_NE(window, nullptr) << "the hotkey opens the quick-pick window";
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("Quick Pick"), std::string::npos);
    EXPECT_FALSE(IsWindowVisible(main)) << "the main window stays as it was";
    EXPECT_GE(ListCount(window), 3) << "every item, and the recent entries";

    // Words in any order, each in the item's or the group's name, any case.
    Type(window, "type --delay 60 'WORK sig'");
    EXPECT_TRUE(WaitUntil([&] { return ListCount(window) == 1; })) << ListCount(window);
    Type(window, "key Return");
    EXPECT_TRUE(WaitUntil([&] { return Gone(window); }));
    EXPECT_TRUE(WaitUntil([&] { return typist.Text() == "Kind regards,\r\nAda"; })) << typist.Text();
    EXPECT_EQ(ClipboardText(), "Kind regards,\r\nAda") << "and it stays on the clipboard";

    // Escape changes nothing: not the clipboard, not the other program.
    SetClipboardText("untouched");
    window = PressHotkey();
    ASSERT_NE(window, nullptr);
    Type(window, "type --delay 60 hel");
    Type(window, "key Escape");
    EXPECT_TRUE(WaitUntil([&] { return Gone(window); }));
    PumpMessages();
    EXPECT_EQ(ClipboardText(), "untouched");
    EXPECT_EQ(typist.Text(), "Kind regards,\r\nAda");
}

TEST_F(QuickPick, WithPasteOffThePickIsOnlyOnTheClipboardAndAnUnreadableTextPastesNothing) {
    WriteFileBytes(FFolder.File("OPTION1.INI"), "[PICK]\r\nPASTE=0\r\n[HOTKEY]\r\nPICK=Ctrl+Shift+F12\r\n");
    Program& program = StartHidden();
    program.MainWindow();
    Typist typist;
    HWND window = PressHotkey("ctrl+shift+F12");
    ASSERT_NE(window, nullptr) << "the hotkey the options file names";
    // Down moves the selection while the focus stays in the field.
    Type(window, "type --delay 60 greetings");
    EXPECT_TRUE(WaitUntil([&] { return ListCount(window) == 2; }));
    Type(window, "key Down Return");
    EXPECT_TRUE(WaitUntil([&] { return Gone(window); }));
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == "Hello, world"; })) << ClipboardText();
    PumpMessages();
    Sleep(300);
    PumpMessages();
    EXPECT_EQ(typist.Text(), "") << "nothing pasted";

    // Another program removed the text file: the box of a failed read, and nothing else.
    DeleteFileA(Data("Work\\Signature.itm").c_str());
    SetClipboardText("kept");
    window = PressHotkey("ctrl+shift+F12");
    ASSERT_NE(window, nullptr);
    Type(window, "type --delay 60 signature");
    Type(window, "key Return");
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(Program::MessageBoxText(box).find("Cannot open file"), std::string::npos) << Program::MessageBoxText(box);
    Program::PressOk(box);
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_EQ(typist.Text(), "");
}

}  // namespace
}  // namespace e2e
