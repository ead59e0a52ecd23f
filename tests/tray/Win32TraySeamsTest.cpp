// The tray icon on the real platform under Wine: its hidden window, the real
// shell and tray, real timers and real application windows. Waits pump the
// message queue until a condition holds (with a generous deadline); no
// assertion depends on how long anything took.

#include "tests/tray/TestAccess.h"
#include "toolkit/Errors.h"
#include "tray/VXTray95.h"
#include "tray/win32/Win32TraySeams.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pastimo {
namespace {

bool PumpUntil(const std::function<bool()>& done, DWORD deadlineMs = 10000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > deadlineMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

THandle Value(HWND window) { return reinterpret_cast<THandle>(window); }
HWND Window(THandle value) { return reinterpret_cast<HWND>(value); }

// A small stand-in for the application object: a visible application window
// carrying the taskbar entry and a hidden main window it owns. One for the
// whole run: under Wine here, hiding or destroying a shown window waits about
// two seconds for a window manager that is not there.
class WineApp : public TrayApplication {
public:
    WineApp() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TrayTestWindow";
        RegisterClassA(&wc);
        FApp = CreateWindowExA(0, "TrayTestWindow", "Tray test", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_MINIMIZEBOX,
                               10, 10, 100, 50, nullptr, nullptr, wc.hInstance, nullptr);
        FMain = CreateWindowExA(0, "TrayTestWindow", "Tray test main", WS_OVERLAPPEDWINDOW, 20, 20, 200, 100, FApp,
                                nullptr, wc.hInstance, nullptr);
    }
    static WineApp& Shared() {
        static WineApp* app = new WineApp;  // left to the end of the process
        return *app;
    }
    // Back to the starting point of a test: shown, not minimised, no hooks.
    void Reset() {
        if (IsIconic(FApp)) ShowWindow(FApp, SW_RESTORE);
        if (!IsWindowVisible(FApp)) ShowWindow(FApp, SW_SHOWNA);
        minimizeHook = nullptr;
        restoreHook = nullptr;
        reported.clear();
    }
    THandle Handle() override { return Value(FApp); }
    void Minimize() override {
        if (IsIconic(FApp)) return;
        ShowWindow(FApp, SW_MINIMIZE);
        if (minimizeHook) minimizeHook();
    }
    void Restore() override {
        if (!IsIconic(FApp)) return;
        ShowWindow(FApp, SW_RESTORE);
        if (restoreHook) restoreHook();
    }
    void SetMinimizeHook(std::function<void()> hook) override { minimizeHook = std::move(hook); }
    void SetRestoreHook(std::function<void()> hook) override { restoreHook = std::move(hook); }
    void ShowMainForm() override { ShowWindow(FMain, SW_SHOW); }
    THandle MainFormHandle() override { return Value(FMain); }
    void ProcessMessages() override { PumpPending(); }
    void HandleException(const std::exception& failure) override { reported.push_back(failure.what()); }

    HWND FApp = nullptr, FMain = nullptr;
    std::function<void()> minimizeHook, restoreHook;
    std::vector<std::string> reported;
};

// The colour pixels of an icon, to tell frames apart.
std::string IconPixels(THandle handle) {
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(handle), &info)) return std::string();
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    std::string bits(static_cast<size_t>(bitmap.bmWidthBytes) * bitmap.bmHeight, '\0');
    GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), &bits[0]);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}

// The real shell, with every call and its answer written down.
struct RecordingShell : TrayShell {
    struct Call {
        uint32_t message;
        NotifyIconRecord record;
        bool answer;
    };
    bool NotifyIcon(uint32_t message, const NotifyIconRecord& record) override {
        const bool answer = Win32TrayShell().NotifyIcon(message, record);
        calls.push_back({message, record, answer});
        pixels.push_back(IconPixels(record.hIcon));  // the handle may be gone later
        return answer;
    }
    std::string TipText(const std::string& hint, size_t capacity) override {
        return Win32TrayShell().TipText(hint, capacity);
    }
    size_t Count(uint32_t message) const {
        size_t n = 0;
        for (auto& c : calls) n += c.message == message;
        return n;
    }
    std::vector<Call> calls;
    std::vector<std::string> pixels;  // of each call's icon, when it was sent
};

