// The real clipboard under Wine: reading text put in either text form,
// non-text, a clipboard held by another thread, the "leave me alone" formats
// and the copy-back.
#include "capture/win32/Clipboard.h"
#include "tests/capture/ClipboardTestWindows.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace pastimo {
namespace {

using namespace testing_clipboard;

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        FOwner = CreateHiddenWindow();
        ASSERT_TRUE(FOwner);
    }
    void TearDown() override {
        PumpMessages();
        DestroyWindow(FOwner);
    }
    HWND FOwner = nullptr;
};

TEST_F(ClipboardTest, ReadsTextUpToTheFirstZeroByte) {
    ASSERT_TRUE(SetClipboardText(FOwner, "alpha\r\nbeta"));
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_EQ(ReadClipboardText(FOwner), "alpha\r\nbeta");
    EXPECT_EQ(ReadClipboardText(FOwner, 5), "alpha");

    const char withZero[] = "left\0right";
    ASSERT_TRUE(SetClipboardFormats(FOwner, {{CF_TEXT, GlobalBytes(withZero, sizeof withZero)}}));
    EXPECT_EQ(ReadClipboardText(FOwner), "left");
}

// "Tokyo 東京 → ✓ 🙂": CJK, an arrow, a check mark and an emoji (a pair).
const std::u16string kWide = u"Tokyo \u6771\u4EAC \u2192 \u2713 \U0001F642";
const std::string kUtf8 = "Tokyo \xE6\x9D\xB1\xE4\xBA\xAC \xE2\x86\x92 \xE2\x9C\x93 \xF0\x9F\x99\x82";

TEST_F(ClipboardTest, UnicodeTextIsCapturedExactly) {
    ASSERT_TRUE(SetClipboardUnicode(FOwner, kWide + u"\r\n" + kWide));
    EXPECT_TRUE(ClipboardHasText());
    RecentEntries entries;
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Slot(1), kUtf8 + "\r\n" + kUtf8 + "\r\n");
    EXPECT_EQ(entries.ListLine(0), kUtf8);

    // Text put only as CF_TEXT, as older programs do, is still captured.
    ASSERT_TRUE(SetClipboardText(FOwner, "ansi text"));
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"ansi text", kUtf8}));
}

TEST_F(ClipboardTest, PicturesAndFilesAreNoText) {
    HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
    ASSERT_TRUE(SetClipboardFormats(FOwner, {{CF_BITMAP, bitmap}}));
    EXPECT_FALSE(ClipboardHasText());
    RecentEntries entries;
    EXPECT_FALSE(CaptureClipboard(entries, FOwner));
    EXPECT_TRUE(entries.Lines().empty());

    const char files[] = "C:\\a.txt\0C:\\b.txt\0";
    std::string drop(sizeof(DROPFILES), '\0');
    reinterpret_cast<DROPFILES*>(&drop[0])->pFiles = sizeof(DROPFILES);
    drop.append(files, sizeof files);
    ASSERT_TRUE(SetClipboardFormats(FOwner, {{CF_HDROP, GlobalBytes(drop.data(), drop.size())}}));
    EXPECT_FALSE(ClipboardHasText());
    EXPECT_FALSE(CaptureClipboard(entries, FOwner));
    EXPECT_TRUE(entries.Lines().empty());
    EXPECT_EQ(ReadClipboardText(FOwner), "");
}

// Another thread holds the clipboard open with its own window until told to
// let go, so the test decides exactly when it is released.
class ClipboardHolder {
public:
    ClipboardHolder()
        : FOpened(CreateEventA(nullptr, TRUE, FALSE, nullptr)), FRelease(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          FClosed(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        FThread = CreateThread(nullptr, 0, &ClipboardHolder::Run, this, 0, nullptr);
        WaitForSingleObject(FOpened, 10000);
    }
    ~ClipboardHolder() {
        Release();
        WaitForSingleObject(FThread, 10000);
        for (HANDLE h : {FThread, FOpened, FRelease, FClosed}) CloseHandle(h);
    }
    bool Holds() const { return FHolds; }
    void Release() {
        SetEvent(FRelease);
        WaitForSingleObject(FClosed, 10000);
    }

private:
    static DWORD WINAPI Run(void* self) {
        auto* holder = static_cast<ClipboardHolder*>(self);
        HWND window = CreateHiddenWindow();
        holder->FHolds = window && OpenForTest(window);
        SetEvent(holder->FOpened);
        WaitForSingleObject(holder->FRelease, 10000);
        if (holder->FHolds) CloseClipboard();
        SetEvent(holder->FClosed);
        DestroyWindow(window);
        return 0;
    }

    HANDLE FOpened, FRelease, FClosed, FThread;
    bool FHolds = false;
};

TEST_F(ClipboardTest, ShortHoldByAnotherProgramIsWaitedOut) {
    ASSERT_TRUE(SetClipboardText(FOwner, "held briefly"));
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holds());
    int waits = 0;
    ClipboardRetry retry;
    retry.wait = [&] {
        if (++waits == 2) holder.Release();
    };
    EXPECT_EQ(ReadClipboardText(FOwner, static_cast<size_t>(-1), retry), "held briefly");
    EXPECT_EQ(waits, 2);
}

