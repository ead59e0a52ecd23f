// The "Last Clipboard Entries" page's rules against fakes of its controls
// and of the clipboard: late notices, capture switched off, the viewer.
#include "capture/RecentPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pastimo {
namespace {

struct FakeView : RecentPageView {
    bool capture = true;
    int selected = -1;
    std::vector<std::string> lines;
    std::vector<std::string> viewerTexts;  // every text the viewer was given
    int copies = 0;

    bool CaptureEnabled() const override { return capture; }
    int SelectedLine() const override { return selected; }
    void ShowNewLine(const std::string& line) override {
        lines.insert(lines.begin(), line);
        if (lines.size() > kRecentEntryCount) lines.resize(kRecentEntryCount);
    }
    void SetViewerText(const std::string& text) override { viewerTexts.push_back(text); }
    void CopyViewerTextToClipboard() override { ++copies; }
};

// A clipboard whose contents change when the test says so.
struct FakeClipboard : ClipboardReader {
    std::string text;
    uint32_t sequence = 1;
    bool opens = true;
    int reads = 0;

    void Copy(const std::string& newText) {
        text = newText;
        ++sequence;
    }
    uint32_t SequenceNumber() override { return sequence; }
    bool CaptureInto(RecentEntries& entries, uint32_t& read) override {
        ++reads;
        read = opens ? sequence : 0;
        entries.Capture(opens ? text : std::string());
        return true;
    }
};

TEST(RecentPage, OneChangeOfTheClipboardIsOneEntryHoweverManyNoticesComeLate) {
    FakeView view;
    FakeClipboard clipboard;
    RecentPage page(view, clipboard);
    clipboard.Copy("first");
    page.ClipboardChanged();
    page.ClipboardChanged();  // a late second notice of the same change
    clipboard.Copy("first");  // the same text copied again is a change of its own
    page.ClipboardChanged();
    EXPECT_EQ(view.lines, (std::vector<std::string>{"first", "first"}));
    EXPECT_EQ(clipboard.reads, 2);

    // A clipboard held by another program reads as empty, and such a read
    // does not hide the next notice of the same change.
    clipboard.Copy("held");
    clipboard.opens = false;
    page.ClipboardChanged();
    clipboard.opens = true;
    page.ClipboardChanged();
    EXPECT_EQ(view.lines, (std::vector<std::string>{"held", "", "first", "first"}));
}

TEST(RecentPage, CaptureOffRecordsNothingAndTheViewerShowsTheSelectedEntry) {
    FakeView view;
    FakeClipboard clipboard;
    RecentPage page(view, clipboard);
    view.capture = false;
    clipboard.Copy("ignored");
    page.ClipboardChanged();
    EXPECT_TRUE(view.lines.empty());
    EXPECT_EQ(clipboard.reads, 0) << "the clipboard is not even opened";

    view.capture = true;
    clipboard.Copy("alpha\r\nbeta");
    page.ClipboardChanged();
    page.ListBoxRecentListClick();  // nothing selected
    EXPECT_TRUE(view.viewerTexts.empty());
    view.selected = 0;
    page.ListBoxRecentListClick();
    EXPECT_EQ(view.viewerTexts, (std::vector<std::string>{"", "alpha\r\nbeta\r\n"}));
    page.Button1Click();
    EXPECT_EQ(view.copies, 1);
}

}  // namespace
}  // namespace pastimo
