#pragma once
// The main window: its menu, its three pages and their controls, the start-up
// sequence, showing and hiding through the tray icon, the clipboard-viewer
// chain and shut-down. The rules live in GroupsPage, RecentPage and the
// options file; this class holds the handlers that tie them to the window.

#include "capture/RecentPage.h"
#include "capture/win32/Win32ClipChain.h"
#include "library/GroupsPage.h"
#include "library/LibraryStore.h"
#include "quickpick/QuickPickLibrary.h"
#include "shell/StartUpPlan.h"
#include "shell/win32/GlobalHotkey.h"
#include "shell/win32/MyGroupsView.h"
#include "shell/win32/RecentEntriesView.h"
#include "shell/win32/TrayApplicationAdapter.h"
#include "toolkit/win32/Buttons.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/ListBox.h"
#include "toolkit/win32/PageControl.h"

#include <windows.h>

#include <memory>
#include <string>

namespace pastimo {

class TVXTrayIcon95;

// Program-wide state, held for the whole run.
extern std::string ProgramFolder;
extern bool CaptureEnabled;
extern bool AutoMinimizeEnabled;
extern int RunCount;

class TForm1 : public TForm {
public:
    static constexpr const char* kFirstRunMessage =
        "This message will appear the first 2 times you use Pastimo. Pastimo normally runs minimized in the  "
        "background and is accessed from a System Tray icon (down in the corner of your Taskbar, near the "
        "clock). To bring it up, just click the little clipboard icon in the System Tray.";
    // A registered message that the window answers by storing its lParam in
    // the window property of the same name.
    static constexpr const wchar_t* kSyncMessageName = L"Pastimo.Sync";

    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // Handlers of the window itself.
    void FormCreate();
    void FormDestroy();
    void ButtonMinimize();
    void VXTrayClick();
    void CheckAutoMinimizeClick();
    void Exit1Click();
    void About1Click();
    // Asked for by the user from outside the window (the hotkey, a second
    // start): shown as a tray click shows it, and in front.
    void ShowInFront();

    // The clipboard-viewer chain and the "Last Clipboard Entries" page.
    void WMDrawClipboard(WPARAM wParam, LPARAM lParam);
    void WMChangeCBChain(WPARAM wParam, LPARAM lParam);
    void CheckCaptureClip2Click();

    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp switch pages
    // from any control of the window, as in any tabbed window.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDestroy() override;
    void DpiChanged() override;

private:
    void CreateMenu();
    void ConnectEvents();
    void ShowPage(int page);
    void CreateTrayIcon();
    void ShowTrayIcon();
    void RegisterHotkeys(const HotkeyOption& show, const HotkeyOption& pick);
    // The quick-pick window over the window the user is in, or the open one in front.
    void OpenQuickPick();

    HMENU MainMenu1 = nullptr;
    HICON FTrayImage = nullptr;  // the tray icon's picture, at the small size of the form's DPI
    TPageControl PageControl1;
    // "My Groups" (its labels, frame and shape are the form's own)
    TButton ButtonDeleteGroup, Button2, ButtonAddGroup, Button3, ButtonAddNewItem, ButtonSaveChanged;
    TListBox ListBox1, ListBoxItems;
    TEdit EditAddCategory, EditNewItem, MemoNewItem;
    TCheckBox CheckAutoMinimize;
    // "Last Clipboard Entries" (its labels are the form's own)
    TListBox ListBoxRecentList;
    TButton Button1;
    TEdit MemoClipText;
    TCheckBox CheckCaptureClip2;
    // "Help"
    TEdit Memo1;

    std::unique_ptr<LibraryStore> FStore;
    std::unique_ptr<MyGroupsView> FGroupsView;
    std::unique_ptr<GroupsPage> FGroupsPage;
    std::unique_ptr<RecentEntriesView> FRecentView;
    std::unique_ptr<SystemClipboard> FClipboard;
    std::unique_ptr<RecentPage> FRecentPage;
    std::unique_ptr<GlobalHotkey> FShowHotkey;
    std::unique_ptr<GlobalHotkey> FPickHotkey;
    // What the quick-pick window shows of the library, kept between openings
    // so that lists nothing changed are not read again.
    std::unique_ptr<QuickPickLibrary> FQuickPickLibrary;
    ClipboardViewerLink FClipViewer;
    TrayApplicationAdapter FTrayApplication;
    TVXTrayIcon95* VXTray = nullptr;  // not owned: a component of the form, destroyed with it
};

extern TForm1* Form1;

}  // namespace pastimo
