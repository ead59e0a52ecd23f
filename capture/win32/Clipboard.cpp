#include "capture/win32/Clipboard.h"

#include <algorithm>
#include <cstring>

namespace pastimo {
namespace {

constexpr DWORD kRetryIntervalMs = 10;

// Closes the clipboard on every way out.
class OpenedClipboard {
public:
    OpenedClipboard(HWND owner, const ClipboardRetry& retry) : FOpen(OpenClipboardRetrying(owner, retry)) {}
    ~OpenedClipboard() { if (FOpen) CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return FOpen; }
private:
    bool FOpen;
};

class LockedGlobal {
public:
    explicit LockedGlobal(HANDLE handle) : FHandle(handle), FData(GlobalLock(handle)) {}
    ~LockedGlobal() { if (FData) GlobalUnlock(FHandle); }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const char* Data() const { return static_cast<const char*>(FData); }
    size_t Size() const { return GlobalSize(FHandle); }
private:
    HANDLE FHandle;
    void* FData;
};

bool FormatAvailable(const char* registeredName) {
    const UINT format = RegisterClipboardFormatA(registeredName);
    return format != 0 && IsClipboardFormatAvailable(format);
}

}  // namespace

bool OpenClipboardRetrying(HWND owner, const ClipboardRetry& retry) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner)) return true;
        if (attempt >= retry.attempts) return false;
        if (retry.wait)
            retry.wait();
        else
            Sleep(kRetryIntervalMs);
    }
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_TEXT) != 0;
}

bool ShouldIgnoreClipboard() {
    // https://learn.microsoft.com/windows/win32/dataxchg/clipboard-formats#cloud-clipboard-and-clipboard-history-formats
    return FormatAvailable("ExcludeClipboardContentFromMonitorProcessing") ||
           FormatAvailable("Clipboard Viewer Ignore");
}

std::string ReadClipboardText(HWND owner, size_t maxBytes, const ClipboardRetry& retry, DWORD* sequence) {
    OpenedClipboard clipboard(owner, retry);
    if (sequence) *sequence = 0;
    if (!clipboard.IsOpen()) return std::string();
    // While it is open the clipboard cannot change: this number names exactly
    // the contents read.
    if (sequence) *sequence = GetClipboardSequenceNumber();
    const HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::string();
    LockedGlobal locked(data);
    if (!locked.Data()) return std::string();
    // A block without a zero byte must not be read past its end.
    const size_t limit = std::min(locked.Size(), maxBytes);
    const void* zero = std::memchr(locked.Data(), 0, limit);
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - locked.Data()) : limit;
    std::string text;
    text.reserve(length + 2);  // the entry's closing CR LF goes on without a copy
    text.assign(locked.Data(), length);
    return text;
}

bool ClearClipboard(HWND owner, const ClipboardRetry& retry) {
    OpenedClipboard clipboard(owner, retry);
    return clipboard.IsOpen() && EmptyClipboard();
}

void PutEditTextOnClipboard(HWND owner, HWND edit) {
    ClearClipboard(owner);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_COPY, 0, 0);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

bool CaptureClipboard(RecentEntries& entries, HWND owner, const ClipboardRetry& retry, DWORD* sequence) {
    if (sequence) *sequence = 0;
    if (!ClipboardHasText() || ShouldIgnoreClipboard()) return false;
    // One byte over the longest recorded text is enough to tell an overflow;
    // a huge clipboard is never copied whole.
    entries.Capture([&] { return ReadClipboardText(owner, kLongestRecordedText + 1, retry, sequence); });
    return true;
}

}  // namespace pastimo