struct Form : TComponent {
    Form() : TComponent(nullptr) {}
    bool IsForm() const override { return true; }
};

class TrayWin32 : public ::testing::Test {
protected:
    TrayWin32() {
        app.Reset();
        TrayClickDelay = 400;
        TrayLockCount = 0;
        tray = new TVXTrayIcon95(&form, TrayEnvironment{app, Win32TrayPlatform(), shell, Win32TickSource()});
        hidden = Window(tray->WindowHandle());
        tray->SetIcon(Value(reinterpret_cast<HWND>(LoadIconA(nullptr, IDI_APPLICATION))));
        tray->SetHint("Pastimo - Click");
    }
    ~TrayWin32() override { PumpPending(); }

    void Callback(UINT mouseMessage) { PostMessageA(hidden, WM_TRAYICONCALLBACK, kTrayIconId, mouseMessage); }

    WineApp& app = WineApp::Shared();
    RecordingShell shell;
    Form form;  // after the shell: the tray icon goes first
    TVXTrayIcon95* tray = nullptr;
    HWND hidden = nullptr;
};

// Wine docks each tray icon into the X tray (trayer) through a visible window
// of this class in its shell's process.
BOOL CALLBACK CountDocked(HWND window, LPARAM counter) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "__wine_x11_foreign_window") == 0 && IsWindowVisible(window))
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int DockedWindows() {
    int count = 0;
    EnumWindows(CountDocked, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The first layout of the record: 88 bytes in the 32-bit program, 104 in the
// 64-bit one, where the handles are 8 bytes wide.
constexpr uint32_t kFirstLayoutSize = sizeof(void*) == 4 ? 88 : 104;

TEST_F(TrayWin32, RealShellTakesAddModifyDeleteWithTheFirstLayoutOfTheRecord) {
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, kFirstLayoutSize);
    const int docked = DockedWindows();
    tray->ShowIcon();
    EXPECT_TRUE(PumpUntil([&] { return DockedWindows() > docked; })) << "the icon was docked in the tray";
    tray->SetHint("Pastimo - now");
    tray->HideIcon();
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[0].message, static_cast<uint32_t>(NIM_ADD));
    EXPECT_EQ(shell.calls[1].message, static_cast<uint32_t>(NIM_MODIFY));
    EXPECT_EQ(shell.calls[2].message, static_cast<uint32_t>(NIM_DELETE));
    for (auto& call : shell.calls) {
        EXPECT_TRUE(call.answer) << "the tray refused message " << call.message;
        EXPECT_EQ(call.record.cbSize, kFirstLayoutSize);
        EXPECT_EQ(call.record.hWnd, Value(hidden));
        EXPECT_EQ(call.record.uID, 42u);
        EXPECT_EQ(call.record.uFlags, 7u);
        EXPECT_EQ(call.record.uCallbackMessage, WM_TRAYICONCALLBACK);
        EXPECT_NE(call.record.hIcon, 0u);
    }
    EXPECT_STREQ(shell.calls[1].record.szTip, "Pastimo - now");
    // The icon was really there: deleting it again is refused.
    EXPECT_FALSE(Win32TrayShell().NotifyIcon(NIM_DELETE, shell.calls[2].record));
}

// The 8-bit shell call reads the tip in the ANSI code page, not as UTF-8.
TEST_F(TrayWin32, TipIsTheHintInTheAnsiCodePageCutBetweenCharacters) {
    ASSERT_EQ(GetACP(), 1252u) << "the expected bytes below are Windows-1252's";
    tray->ShowIcon();
    tray->SetHint("Caf\xC3\xA9 \xE2\x82\xAC 10 \xE2\x98\x95");  // "Café € 10 ☕"
    EXPECT_STREQ(shell.calls.back().record.szTip, "Caf\xE9 \x80 10 ?") << "a character the code page lacks is a '?'";

    // 70 two-byte UTF-8 characters: 63 one-byte characters in the code page.
    std::string accents;
    for (int i = 0; i < 70; ++i) accents += "\xC3\xA9";
    tray->SetHint(accents);
    EXPECT_EQ(std::string(shell.calls.back().record.szTip), std::string(63, '\xE9'));
    tray->HideIcon();
}

