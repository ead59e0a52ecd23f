#pragma once
// The quick-pick window: a hotkey brings it up over whatever the user is
// typing in; typing filters every item of every group and the recent
// clipboard entries; Enter puts the selected one on the clipboard, closes the
// window and pastes it where the user was. Escape, or a click elsewhere,
// closes it with nothing changed. A new window is made for every opening
// and releases itself when it closes.

#include "capture/RecentEntries.h"
#include "quickpick/QuickPickFilter.h"
#include "quickpick/QuickPickLibrary.h"
#include "quickpick/QuickPickRows.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/ListView.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace pastimo {

class TFormQuickPick : public TForm {
public:
    // `previous`: the window that was active when the hotkey was pressed,
    // where the pick is pasted (when `paste`) and the focus goes back.
    TFormQuickPick(QuickPickLibrary& library, const RecentEntries& recents, HWND previous, bool paste);
    ~TFormQuickPick() override;

    TLabel LabelFind;
    TEdit EditFind;
    TLabel LabelPickList;
    TListView ListPick;
    TEdit EditPickText;

    // Shows the window in front, on the monitor of the previous window.
    void Open();
    // Brings an open window to the front again (the hotkey pressed twice).
    void Reopen();

    void EditFindChange();
    void Pick();

    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoClose() override;

private:
    // Closes and releases the window; the previous window gets the focus back.
    void Finish();
    void MoveSelection(WPARAM key);

    QuickPickLibrary& FLibrary;
    const RecentEntries& FRecents;
    QuickPickRows FRows;
    std::unique_ptr<QuickPickFilter> FFilter;
    HWND FPrevious;
    bool FPaste;
    bool FFinished = false;
};

// The open quick-pick window; nullptr when none is.
extern TFormQuickPick* FormQuickPick;

// Pastes the clipboard into `target` as Ctrl+V typed there would, once the
// keys still held down from the hotkey are up (waited for up to a second).
// When it cannot (the window is gone, or Windows keeps other programs' keys
// from it), an information box says why: the text stays on the clipboard.
void PasteInto(HWND target);

}  // namespace pastimo
