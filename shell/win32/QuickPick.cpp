#include "shell/win32/QuickPick.h"

#include "capture/win32/Clipboard.h"
#include "resources/QuickPickLayout.h"
#include "shell/win32/InformationBox.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Wide.h"

#include <commctrl.h>

#include <string>

namespace pastimo {

TFormQuickPick* FormQuickPick = nullptr;

namespace {

// The keys that move the list's selection while the focus stays in the field.
bool IsListKey(WPARAM key) {
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END;
}

// The keys of the hotkey that may still be down when the pick is made.
constexpr int kModifierKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN};

bool AnyModifierDown() {
    for (int key : kModifierKeys)
        if (GetAsyncKeyState(key) < 0) return true;
    return false;
}

// Whether the process runs with an administrator's full rights; false where
// the system cannot tell (it has no such thing).
bool RunsElevated(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return read && elevation.TokenIsElevated;
}

bool WindowRunsElevated(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION
    HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
    if (!process) return false;
    const bool elevated = RunsElevated(process);
    CloseHandle(process);
    return elevated;
}

std::string TitleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(GetAncestor(window, GA_ROOT), title, 256);
    return title[0] ? "\"" + Narrow(title) + "\"" : std::string("the window you were typing in");
}

void NotPasted(const std::string& why) {
    ShowInformationBox("The text is on the clipboard but was not pasted: " + why + " Press Ctrl+V where you want it.");
}

}  // namespace

void PasteInto(HWND target) {
    if (!target || !IsWindow(target)) {
        NotPasted("the window you were typing in is gone.");
        return;
    }
    if (!RunsElevated(GetCurrentProcess()) && WindowRunsElevated(target)) {
        NotPasted(TitleOf(target) + " runs as administrator, and Windows keeps the keys of other programs from it.");
        return;
    }
    // Ctrl+V with the hotkey's Win or Shift still down would be another key.
    const DWORD start = GetTickCount();
    while (AnyModifierDown() && GetTickCount() - start < 1000) Sleep(10);
    // Keys go to the foreground window: wait (briefly) until it is the target.
    while (GetForegroundWindow() != target && GetTickCount() - start < 1000) Sleep(10);
    INPUT keys[4] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'V';
    keys[2].ki.wVk = 'V';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(4, keys, sizeof(INPUT)) != 4) NotPasted("Windows did not take the keys for " + TitleOf(target) + ".");
}

TFormQuickPick::TFormQuickPick(QuickPickLibrary& library, const RecentEntries& recents, HWND previous, bool paste)
    : TForm(nullptr), FLibrary(library), FRecents(recents), FPrevious(previous), FPaste(paste) {
    FormQuickPick = this;
    CreateArgs args;
    args.className = L"TFormQuickPick";
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    args.exStyle = WS_EX_CONTROLPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    // Unowned, so that it shows while the program sits in the tray (owned
    // windows hide with their minimised owner); a tool window has no
    // taskbar entry.
    args.owner = nullptr;
    CreateFromLayout(args, kQuickPickLayout,
                     {{kLabelFind, LabelFind},
                      {kEditFind, EditFind},
                      {kLabelPickList, LabelPickList},
                      {kListPick, ListPick},
                      {kEditPickText, EditPickText}});
    std::vector<TListView::Column> columns;
    for (const auto& column : kQuickPickColumns) columns.push_back({column.caption, column.width});
    ListPick.SetColumns(columns);
    ListPick.OnCellText = [this](int position, int column) -> std::string {
        const std::vector<int>& shown = FFilter->Shown();
        if (position < 0 || position >= static_cast<int>(shown.size())) return std::string();
        const int row = shown[static_cast<size_t>(position)];
        if (column == 0) return std::string(FRows.Name(row));
        return FRows.IsRecent(row) ? std::string(kRecentEntryMark) : std::string(FRows.Group(row));
    };
    ListPick.OnActivate = [this] { Pick(); };
    EditFind.OnChange = [this] { EditFindChange(); };
    SetActiveControl(EditFind.Handle());

    // What is on disk now, and the recent entries as they are.
    FRows = FLibrary.Rows(FRecents);
    FFilter = std::make_unique<QuickPickFilter>(FRows);
    ListPick.SetRowCount(static_cast<int>(FFilter->Shown().size()));
    ListPick.Select(0);
}