TEST_F(TrayWin32, HiddenWindowIsAnInvisibleTopLevelWindow) {
    ASSERT_TRUE(IsWindow(hidden));
    EXPECT_EQ(GetAncestor(hidden, GA_PARENT), GetDesktopWindow()) << "not message-only: broadcasts reach it";
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(SendMessageA(hidden, WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(SendMessageA(hidden, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), TRUE)
        << "other messages get default processing";
    delete tray;
    EXPECT_FALSE(IsWindow(hidden));
}

TEST_F(TrayWin32, TaskbarCreatedBroadcastAddsTheActiveIconAgain) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_NE(taskbarCreated, 0u);
    tray->ShowIcon();
    // The shell's restart, as its broadcast would arrive.
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return shell.Count(NIM_ADD) == 2; }));
    EXPECT_EQ(shell.calls.back().record.hWnd, Value(hidden));

    tray->HideIcon();
    SendMessageA(hidden, taskbarCreated, 0, 0);
    EXPECT_EQ(shell.Count(NIM_ADD), 2u) << "an inactive icon stays away";
}

TEST_F(TrayWin32, EndSessionRemovesTheIconOnlyWhenTheSessionEnds) {
    tray->ShowIcon();
    SendMessageA(hidden, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(tray->Active());
    EXPECT_EQ(shell.Count(NIM_DELETE), 0u);
    SendMessageA(hidden, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(tray->Active());
    ASSERT_EQ(shell.Count(NIM_DELETE), 1u);
    EXPECT_TRUE(shell.calls.back().answer);
}

TEST_F(TrayWin32, ClicksArriveThroughTheRealTimerAndQueue) {
    int clicks = 0, dblClicks = 0;
    tray->OnClick = [&](TComponent*) { ++clicks; };
    tray->OnDblClick = [&](TComponent*) { ++dblClicks; };
    tray->ShowIcon();

    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(dblClicks, 0);
    EXPECT_FALSE(TrayIconMsgWindowTestAccess::ClickTimer(tray->MsgWindow())->Enabled());

    // Down and double in one batch: the double arrives long before the wait ends.
    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return dblClicks == 1; }));
    EXPECT_EQ(clicks, 1);

    // Only OnClick: the deferred call, no timer.
    tray->OnDblClick = nullptr;
    const Win32TimerActivity before = Win32TimerCounters();
    Callback(WM_LBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 2; }));
    EXPECT_EQ(Win32TimerCounters().starts, before.starts);
}

TEST_F(TrayWin32, FailuresAtTheWindowAndTimerBoundariesGoToTheErrorReport) {
    tray->OnClick = [](TComponent*) { throw std::runtime_error("click failed"); };
    tray->OnDblClick = [](TComponent*) { throw std::runtime_error("double failed"); };
    Callback(WM_LBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return !app.reported.empty(); }));
    EXPECT_EQ(app.reported[0], "click failed") << "from the timer";
    Callback(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return app.reported.size() == 2; }));
    EXPECT_EQ(app.reported[1], "double failed") << "from the window procedure";
}

// What OutputDebugString hands a debugger: the exception it raises, seen by
// a vectored handler before anyone else (ANSI text, and on newer Windows the
// wide text first).
std::string debuggerOutput;
LONG CALLBACK SeeDebuggerOutput(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& r = *pointers->ExceptionRecord;
    constexpr DWORD kPrintAnsi = 0x40010006, kPrintWide = 0x4001000A;  // DBG_PRINTEXCEPTION_C, _WIDE_C
    if (r.ExceptionCode == kPrintAnsi && r.NumberParameters >= 2)
        debuggerOutput += reinterpret_cast<const char*>(r.ExceptionInformation[1]);
    if (r.ExceptionCode == kPrintWide && r.NumberParameters >= 2)
        for (auto* c = reinterpret_cast<const wchar_t*>(r.ExceptionInformation[1]); *c; ++c)
            debuggerOutput += static_cast<char>(*c);
    return EXCEPTION_CONTINUE_SEARCH;
}

