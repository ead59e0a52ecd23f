// The real clipboard-viewer chain under Wine, with hidden windows of the test
// as its members.
#include "capture/win32/Win32ClipChain.h"
#include "tests/capture/ClipboardTestWindows.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

using namespace testing_clipboard;
using Change = std::pair<WPARAM, LPARAM>;

WPARAM W(HWND h) { return reinterpret_cast<WPARAM>(h); }
LPARAM L(HWND h) { return reinterpret_cast<LPARAM>(h); }

TEST(ClipboardViewerChain, NoticesTravelAndChainChangesAreFollowed) {
    TestViewer a, c, b;
    ASSERT_TRUE(CreateHiddenWindow(&a));
    ASSERT_TRUE(CreateHiddenWindow(&c));
    ASSERT_TRUE(CreateHiddenWindow(&b));
    HWND stranger = CreateHiddenWindow();
    HWND strangersNext = CreateHiddenWindow();

    // Joining: each newcomer is told about the clipboard at once, and the
    // previous head becomes its next viewer. Chain: b -> c -> a -> (before).
    a.link.Join(a.hwnd);
    const HWND before = a.link.Next();
    EXPECT_EQ(a.draws, 1);
    c.link.Join(c.hwnd);
    EXPECT_EQ(c.link.Next(), a.hwnd);
    b.link.Join(b.hwnd);
    EXPECT_EQ(b.link.Next(), c.hwnd);
    PumpMessages();

    // A clipboard change reaches the head and is passed down the chain.
    a.draws = b.draws = c.draws = 0;
    ASSERT_TRUE(SetClipboardText(stranger, "chain"));
    PumpMessages();
    EXPECT_GE(b.draws, 1);
    EXPECT_EQ(c.draws, b.draws);
    EXPECT_EQ(a.draws, b.draws);

    // Some other window leaves: passed on unchanged, own next viewer kept.
    SendMessageA(b.hwnd, WM_CHANGECBCHAIN, W(stranger), L(strangersNext));
    EXPECT_EQ(b.link.Next(), c.hwnd);
    EXPECT_EQ(c.changes, (std::vector<Change>{{W(stranger), L(strangersNext)}}));
    EXPECT_EQ(a.changes, c.changes);

    // This window's own leaving is not passed on.
    SendMessageA(b.hwnd, WM_CHANGECBCHAIN, W(b.hwnd), L(c.hwnd));
    EXPECT_EQ(b.link.Next(), c.hwnd);
    EXPECT_EQ(c.changes.size(), 1u);

    // The next viewer leaves through the platform: the head is told, takes
    // the one after it as its next viewer and tells that one.
    c.link.Leave();
    PumpMessages();
    EXPECT_EQ(b.changes.back(), (Change{W(c.hwnd), L(a.hwnd)}));
    EXPECT_EQ(b.link.Next(), a.hwnd);
    EXPECT_EQ(a.changes.back(), (Change{W(c.hwnd), L(a.hwnd)}));
    EXPECT_EQ(c.changes.size(), 1u);
    EXPECT_EQ(c.link.Next(), nullptr);

    // The chain now runs b -> a; c hears nothing more.
    a.draws = b.draws = c.draws = 0;
    ASSERT_TRUE(SetClipboardText(stranger, "shorter chain"));
    PumpMessages();
    EXPECT_GE(b.draws, 1);
    EXPECT_EQ(a.draws, b.draws);
    EXPECT_EQ(c.draws, 0);

    // Leaving in turn restores the chain as it was before the test.
    b.link.Leave();
    PumpMessages();
    a.link.Leave();
    PumpMessages();
    EXPECT_EQ(GetClipboardViewer(), before);
    a.draws = b.draws = 0;
    ASSERT_TRUE(SetClipboardText(stranger, "after"));
    PumpMessages();
    EXPECT_EQ(a.draws + b.draws, 0);

    for (HWND h : {a.hwnd, b.hwnd, c.hwnd, stranger, strangersNext}) DestroyWindow(h);
}

}  // namespace
}  // namespace pastimo
