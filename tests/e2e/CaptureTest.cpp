// The "Last Clipboard Entries" page driven from outside with the real
// clipboard and clipboard-viewer chain: copies made by this test process show
// up in the running program, newest first.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

namespace e2e {
namespace {

// A clipboard viewer of this test's own, to see that the program passes on
// every notice.
class TestViewer {
public:
    TestViewer() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TestViewer::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PastimoTestViewer";
        RegisterClassA(&wc);
        FHwnd = CreateWindowA("PastimoTestViewer", "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(FHwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        FNext = SetClipboardViewer(FHwnd);
        PumpMessages();
        FNotices = 0;
    }
    ~TestViewer() {
        ChangeClipboardChain(FHwnd, FNext);
        DestroyWindow(FHwnd);
    }
    int Notices() const { return FNotices; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TestViewer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == WM_DRAWCLIPBOARD) {
            ++self->FNotices;
            if (self->FNext) SendMessageA(self->FNext, message, wParam, lParam);
            return 0;
        }
        if (self && message == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wParam) == self->FNext)
                self->FNext = reinterpret_cast<HWND>(lParam);
            else if (self->FNext)
                SendMessageA(self->FNext, message, wParam, lParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND FHwnd = nullptr;
    HWND FNext = nullptr;
    int FNotices = 0;
};

class Capture : public ProgramTest {
protected:
    void Start() {
        StartHidden();
        FList = FProgram->Control("ListBox", 431, 80);
        FViewer = FProgram->Control("Edit", 483, 128);
        FCopyBack = FProgram->Control("Button", 220, 28);
        FCaptureBox = FProgram->Control("Button", 291, 17);
        ASSERT_TRUE(FList && FViewer && FCopyBack && FCaptureBox);
        // Whatever was on the clipboard at start-up is entry 1 already.
        FBaseline = Program::Rows(FList).size();
    }
    // Copies text as another program would, and waits for the program to have
    // handled the notice.
    void Copy(const std::string& text) {
        SetClipboardText(text);
        PumpMessages();
        FProgram->Sync();
    }
    std::vector<std::string> Rows() { return Program::Rows(FList); }

    HWND FList = nullptr, FViewer = nullptr, FCopyBack = nullptr, FCaptureBox = nullptr;
    size_t FBaseline = 0;
};

TEST_F(Capture, NewestFirstFiveAtMostAndTheWholeTextOnSelection) {
    Start();
    for (const char* text : {"one", "two", "three", "four", "five", "six"}) Copy(text);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"six", "five", "four", "three", "two"}));

    Copy("alpha\r\nbeta");
    EXPECT_EQ(Rows().front(), "alpha");
    FProgram->Select(FList, 0);
    EXPECT_EQ(Program::Text(FViewer), "alpha\r\nbeta\r\n");

    Copy(std::string(5000, 'x'));
    EXPECT_EQ(Rows().front(), std::string(4096, 'x'));
    Copy("\r\nstarts with a break");
    EXPECT_EQ(Rows().front(), "");
    EXPECT_EQ(Rows().size(), 5u);
}

TEST_F(Capture, ABurstOfCopiesRecordsEachChangeAtMostOnce) {
    Start();
    // No waiting between the copies: notices may be handled after the
    // clipboard has moved on, but no copy may turn into two entries.
    for (int i = 1; i <= 20; ++i) SetClipboardText("burst " + std::to_string(i));
    PumpMessages();
    FProgram->Sync();
    const auto rows = Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), "burst 20") << "the last copy is the newest entry";
    for (size_t i = 1; i < rows.size(); ++i) EXPECT_NE(rows[i], rows[i - 1]) << "entry " << i << " twice";
    // The same text copied twice, with time between, is still two entries.
    Copy("twice");
    Copy("twice");
    EXPECT_EQ(Rows()[0], "twice");
    EXPECT_EQ(Rows()[1], "twice");
}

