#include "shell/win32/Unit1.h"

#include "library/FileSystem.h"
#include "resources/MainWindowLayout.h"
#include "shell/HotkeyOption.h"
#include "shell/StartUpPlan.h"
#include "shell/options/Options.h"
#include "shell/win32/About.h"
#include "shell/win32/InformationBox.h"
#include "shell/win32/ProgramFiles.h"
#include "shell/win32/QuickPick.h"
#include "shell/win32/SingleInstance.h"
#include "toolkit/Errors.h"
#include "toolkit/win32/Application.h"
#include "tray/VXTray95.h"
#include "tray/win32/Win32TraySeams.h"

#include <commctrl.h>

namespace pastimo {

std::string ProgramFolder;
bool CaptureEnabled = false;
bool AutoMinimizeEnabled = false;
int RunCount = 0;
TForm1* Form1 = nullptr;

namespace {

enum MenuItem : int {
    kExit1 = 101,
    kAbout1,
};

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    CreateMenu();
    CreateArgs args;
    args.className = L"TForm1";
    args.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    args.owner = Application->Handle();
    args.menu = MainMenu1;
    args.iconName = L"MAINICON";
    CreateFromLayout(args, kMainWindowLayout,
                     {{kPageControl1, PageControl1},
                      {kButtonDeleteGroup, ButtonDeleteGroup},
                      {kListBox1, ListBox1},
                      {kListBoxItems, ListBoxItems},
                      {kButtonAddGroup, ButtonAddGroup},
                      {kEditAddCategory, EditAddCategory},
                      {kEditNewItem, EditNewItem},
                      {kMemoNewItem, MemoNewItem},
                      {kButtonAddNewItem, ButtonAddNewItem},
                      {kButtonSaveChanged, ButtonSaveChanged},
                      {kButton3, Button3},
                      {kCheckAutoMinimize, CheckAutoMinimize},
                      {kButton2, Button2},
                      {kListBoxRecentList, ListBoxRecentList},
                      {kMemoClipText, MemoClipText},
                      {kButton1, Button1},
                      {kCheckCaptureClip2, CheckCaptureClip2},
                      {kMemo1, Memo1}});
    Memo1.SetText(LoadHelpText());
    FTrayImage = LoadIconForDpi(L"MAINICON", SM_CXSMICON);
    FGroupsView = std::make_unique<MyGroupsView>(
        MyGroupsControls{ListBox1, ListBoxItems, EditAddCategory, EditNewItem, MemoNewItem, ButtonSaveChanged},
        [this] { ButtonMinimize(); }, [] { return AutoMinimizeEnabled; });
    FRecentView = std::make_unique<RecentEntriesView>(ListBoxRecentList, MemoClipText, [] { return CaptureEnabled; });
    FClipboard = std::make_unique<SystemClipboard>(Application->Handle());
    FRecentPage = std::make_unique<RecentPage>(*FRecentView, *FClipboard);
    // Made before the handlers are wired, so that none of them can meet a
    // store or page that does not exist yet; nothing is read until FormCreate.
    FStore = std::make_unique<LibraryStore>(ExecutableFolder());
    FGroupsPage = std::make_unique<GroupsPage>(*FStore, *FGroupsView);
    ConnectEvents();
    CreateTrayIcon();
}

TForm1::~TForm1() {
    // The window goes first, while this is still a TForm1: its WM_DESTROY runs
    // FormDestroy, which a base-class destructor could no longer reach.
    DestroyHandle();
    DestroyComponents();
    if (FTrayImage) DestroyIcon(FTrayImage);
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateMenu() {
    MainMenu1 = ::CreateMenu();
    HMENU file1 = CreatePopupMenu();
    AppendMenuW(file1, MF_STRING, kExit1, L"E&xit");
    AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(file1), L"&File");
    AppendMenuW(MainMenu1, MF_STRING, kAbout1, L"A&bout");
}

void TForm1::ConnectEvents() {
    PageControl1.OnChange = [this] {
        // The default button belongs to "My Groups": on the other pages Enter
        // must not minimise.
        Button3.SetVisible(PageControl1.ActivePage() == kMyGroupsPage);
        ShowDefaultButton(DefaultButton());
    };
    ListBox1.OnClick = [this] { FGroupsPage->ListBox1Click(); };
    ListBoxItems.OnClick = [this] { FGroupsPage->ListBoxItemsClick(); };
    EditNewItem.OnEnter = [this] { FGroupsPage->EditNewItemEnter(); };
    MemoNewItem.OnEnter = [this] { FGroupsPage->EditNewItemEnter(); };
    EditAddCategory.OnClick = [this] { FGroupsPage->EditAddCategoryClick(); };
    ButtonAddGroup.OnClick = [this] { FGroupsPage->ButtonAddGroupClick(); };
    ButtonDeleteGroup.OnClick = [this] { FGroupsPage->ButtonDeleteGroupClick(); };
    ButtonAddNewItem.OnClick = [this] { FGroupsPage->ButtonAddNewItemClick(); };
    ButtonSaveChanged.OnClick = [this] { FGroupsPage->ButtonSaveChangedClick(); };
    Button2.OnClick = [this] { FGroupsPage->Button2Click(); };
    Button3.OnClick = [this] { ButtonMinimize(); };
    CheckAutoMinimize.OnClick = [this] { CheckAutoMinimizeClick(); };
    ListBoxRecentList.OnClick = [this] { FRecentPage->ListBoxRecentListClick(); };
    Button1.OnClick = [this] { FRecentPage->Button1Click(); };
    CheckCaptureClip2.OnClick = [this] { CheckCaptureClip2Click(); };
}

void TForm1::ShowPage(int page) { PageControl1.SetActivePage(page); }

void TForm1::CreateTrayIcon() {
    // As the window's stored layout sets it up; FormCreate makes it active.
    VXTray = new TVXTrayIcon95(this, Win32TrayEnvironment(FTrayApplication));
    VXTray->BeginLoad();
    VXTray->SetIcon(reinterpret_cast<THandle>(FTrayImage));
    VXTray->SetAutoPopup(true);
    VXTray->SetHint("Pastimo - Click");
    VXTray->SetOptions({toMinimizeToTray});
    VXTray->OnClick = [this](TComponent*) { VXTrayClick(); };
    VXTray->OnDblClick = [this](TComponent*) { VXTrayClick(); };
    VXTray->AfterLoad();
}

// The notification area shows small icons: at a new resolution the picture
// is drawn again at that size (the tray keeps a copy of its own).
void TForm1::DpiChanged() {
    HICON image = LoadIconForDpi(L"MAINICON", SM_CXSMICON);
    if (!image) return;
    if (VXTray) VXTray->SetIcon(reinterpret_cast<THandle>(image));
    if (FTrayImage) DestroyIcon(FTrayImage);
    FTrayImage = image;
}

void TForm1::ShowTrayIcon() {
    if (VXTray) VXTray->ShowIcon();
}

// --- start-up and shut-down

void TForm1::FormCreate() {
    ProgramFolder = ExecutableFolder();
    ShowPage(kMyGroupsPage);
    const StartUpPlan plan = PlanStartUp(ProgramFolder);
    RunCount = plan.runCount;
    if (plan.showFirstRunBox) ShowInformationBox(kFirstRunMessage);

    // Setting a box runs its click handler, which writes a true value back.
    CaptureEnabled = plan.captureEnabled;
    CheckCaptureClip2.SetChecked(CaptureEnabled);
    AutoMinimizeEnabled = plan.autoMinimizeEnabled;
    CheckAutoMinimize.SetChecked(AutoMinimizeEnabled);
    RegisterHotkeys(plan.showHotkey, plan.pickHotkey);

    FClipViewer.Join(Handle());

    ShowWindow(Application->Handle(), SW_HIDE);
    ShowWindow(Handle(), SW_HIDE);
    Application->ShowMainForm = false;

    // None of these fails: a group list that cannot be read loads empty, and
    // a data folder that cannot be made or tidied is left as it is.
    FGroupsPage->LoadGroups();
    FStore->EnsureDataFolder();
    FStore->RemoveLeftoverTemporaryFiles();

    if (VXTray) VXTray->SetAutoPopup(false);
    ShowTrayIcon();

    if (plan.showWindow) {
        Application->ShowMainForm = true;
        Show();
        Application->Restore();
        ShowPage(plan.shownPage);
    }
}

// The whole teardown, on WM_DESTROY of the window (File, Exit, or the
// application ending), in this order:
// 1. take no more requests from outside: a later start then runs as the
//    first copy instead of asking this one to show itself;
// 2. give back the hotkeys while the window they belong to still exists;
// 3. leave the clipboard-viewer chain, so the next viewer is linked to the
//    one before and no notice is lost (FormDestroy).
// The tray icon goes after the window, with the form's components
// (~TForm1), and the program ends because its main window is gone.
void TForm1::DoDestroy() {
    RemovePropW(Handle(), kSyncMessageName);
    SingleInstance::Withdraw(Handle());
    FShowHotkey.reset();
    FPickHotkey.reset();
    FormDestroy();
}

void TForm1::FormDestroy() { FClipViewer.Leave(); }

void TForm1::Exit1Click() {
    Close();
    Release();
}

void TForm1::About1Click() {
    FormAbout = new TFormAbout(nullptr);
    FormAbout->ShowModal();
}

void TForm1::ButtonMinimize() {
    Application->Minimize();
    ShowTrayIcon();
}

void TForm1::VXTrayClick() {
    // Making a visible window visible changes nothing: a window that is up
    // but covered stays where it is (the restore below does nothing either
    // unless the window was minimised to the tray).
    if (!Visible()) Show();
    Application->Restore();
}

void TForm1::RegisterHotkeys(const HotkeyOption& show, const HotkeyOption& pick) {
    // A hotkey that cannot be read or had stops nothing: the program runs
    // without it, and the Help page's first line says why.
    FShowHotkey = std::make_unique<GlobalHotkey>(Handle(), show);
    FPickHotkey = std::make_unique<GlobalHotkey>(Handle(), pick);
    std::string problems;
    for (const GlobalHotkey* hotkey : {FShowHotkey.get(), FPickHotkey.get()}) {
        if (!hotkey->Problem().empty()) problems += hotkey->Problem() + "\r\n";
    }
    if (!problems.empty()) Memo1.SetText(problems + "\r\n" + LoadHelpText());
}

void TForm1::OpenQuickPick() {
    if (FormQuickPick) {
        FormQuickPick->Reopen();
        return;
    }
    if (!FQuickPickLibrary) FQuickPickLibrary = std::make_unique<QuickPickLibrary>(ProgramFolder);
    // An options file that cannot be read gives the default, as for the others.
    const bool paste = LoadOption(ProgramFolder, kPasteOption);
    HWND previous = GetForegroundWindow();
    auto* window = new TFormQuickPick(*FQuickPickLibrary, FRecentPage->Entries(), previous, paste);
    window->Open();
}

void TForm1::ShowInFront() {
    VXTrayClick();
    SetForegroundWindow(Handle());
}

void TForm1::CheckAutoMinimizeClick() {
    AutoMinimizeEnabled = CheckAutoMinimize.Checked();
    try {
        StoreOption(ProgramFolder, kAutoMinimizeOption, AutoMinimizeEnabled);
    } catch (const std::exception&) {
        IgnoreFailure("auto-minimize holds for this run; the options file keeps the old value");
    }
}

// --- clipboard capture

void TForm1::WMDrawClipboard(WPARAM wParam, LPARAM lParam) {
    FClipViewer.ForwardDrawClipboard(wParam, lParam);
    FRecentPage->ClipboardChanged();
}

void TForm1::WMChangeCBChain(WPARAM wParam, LPARAM lParam) { FClipViewer.ChangeChain(wParam, lParam); }

void TForm1::CheckCaptureClip2Click() {
    CaptureEnabled = CheckCaptureClip2.Checked();
    try {
        StoreOption(ProgramFolder, kCaptureOption, CaptureEnabled);
    } catch (const std::exception&) {
        IgnoreFailure("capture holds for this run; the options file keeps the old value");
    }
}

// --- the window

bool TForm1::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
        (msg.wParam == VK_TAB || msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR) &&
        (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd))) {
        const bool back = msg.wParam == VK_PRIOR || (msg.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
        const int pages = kHelpPage + 1;
        ShowPage((PageControl1.ActivePage() + (back ? pages - 1 : 1)) % pages);
        // The focus goes with the page: to its tab, as after a click on it.
        SetFocus(PageControl1.Handle());
        return true;
    }
    return TForm::PreTranslateMessage(msg);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Posted by tools that drive the window from outside (automation, tests):
    // once it is handled, everything posted before it has been handled too.
    static const UINT syncMessage = RegisterWindowMessageW(kSyncMessageName);
    if (message == syncMessage) {
        SetPropW(Handle(), kSyncMessageName, reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    if (message == SingleInstance::ShowRequest()) {
        ShowInFront();
        return 0;
    }
    switch (message) {
        case WM_DRAWCLIPBOARD:
            WMDrawClipboard(wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            WMChangeCBChain(wParam, lParam);
            return 0;
        case WM_HOTKEY:
            if (FShowHotkey && static_cast<int>(wParam) == FShowHotkey->Id()) ShowInFront();
            if (FPickHotkey && static_cast<int>(wParam) == FPickHotkey->Id()) OpenQuickPick();
            return 0;
        case DM_GETDEFID:
            // Enter presses "&Minimize", but only where it can be seen.
            if (PageControl1.ActivePage() == kMyGroupsPage) return MAKELRESULT(kButton3, DC_HASDEFID);
            return 0;
        case WM_SYSCOMMAND:
            // The title bar's minimise button minimises the whole application.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                Application->Minimize();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (lParam == 0) {
                switch (LOWORD(wParam)) {
                    case kExit1:
                        Exit1Click();
                        return 0;
                    case kAbout1:
                        About1Click();
                        return 0;
                    case kButton3:
                        // The default button, pressed through the keyboard.
                        if (PageControl1.ActivePage() == kMyGroupsPage) Button3.Click();
                        return 0;
                }
            }
            break;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}

}  // namespace pastimo
