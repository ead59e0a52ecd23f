#include "shell/win32/RecentEntriesView.h"

#include "capture/win32/Clipboard.h"
#include "toolkit/win32/Application.h"

namespace pastimo {

RecentEntriesView::RecentEntriesView(TListBox& recentList, TEdit& viewer, std::function<bool()> captureEnabled)
    : FRecentList(recentList), FViewer(viewer), FCaptureEnabled(std::move(captureEnabled)) {}

bool RecentEntriesView::CaptureEnabled() const { return FCaptureEnabled(); }

int RecentEntriesView::SelectedLine() const { return FRecentList.ItemIndex(); }

void RecentEntriesView::ShowNewLine(const std::string& line) {
    FRecentList.Insert(0, line);
    while (FRecentList.Count() > static_cast<int>(kRecentEntryCount))
        FRecentList.Delete(static_cast<int>(kRecentEntryCount));
}

void RecentEntriesView::SetViewerText(const std::string& text) { FViewer.SetText(text); }

void RecentEntriesView::CopyViewerTextToClipboard() { PutEditTextOnClipboard(Application->Handle(), FViewer.Handle()); }

uint32_t SystemClipboard::SequenceNumber() { return GetClipboardSequenceNumber(); }

bool SystemClipboard::CaptureInto(RecentEntries& entries, uint32_t& sequence) {
    DWORD read = 0;
    const bool captured = CaptureClipboard(entries, FOwner, ClipboardRetry{}, &read);
    sequence = read;
    return captured;
}

}  // namespace pastimo
