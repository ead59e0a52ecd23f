#include "capture/RecentPage.h"

namespace pastimo {

RecentPage::RecentPage(RecentPageView& view, ClipboardReader& clipboard) : FView(view), FClipboard(clipboard) {}

void RecentPage::ClipboardChanged() {
    if (!FView.CaptureEnabled()) return;
    // Notices can arrive after the clipboard has changed again (they are not
    // always delivered while the writer waits), so several may find the same
    // contents. One change of the clipboard is one entry: a state already
    // recorded is not recorded again. The same text copied twice is two
    // changes and still gives two entries.
    if (FLastRecordedSequence != 0 && FClipboard.SequenceNumber() == FLastRecordedSequence) return;
    uint32_t sequence = 0;
    if (!FClipboard.CaptureInto(FEntries, sequence)) return;
    FLastRecordedSequence = sequence;
    const std::vector<std::string>& lines = FEntries.Lines();
    if (!lines.empty()) FView.ShowNewLine(lines.front());
}

void RecentPage::ListBoxRecentListClick() {
    const int selected = FView.SelectedLine();
    if (selected < 0) return;
    FView.SetViewerText(std::string());
    FView.SetViewerText(FEntries.ViewerText(static_cast<size_t>(selected)));
}

void RecentPage::Button1Click() { FView.CopyViewerTextToClipboard(); }

}  // namespace pastimo
