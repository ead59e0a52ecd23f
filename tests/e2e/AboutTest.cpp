// The About box opened from the menu: a new, centred, modal box each time,
// the focus on "&OK", the stored text, and every way of closing destroys it.

#include "tests/e2e/Fixture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

struct AboutSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindAbout(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<AboutSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (pid != search->pid || std::string(name) != "TFormAbout" || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

GUITHREADINFO ThreadInfo(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

class AboutTest : public ProgramTest {
protected:
    // Opens the box from the menu and waits for it to show.
    HWND Open() {
        FProgram->Menu(kAbout1);
        AboutSearch search{FProgram->ProcessId(), nullptr};
        WaitUntil([&] {
            search.found = nullptr;
            EnumWindows(FindAbout, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        return search.found;
    }
    // Whether the keyboard focus is on `control` of the box and stays there.
    // Under Wine with no window manager, a late X focus event can take the
    // activation from the whole program just after the box took it; a user
    // would click into the box then, and so does this: when nothing of the
    // program is active, the box is made the foreground window again. Where
    // the focus goes then is the box's own choice.
    bool FocusIsOn(HWND box, HWND control) {
        auto focused = [&] {
            const GUITHREADINFO info = ThreadInfo(box);
            if (!info.hwndActive) SetForegroundWindow(box);
            return info.hwndActive == box && info.hwndFocus == control;
        };
        if (!WaitUntil(focused, 5000)) return false;
        FProgram->Sync();  // the program has seen its pending X events
        return WaitUntil(focused, 5000);
    }
    static HWND Child(HWND box, const char* className) {
        HWND panel = FindWindowExA(box, nullptr, "TPanel", nullptr);
        return panel ? FindWindowExA(panel, nullptr, className, nullptr) : nullptr;
    }
    // Waits until the box is hidden, then until the program has handled what
    // it posted itself on the way (the release).
    void WaitClosed(HWND box) {
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
        FProgram->Sync();
        EXPECT_FALSE(IsWindow(box)) << "the box is destroyed, not just hidden";
        EXPECT_TRUE(IsWindowEnabled(FProgram->MainWindow()));
    }
    // Everything that holds for each showing of a fresh box.
    void ExpectFreshBox(HWND box) {
        EXPECT_EQ(Program::Caption(box), "About");
        RECT client;
        GetClientRect(box, &client);
        EXPECT_EQ(client.right, 383);
        EXPECT_EQ(client.bottom, 304);
        RECT rect;
        GetWindowRect(box, &rect);
        EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
        EXPECT_NEAR((rect.top + rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
        // Owned by the application window, not by the main window.
        EXPECT_NE(GetWindow(box, GW_OWNER), nullptr);
        EXPECT_NE(GetWindow(box, GW_OWNER), FProgram->MainWindow());
        const LONG style = GetWindowLongA(box, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

        HWND ok = Child(box, "Button");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(Program::Caption(ok), "&OK");
        EXPECT_TRUE(FocusIsOn(box, ok)) << "the focus starts on OK";

        HWND memo = Child(box, "Edit");
        ASSERT_NE(memo, nullptr);
        const std::vector<std::string> lines = Lines(Program::Text(memo));
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_EQ(lines[0], "Pastimo v2.0");
        // Every line fits: twelve lines, none wrapped, the last one in view.
        EXPECT_EQ(SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 12);
        const LRESULT firstLine = SendMessageA(memo, EM_POSFROMCHAR, 0, 0);
        const LRESULT secondLine = SendMessageA(memo, EM_POSFROMCHAR, SendMessageA(memo, EM_LINEINDEX, 1, 0), 0);
        const LRESULT lastLine = SendMessageA(memo, EM_POSFROMCHAR, SendMessageA(memo, EM_LINEINDEX, 11, 0), 0);
        const int lineHeight = static_cast<short>(HIWORD(secondLine)) - static_cast<short>(HIWORD(firstLine));
        RECT memoClient;
        GetClientRect(memo, &memoClient);
        EXPECT_GT(lineHeight, 0);
        EXPECT_LE(static_cast<short>(HIWORD(lastLine)) + lineHeight, memoClient.bottom);
        EXPECT_FALSE(GetWindowLongA(memo, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL | ES_READONLY));

        EXPECT_FALSE(IsWindowEnabled(FProgram->MainWindow())) << "the main window takes no input";
    }
};

TEST_F(AboutTest, EachShowingIsANewBoxAndClosingDestroysIt) {
    StartShown();
    HWND first = Open();
    ASSERT_NE(first, nullptr);
    ExpectFreshBox(first);
    // An edit is the box's own: the next box starts from the stored text.
    HWND memo = Child(first, "Edit");
    FProgram->SetText(memo, "changed");
    EXPECT_EQ(Program::Text(memo), "changed");
    PostMessageA(Child(first, "Button"), BM_CLICK, 0, 0);  // "&OK"
    WaitClosed(first);

    HWND second = Open();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    ExpectFreshBox(second);
    // The title bar's close button.
    PostMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitClosed(second);

    HWND third = Open();
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third, second);
    ExpectFreshBox(third);
    PostMessageA(third, WM_CLOSE, 0, 0);
    WaitClosed(third);
}

// Ending the program (as the session's end does) does not wait on the box.
TEST_F(AboutTest, TheProgramEndsWhileTheBoxIsUp) {
    StartShown();
    ASSERT_NE(Open(), nullptr);
    FProgram->Close();
    EXPECT_TRUE(FProgram->WaitForExit());
}

// Enter and the space bar press the button that has the focus when the box opens.
class AboutKey : public AboutTest, public ::testing::WithParamInterface<WPARAM> {};

TEST_P(AboutKey, PressesOk) {
    StartShown();
    HWND box = Open();
    ASSERT_NE(box, nullptr);
    HWND ok = Child(box, "Button");
    ASSERT_TRUE(FocusIsOn(box, ok));
    const WPARAM key = GetParam();
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    PostMessageA(ok, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(ok, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
    WaitClosed(box);
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutKey, ::testing::Values(WPARAM{VK_RETURN}, WPARAM{VK_SPACE}));

}  // namespace
}  // namespace e2e