TFormQuickPick::~TFormQuickPick() {
    DestroyHandle();
    if (FormQuickPick == this) FormQuickPick = nullptr;
}

void TFormQuickPick::Open() {
    // In the middle of the work area of the monitor the user was looking at.
    HMONITOR monitor = MonitorFromWindow(FPrevious ? FPrevious : GetDesktopWindow(), MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT window{};
    GetWindowRect(Handle(), &window);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& area = info.rcWork;
        const int width = window.right - window.left, height = window.bottom - window.top;
        SetWindowPos(Handle(), HWND_TOPMOST, area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 3, 0, 0, SWP_NOSIZE);
    }
    Show();
    SetFocus(EditFind.Handle());
}

void TFormQuickPick::Reopen() {
    Show();
    SetFocus(EditFind.Handle());
}

void TFormQuickPick::EditFindChange() {
    const std::vector<int>& shown = FFilter->SetQuery(EditFind.Text());
    ListPick.SetRowCount(static_cast<int>(shown.size()));
    ListPick.Select(0);
}

void TFormQuickPick::MoveSelection(WPARAM key) {
    const int count = ListPick.RowCount();
    if (count == 0) return;
    const int page = ListPick.RowsPerPage();
    int row = ListPick.Selected();
    switch (key) {
        case VK_UP:
            row = row <= 0 ? 0 : row - 1;
            break;
        case VK_DOWN:
            row = row < 0 ? 0 : row + 1;
            break;
        case VK_PRIOR:
            row = row - page;
            break;
        case VK_NEXT:
            row = row < 0 ? page - 1 : row + page;
            break;
        case VK_HOME:
            row = 0;
            break;
        case VK_END:
            row = count - 1;
            break;
    }
    ListPick.Select(row < 0 ? 0 : (row >= count ? count - 1 : row));
}

void TFormQuickPick::Pick() {
    const int position = ListPick.Selected();
    const std::vector<int>& shown = FFilter->Shown();
    if (position < 0 || position >= static_cast<int>(shown.size())) return;
    const int row = shown[static_cast<size_t>(position)];
    std::string text;
    try {
        text = FRows.IsRecent(row) ? FRecents.Slot(static_cast<size_t>(FRows.RecentEntry(row)) + 1)
                                   : FLibrary.ItemText(std::string(FRows.Group(row)), std::string(FRows.Name(row)));
    } catch (const std::exception& failure) {
        // Nothing to paste: the box says why, over the window the user was in.
        Finish();
        if (Application) Application->HandleException(failure);
        return;
    }
    EditPickText.SetText(text);
    PutEditTextOnClipboard(Application ? Application->Handle() : Handle(), EditPickText.Handle());
    HWND target = FPrevious;
    const bool paste = FPaste;
    Finish();
    if (paste) PasteInto(target);
}

void TFormQuickPick::Finish() {
    if (FFinished) return;
    FFinished = true;
    // The window the user was in first, while this one still has the
    // foreground to hand on: hidden first, the activation would go to some
    // other window, and Wine's X11 driver would lose the focus to none.
    if (FPrevious && IsWindow(FPrevious)) SetForegroundWindow(FPrevious);
    Hide();
    Release();
}

void TFormQuickPick::DoClose() { Finish(); }

bool TFormQuickPick::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && (msg.hwnd == EditFind.Handle() || msg.hwnd == ListPick.Handle())) {
        if (msg.hwnd == EditFind.Handle() && IsListKey(msg.wParam)) {
            MoveSelection(msg.wParam);
            return true;
        }
        if (msg.wParam == VK_RETURN) {
            Pick();
            return true;
        }
        if (msg.wParam == VK_ESCAPE) {
            Finish();
            return true;
        }
    }
    return TForm::PreTranslateMessage(msg);
}

LRESULT TFormQuickPick::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A click into another window closes it, as a menu would close.
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && !FFinished && IsWindowVisible(Handle())) {
        FFinished = true;
        Hide();
        Release();
        return 0;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}

}  // namespace pastimo