TEST_F(TrayWin32, FailingDeferredCallIsToldOnTheDebuggerOutput) {
    debuggerOutput.clear();
    void* handler = AddVectoredExceptionHandler(1, SeeDebuggerOutput);
    tray->DeferCall([](TComponent*) { throw std::runtime_error("deferred call failed"); }, tray);
    const bool told = PumpUntil([] { return debuggerOutput.find("deferred call failed") != std::string::npos; });
    RemoveVectoredExceptionHandler(handler);
    EXPECT_TRUE(told) << debuggerOutput;
    EXPECT_TRUE(app.reported.empty()) << "ignored, not shown";
}

TEST_F(TrayWin32, IdleTrayIconStartsNoTimerAndGetsNoTimerMessage) {
    const Win32TimerActivity before = Win32TimerCounters();
    tray->ShowIcon();
    tray->SetState(tsDisabled);
    tray->SetState(tsEnabled);
    Callback(WM_MOUSEMOVE);  // no enter or exit handler: nothing to poll
    Callback(WM_LBUTTONUP);
    PumpPending();
    const Win32TimerActivity idle = Win32TimerCounters();
    EXPECT_EQ(idle.starts, before.starts);
    EXPECT_EQ(idle.messages, before.messages);

    // The counters do count: a waiting click runs the timer.
    int clicks = 0;
    tray->OnClick = [&](TComponent*) { ++clicks; };
    tray->OnDblClick = [](TComponent*) {};
    Callback(WM_LBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
    const Win32TimerActivity after = Win32TimerCounters();
    EXPECT_EQ(after.starts - idle.starts, 1u) << "one platform timer start per click wait";
    EXPECT_GE(after.messages - idle.messages, 1u);
    RecordProperty("timer_messages_per_click_wait", static_cast<int>(after.messages - idle.messages));
}

TEST_F(TrayWin32, MinimiseToTrayHidesTheApplicationWindowAndRestoreBringsItBack) {
    tray->ShowIcon();
    int minimized = 0, restored = 0;
    tray->OnAppMinimize = [&](TComponent*) { ++minimized; };
    tray->OnAppRestore = [&](TComponent*) { ++restored; };
    ASSERT_TRUE(IsWindowVisible(app.FApp));

    app.Minimize();
    EXPECT_EQ(minimized, 1);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(app.FApp); }));
    EXPECT_EQ(TrayLockCount, 0);

    app.Restore();
    EXPECT_EQ(restored, 1);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(app.FApp) && IsWindowVisible(app.FMain); }));
    EXPECT_FALSE(IsIconic(app.FApp));
    EXPECT_EQ(TrayLockCount, 0);
}

TEST_F(TrayWin32, DestructionReleasesTheApplicationHooksAndTheIcon) {
    tray->ShowIcon();
    delete tray;
    EXPECT_FALSE(app.minimizeHook);
    EXPECT_FALSE(app.restoreHook);
    EXPECT_EQ(shell.calls.back().message, static_cast<uint32_t>(NIM_DELETE));
    EXPECT_TRUE(shell.calls.back().answer);
}

