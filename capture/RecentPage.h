#pragma once
// What the "Last Clipboard Entries" page does: records each change of the
// clipboard as the newest recent entry while capture is on, shows an entry
// in the viewer, and copies the viewer back. Written against a view and a
// clipboard interface so the rules run the same in front of the real window
// and in front of a test's fakes. Portable: no Windows headers.

#include "capture/RecentEntries.h"

#include <cstdint>
#include <string>

namespace pastimo {

// The page's controls, as the handlers see them.
class RecentPageView {
public:
    virtual ~RecentPageView() = default;
    virtual bool CaptureEnabled() const = 0;  // the program-wide option
    virtual int SelectedLine() const = 0;     // ListBoxRecentList, -1 for none
    // The new list line goes in at the top and any line after the fifth
    // drops off, so that a selected line keeps its highlight as it moves down.
    virtual void ShowNewLine(const std::string& line) = 0;
    virtual void SetViewerText(const std::string& text) = 0;  // MemoClipText
    // Empties the clipboard, then copies all of the viewer's text with the
    // viewer's own copy and puts the caret back at the start.
    virtual void CopyViewerTextToClipboard() = 0;
};

// The clipboard as the capture reads it.
class ClipboardReader {
public:
    virtual ~ClipboardReader() = default;
    // Changes with every change of the clipboard's contents.
    virtual uint32_t SequenceNumber() = 0;
    // Records the clipboard's text as the newest entry when it holds text not
    // marked to be left alone; true when it did, with the sequence number of
    // the contents read (0 when the clipboard could not be opened).
    virtual bool CaptureInto(RecentEntries& entries, uint32_t& sequence) = 0;
};

class RecentPage {
public:
    RecentPage(RecentPageView& view, ClipboardReader& clipboard);

    // A change notice of the clipboard, once it has been passed on.
    void ClipboardChanged();
    void ListBoxRecentListClick();
    void Button1Click();

    const RecentEntries& Entries() const { return FEntries; }

private:
    RecentPageView& FView;
    ClipboardReader& FClipboard;
    RecentEntries FEntries;
    uint32_t FLastRecordedSequence = 0;  // of the newest entry
};

}  // namespace pastimo
