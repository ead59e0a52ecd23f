#pragma once
// The clipboard as the capture side and the copy-back use it: text as
// CF_UNICODETEXT (the system offers it for CF_TEXT too), UTF-8 inside.
// Win32 only.

#include "capture/RecentEntries.h"

#include <windows.h>

#include <functional>
#include <string>

namespace pastimo {

// Another program may hold the clipboard open for a moment; opening is tried
// again a few times before giving up. `wait` runs between tries (by default
// a 10 ms sleep: 5 tries stay within about 40 ms).
struct ClipboardRetry {
    int attempts = 5;
    std::function<void()> wait;
};

bool OpenClipboardRetrying(HWND owner, const ClipboardRetry& retry = {});

// Whether the clipboard holds text, without opening it.
bool ClipboardHasText();

// Whether the program that set the clipboard asked monitors to leave it alone
// (password managers mark secrets with one of two registered formats).
bool ShouldIgnoreClipboard();

// The clipboard's CF_UNICODETEXT up to its first zero unit (and never past
// the end of the data), at most `maxUnits` UTF-16 units, in UTF-8. A pair cut
// in two by `maxUnits` leaves U+FFFD, one unit. Empty when there is no text
// or the clipboard stays held by another program.
// `sequence`, when given, receives the clipboard's sequence number of the
// contents read (0 when the clipboard could not be opened); `unitsRead` the
// UTF-16 units the text has.
std::string ReadClipboardText(HWND owner, size_t maxUnits = static_cast<size_t>(-1), const ClipboardRetry& retry = {},
                              DWORD* sequence = nullptr, size_t* unitsRead = nullptr);

// Opens, empties and closes the clipboard. False when it could not be opened.
bool ClearClipboard(HWND owner, const ClipboardRetry& retry = {});

// Puts a multi-line edit's whole text on the clipboard: empties the
// clipboard, selects all, WM_COPY (which does nothing for an empty text),
// then collapses the selection to the start and scrolls it into view. An edit
// created through the wide API puts CF_UNICODETEXT, and the system offers
// CF_TEXT from it to older programs.
void PutEditTextOnClipboard(HWND owner, HWND edit);

// The capture side of a WM_DRAWCLIPBOARD, after it has been passed on and
// only while capture is on: records the clipboard's text as the newest entry
// when it holds text that is not marked to be ignored. True when an entry was
// recorded. Never throws.
bool CaptureClipboard(RecentEntries& entries, HWND owner, const ClipboardRetry& retry = {}, DWORD* sequence = nullptr);

}  // namespace pastimo
