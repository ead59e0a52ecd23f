#include "capture/win32/Clipboard.h"

#include "toolkit/Unicode.h"

#include <algorithm>
#include <string_view>

namespace pastimo {
namespace {

constexpr DWORD kRetryIntervalMs = 10;

// Closes the clipboard on every way out.
class OpenedClipboard {
public:
    OpenedClipboard(HWND owner, const ClipboardRetry& retry) : FOpen(OpenClipboardRetrying(owner, retry)) {}
    ~OpenedClipboard() {
        if (FOpen) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return FOpen; }

private:
    bool FOpen;
};

class LockedGlobal {
public:
    explicit LockedGlobal(HANDLE handle) : FHandle(handle), FData(GlobalLock(handle)) {}
    ~LockedGlobal() {
        if (FData) GlobalUnlock(FHandle);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const void* Data() const { return FData; }
    size_t Size() const { return GlobalSize(FHandle); }

private:
    HANDLE FHandle;
    void* FData;
};

bool FormatAvailable(const wchar_t* registeredName) {
    const UINT format = RegisterClipboardFormatW(registeredName);
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

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

bool ShouldIgnoreClipboard() {
    // https://learn.microsoft.com/windows/win32/dataxchg/clipboard-formats#cloud-clipboard-and-clipboard-history-formats
    return FormatAvailable(L"ExcludeClipboardContentFromMonitorProcessing") ||
           FormatAvailable(L"Clipboard Viewer Ignore");
}

std::string ReadClipboardText(HWND owner, size_t maxUnits, const ClipboardRetry& retry, DWORD* sequence,
                              size_t* unitsRead) {
    OpenedClipboard clipboard(owner, retry);
    if (sequence) *sequence = 0;
    if (unitsRead) *unitsRead = 0;
    if (!clipboard.IsOpen()) return std::string();
    // While it is open the clipboard cannot change: this number names exactly
    // the contents read.
    if (sequence) *sequence = GetClipboardSequenceNumber();
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::string();
    LockedGlobal locked(data);
    if (!locked.Data()) return std::string();
    // A block without a zero unit must not be read past its end.
    std::u16string_view units(static_cast<const char16_t*>(locked.Data()),
                              std::min(locked.Size() / sizeof(char16_t), maxUnits));
    units = units.substr(0, units.find(u'\0'));
    if (unitsRead) *unitsRead = units.size();
    return Utf16ToUtf8(units, 2);  // room for the entry's closing CR LF
}

bool ClearClipboard(HWND owner, const ClipboardRetry& retry) {
    OpenedClipboard clipboard(owner, retry);
    return clipboard.IsOpen() && EmptyClipboard();
}

void PutEditTextOnClipboard(HWND owner, HWND edit) {
    ClearClipboard(owner);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_COPY, 0, 0);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

bool CaptureClipboard(RecentEntries& entries, HWND owner, const ClipboardRetry& retry, DWORD* sequence) {
    if (sequence) *sequence = 0;
    if (!ClipboardHasText() || ShouldIgnoreClipboard()) return false;
    // One unit over the longest recorded text is enough to tell an overflow
    // (half a pair read becomes U+FFFD, still one unit); a huge clipboard is
    // never copied whole.
    entries.Capture([&] {
        size_t units = 0;
        std::string text = ReadClipboardText(owner, kLongestRecordedText + 1, retry, sequence, &units);
        return ReadText(std::move(text), units);
    });
    return true;
}

}  // namespace pastimo