// A 16 by 16 two-colour icon file, written byte by byte.
void WriteIconFile(const char* path) {
    std::vector<uint8_t> bytes;
    auto u16 = [&](uint16_t v) {
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    };
    const uint32_t imageSize = 40 + 8 + 64 + 64;  // header, palette, colour rows, mask rows
    u16(0);
    u16(1);
    u16(1);  // icon directory, one image
    bytes.insert(bytes.end(), {16, 16, 2, 0});
    u16(1);
    u16(1);  // 16x16, 2 colours, 1 bit
    u32(imageSize);
    u32(22);
    u32(40);
    u32(16);
    u32(32);
    u16(1);
    u16(1);  // bitmap header (height doubled)
    for (int i = 0; i < 6; ++i) u32(0);
    u32(0x000000);
    u32(0xFFFFFF);  // black, white
    for (int row = 0; row < 16; ++row) u32(row % 2 ? 0xAAAAAAAA : 0x55555555);
    for (int row = 0; row < 16; ++row) u32(0);  // opaque
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(written, bytes.size());
}

TEST_F(TrayWin32, AnimationShowsFramesFromIconFilesAndSkipsMissingOnes) {
    WriteIconFile("frame.ico");
    int animations = 0;
    tray->OnAnimation = [&](TComponent*) { ++animations; };
    tray->Animation().SetIcons({"frame.ico", "no such frame.ico"});
    tray->Animation().SetInterval(100);
    tray->SetState(tsAnimated);
    tray->ShowIcon();
    EXPECT_EQ(animations, 1) << "frame 0 at once";
    ASSERT_TRUE(PumpUntil([&] { return animations >= 4; }));
    tray->HideIcon();
    EXPECT_FALSE(TrayIconAnimationTestAccess::Running(tray->Animation()));
    for (auto& call : shell.calls) {
        EXPECT_TRUE(call.answer);
        EXPECT_NE(call.record.hIcon, 0u) << "every frame shown, the missing one kept the last image";
    }
    DeleteFileA("frame.ico");
}

TEST_F(TrayWin32, IconFileFailuresAreToldApart) {
    TrayPlatform& platform = Win32TrayPlatform();
    try {
        platform.LoadIconFile("no such frame.ico");
        FAIL() << "loaded a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file no such frame.ico");
    }
    EXPECT_EQ(platform.LoadIconResource("NO_SUCH_ICON"), 0u);

    const char* path = "not-an-icon.ico";
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "text", 4, &written, nullptr);
    CloseHandle(f);
    bool missing = false, invalid = false;
    try {
        platform.LoadIconFile(path);
    } catch (const EFOpenError&) {
        missing = true;
    } catch (const std::exception&) {
        invalid = true;
    }
    EXPECT_FALSE(missing) << "the file is there";
    EXPECT_TRUE(invalid) << "but holds no icon";
    DeleteFileA(path);
}

TEST_F(TrayWin32, AnimationShowsTheProgramsOwnIconResourcesByAnyCaseName) {
    // The program's three frames, named in lower case; resources are upper case.
    tray->Animation().SetOptions(aoIconsInExe);
    tray->Animation().SetIcons({"frame1", "Frame2", "FRAME3"});
    tray->Animation().SetInterval(100);
    int animations = 0;
    tray->OnAnimation = [&](TComponent*) { ++animations; };
    tray->SetState(tsAnimated);
    tray->ShowIcon();
    ASSERT_TRUE(PumpUntil([&] { return animations >= 4; }));
    tray->HideIcon();
    // The images in the order shown, a repeat of the same image counted once
    // (showing the icon and starting the animation both show frame 0).
    std::vector<size_t> shown;
    for (size_t i = 0; i < shell.calls.size(); ++i) {
        if (shell.calls[i].message == NIM_DELETE) continue;
        ASSERT_NE(shell.calls[i].record.hIcon, 0u) << "every frame was found";
        ASSERT_FALSE(shell.pixels[i].empty());
        const size_t image = std::hash<std::string>()(shell.pixels[i]);
        if (shown.empty() || shown.back() != image) shown.push_back(image);
    }
    ASSERT_GE(shown.size(), 4u);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
    EXPECT_NE(shown[0], shown[2]);
    EXPECT_EQ(shown[3], shown[0]) << "after the last frame comes the first";
    // A name no resource has gives an empty image.
    EXPECT_EQ(Win32TrayPlatform().LoadIconResource("NO_SUCH_FRAME"), 0u);
}

}  // namespace
}  // namespace pastimo