TEST_F(Capture, CopyBackBecomesTheNewestEntry) {
    Start();
    for (const char* text : {"e1", "e2", "e3", "e4", "e5"}) Copy(text);
    FProgram->Select(FList, 2);  // "e3"
    FProgram->Click(FCopyBack);
    WaitUntil([&] { return Rows().front() == "e3"; });
    EXPECT_EQ(ClipboardText(), "e3\r\n");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"e3", "e5", "e4", "e3", "e2"}));
    // An edit in the viewer is what goes back.
    FProgram->SetText(FViewer, "edited");
    FProgram->Click(FCopyBack);
    WaitUntil([&] { return Rows().front() == "edited"; });
    EXPECT_EQ(ClipboardText(), "edited");
}

TEST_F(Capture, ANonTextCopyChangesNothing) {
    Start();
    Copy("text first");
    const auto before = Rows();
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }));
    EmptyClipboard();
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
    PumpMessages();
    FProgram->Sync();
    EXPECT_EQ(Rows(), before);
}

TEST_F(Capture, CaptureOffRecordsNothingAndSurvivesARestart) {
    Start();
    FProgram->Click(FCaptureBox);  // off
    EXPECT_EQ(SendMessageA(FCaptureBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    const auto before = Rows();
    Copy("not recorded");
    EXPECT_EQ(Rows(), before);
    FProgram->Close();
    ASSERT_TRUE(FProgram->WaitForExit());
    EXPECT_NE(ReadFileBytes(FFolder.File("OPTION1.INI")).find("AUTO=0"), std::string::npos);

    FProgram = std::make_unique<Program>(FFolder.Path());
    FProgram->Sync();
    HWND list = FProgram->Control("ListBox", 431, 80);
    HWND box = FProgram->Control("Button", 291, 17);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Copy("still not recorded");
    EXPECT_TRUE(Program::Rows(list).empty());
}

TEST_F(Capture, AViewerJoinedBeforeKeepsGettingEveryNotice) {
    TestViewer viewer;
    Start();
    const int before = viewer.Notices();
    Copy("through the chain");
    EXPECT_TRUE(WaitUntil([&] { return viewer.Notices() > before; })) << "passed on while running";
    FProgram->Close();
    ASSERT_TRUE(FProgram->WaitForExit());
    const int afterExit = viewer.Notices();
    SetClipboardText("after the program left");
    EXPECT_TRUE(WaitUntil([&] { return viewer.Notices() > afterExit; })) << "the chain was mended on exit";
}

TEST_F(Capture, MarkedPasswordsAreNotRecorded) {
    Start();
    Copy("visible");
    const auto before = Rows();
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 7);
    memcpy(GlobalLock(text), "secret", 7);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    SetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
                     GlobalAlloc(GMEM_MOVEABLE, 1));
    CloseClipboard();
    PumpMessages();
    FProgram->Sync();
    EXPECT_EQ(Rows(), before);
}

TEST_F(Capture, AutoMinimizeHidesTheWindowAfterAPickEvenWithoutItsText) {
    StartShown();
    FProgram->ShowPage(0);
    MyGroupsPage page(*FProgram);
    FProgram->SetText(page.groupName, "G");
    FProgram->Click(page.addGroup);
    FProgram->Select(page.groups, 0);
    FProgram->SetText(page.itemName, "gone");
    FProgram->SetText(page.itemText, "text");
    FProgram->Click(page.addItem);
    DeleteFileA(Data("G\\gone.itm").c_str());
    FProgram->Click(page.autoMinimize);
    EXPECT_NE(ReadFileBytes(FFolder.File("OPTION1.INI")).find("[MINIM]\r\nAUTO=1"), std::string::npos);
    SetClipboardText("kept");
    FProgram->Select(page.items, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(FProgram->MainWindow()); }));
    EXPECT_EQ(Program::Text(page.itemName), "gone");
    EXPECT_EQ(ClipboardText(), "kept") << "a missing text leaves the clipboard as it was";
}

}  // namespace
}  // namespace e2e