TEST_F(ClipboardTest, LongHoldGivesAnEmptyEntry) {
    ASSERT_TRUE(SetClipboardText(FOwner, "held too long"));
    RecentEntries entries;
    entries.Capture("older");
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holds());
        int waits = 0;
        ClipboardRetry retry;
        retry.wait = [&] { ++waits; };
        EXPECT_EQ(ReadClipboardText(FOwner, static_cast<size_t>(-1), retry), "");
        EXPECT_EQ(waits, retry.attempts - 1);
        EXPECT_TRUE(CaptureClipboard(entries, FOwner, retry));
        EXPECT_FALSE(ClearClipboard(FOwner, retry));
    }
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"", "older"}));
    EXPECT_EQ(entries.Slot(1), "\r\n");
    // The default retry does wait for a real release; the text is still there.
    EXPECT_EQ(ReadClipboardText(FOwner), "held too long");
}

TEST_F(ClipboardTest, MarkedClipboardIsNotRecorded) {
    for (const char* name : {"ExcludeClipboardContentFromMonitorProcessing", "Clipboard Viewer Ignore"}) {
        SCOPED_TRACE(name);
        const std::string secret = "hunter2";
        ASSERT_TRUE(SetClipboardFormats(FOwner, {{CF_TEXT, GlobalBytes(secret.c_str(), secret.size() + 1)},
                                                 {RegisterClipboardFormatA(name), GlobalBytes("", 0)}}));
        EXPECT_TRUE(ClipboardHasText());
        EXPECT_TRUE(ShouldIgnoreClipboard());
        RecentEntries entries;
        EXPECT_FALSE(CaptureClipboard(entries, FOwner));
        EXPECT_TRUE(entries.Lines().empty());
    }
    ASSERT_TRUE(SetClipboardText(FOwner, "plain"));
    EXPECT_FALSE(ShouldIgnoreClipboard());
    RecentEntries entries;
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"plain"}));
}

TEST_F(ClipboardTest, CaptureKeepsTheCapacityRule) {
    RecentEntries entries;
    ASSERT_TRUE(SetClipboardText(FOwner, std::string(kLongestRecordedText, 'a')));
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Slot(1).size(), kRecentEntryCapacity);
    ASSERT_TRUE(SetClipboardText(FOwner, std::string(kLongestRecordedText + 1, 'b')));
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Slot(1), "");
    EXPECT_EQ(entries.ListLine(0), "");
    EXPECT_EQ(entries.ListLine(1), std::string(kRecentLineLimit, 'a'));

    // Counted in UTF-16 units: an emoji is two. The read stops one unit over
    // the longest text, in the middle of the last pair of a text one unit
    // too long, which must still overflow.
    const std::string emoji = "\xF0\x9F\x99\x82";
    ASSERT_TRUE(SetClipboardUnicode(FOwner, std::u16string(kLongestRecordedText - 2, u'c') + u"\U0001F642"));
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Slot(1), std::string(kLongestRecordedText - 2, 'c') + emoji + "\r\n");
    ASSERT_TRUE(SetClipboardUnicode(FOwner, std::u16string(kLongestRecordedText - 1, u'd') + u"\U0001F642"));
    EXPECT_TRUE(CaptureClipboard(entries, FOwner));
    EXPECT_EQ(entries.Slot(1), "");
    EXPECT_EQ(entries.ListLine(0), "");
}

TEST_F(ClipboardTest, EditTextGoesBackOnTheClipboard) {
    // The program's edits are created through the wide API.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 100, 50, FOwner,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"entry three\r\nsecond line\r\n");
    PutEditTextOnClipboard(FOwner, edit);
    EXPECT_EQ(ReadClipboardText(FOwner), "entry three\r\nsecond line\r\n");
    DWORD start = 1, end = 1;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);

    // Any character goes back as it is, and older programs are offered CF_TEXT.
    SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(kWide.c_str()));
    PutEditTextOnClipboard(FOwner, edit);
    EXPECT_EQ(ReadClipboardText(FOwner), kUtf8);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    // An empty viewer leaves the clipboard empty.
    SetWindowTextW(edit, L"");
    PutEditTextOnClipboard(FOwner, edit);
    EXPECT_FALSE(ClipboardHasText());
    EXPECT_EQ(ReadClipboardText(FOwner), "");
    DestroyWindow(edit);
}

}  // namespace
}  // namespace pastimo
