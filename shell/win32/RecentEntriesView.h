#pragma once
// The "Last Clipboard Entries" page's controls as the page's rules see them,
// and the system's clipboard as the capture reads it.

#include "capture/RecentPage.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/ListBox.h"

#include <windows.h>

#include <functional>

namespace pastimo {

class RecentEntriesView : public RecentPageView {
public:
    RecentEntriesView(TListBox& recentList, TEdit& viewer, std::function<bool()> captureEnabled);

    bool CaptureEnabled() const override;
    int SelectedLine() const override;
    void ShowNewLine(const std::string& line) override;
    void SetViewerText(const std::string& text) override;
    void CopyViewerTextToClipboard() override;

private:
    TListBox& FRecentList;
    TEdit& FViewer;
    std::function<bool()> FCaptureEnabled;
};

class SystemClipboard : public ClipboardReader {
public:
    // `owner`: the window that opens the clipboard to read it.
    explicit SystemClipboard(HWND owner) : FOwner(owner) {}
    uint32_t SequenceNumber() override;
    bool CaptureInto(RecentEntries& entries, uint32_t& sequence) override;

private:
    HWND FOwner;
};

}  // namespace pastimo
