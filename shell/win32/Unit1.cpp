#include "shell/win32/Unit1.h"

#include <commctrl.h>

#include "capture/win32/Clipboard.h"
#include "library/FileSystem.h"
#include "resources/MainWindowLayout.h"
#include "resources/resource_ids.h"
#include "shell/win32/About.h"
#include "shell/LaunchCounter.h"
#include "shell/options/Options.h"
#include "toolkit/win32/Application.h"

#include "tray/VXTray95.h"
#include "tray/win32/TrayWin32.h"

namespace pastimo {

// The application object as the tray icon sees it.
class Win32TrayApplication : public TrayApplication {
public:
    uint32_t Handle() override { return HandleValue(Application->Handle()); }
    void Minimize() override { Application->Minimize(); }
    void Restore() override { Application->Restore(); }
    void SetMinimizeHook(std::function<void()> hook) override { Application->OnMinimize = std::move(hook); }
    void SetRestoreHook(std::function<void()> hook) override { Application->OnRestore = std::move(hook); }
    void ShowMainForm() override {
        if (TForm* form = Application->MainForm()) form->Show();
    }
    uint32_t MainFormHandle() override {
        TForm* form = Application->MainForm();
        return form ? HandleValue(form->Handle()) : 0;
    }
    void ProcessMessages() override { Application->ProcessMessages(); }
    void ReportException(const std::exception& failure) override { Application->HandleException(failure); }

private:
    // Window handles are 32-bit values in this 32-bit program.
    static uint32_t HandleValue(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }
};

}  // namespace pastimo

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

// The help text is kept in the resources with LF line ends; the field wants CR LF.
std::string LoadHelpText() {
    HINSTANCE instance = Application->Instance();
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_HELPTEXT), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(instance, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    const DWORD size = SizeofResource(instance, found);
    std::string text;
    text.reserve(size + 128);
    for (DWORD i = 0; i < size; ++i) {
        if (bytes[i] == '\r') continue;
        if (bytes[i] == '\n') text += "\r\n";
        else text += bytes[i];
    }
    // No line break after the last line.
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

}  // namespace

std::string ExecutableFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    // Everything up to and including the last backslash or colon.
    const size_t cut = full.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : full.substr(0, cut + 1);
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    FIcon = LoadIconW(Application->Instance(), L"MAINICON");
    CreateMenu();
    CreateArgs args;
    args.className = L"TForm1";
    args.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    args.owner = Application->Handle();
    args.menu = MainMenu1;
    args.icon = FIcon;
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
    FStore = std::make_unique<LibraryStore>(ExecutableFolder());
    FGroupsPage = std::make_unique<GroupsPage>(*FStore, *static_cast<GroupsPageView*>(this), AutoMinimizeEnabled);
    ConnectEvents();
    CreateTrayIcon();
}

TForm1::~TForm1() {
    // The window goes first, while this is still a TForm1: its WM_DESTROY runs
    // FormDestroy, which a base-class destructor could no longer reach.
    DestroyHandle();
    DestroyComponents();
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
    ListBoxRecentList.OnClick = [this] { ListBoxRecentListClick(); };
    Button1.OnClick = [this] { Button1Click(); };
    CheckCaptureClip2.OnClick = [this] { CheckCaptureClip2Click(); };
}

void TForm1::ShowPage(int page) { PageControl1.SetActivePage(page); }

void TForm1::CreateTrayIcon() {
    // As the window's stored layout sets it up; FormCreate makes it active.
    FTrayApplication = std::make_unique<Win32TrayApplication>();
    VXTray = new TVXTrayIcon95(this, Win32TrayEnvironment(*FTrayApplication));
    VXTray->BeginLoad();
    VXTray->SetIcon(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(FIcon)));
    VXTray->SetAutoPopup(true);
    VXTray->SetHint("Pastimo - Click");
    VXTray->SetOptions({toMinimizeToTray});
    VXTray->OnClick = [this](TComponent*) { VXTrayClick(); };
    VXTray->OnDblClick = [this](TComponent*) { VXTrayClick(); };
    VXTray->AfterLoad();
}

void TForm1::ShowTrayIcon() {
    if (VXTray) VXTray->ShowIcon();
}

// --- start-up and shut-down

void TForm1::FormCreate() {
    ProgramFolder = ExecutableFolder();
    ShowPage(kMyGroupsPage);

    try {
        CountLaunch(PlatformFileSystem(), ProgramFolder + kLaunchCounterFileName, RunCount);
    } catch (const std::exception&) {
        // An unreadable counter counts 0 for this run; a failed store keeps the count made.
    }
    if (RunCount < 3)
        MessageBoxA(nullptr, kFirstRunMessage, "Information", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);

    try {
        CaptureEnabled = LoadOption(ProgramFolder, kCaptureOption);
        CheckCaptureClip2.SetChecked(CaptureEnabled);
        AutoMinimizeEnabled = LoadOption(ProgramFolder, kAutoMinimizeOption);
        CheckAutoMinimize.SetChecked(AutoMinimizeEnabled);
    } catch (const std::exception&) {
    }

    FClipViewer.Join(Handle());

    ShowWindow(Application->Handle(), SW_HIDE);
    ShowWindow(Handle(), SW_HIDE);
    Application->ShowMainForm = false;

    try {
        FGroupsPage->LoadGroups();
    } catch (const std::exception&) {
    }
    try {
        FStore->EnsureDataFolder();
    } catch (const std::exception&) {
    }

    if (VXTray) VXTray->SetAutoPopup(false);
    ShowTrayIcon();

    if (RunCount == 1) {
        Application->ShowMainForm = true;
        Show();
        Application->Restore();
        ShowPage(kHelpPage);
    }
}

void TForm1::DoDestroy() {
    RemovePropA(Handle(), kSyncMessageName);
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
    Show();
    Application->Restore();
}

void TForm1::CheckAutoMinimizeClick() {
    AutoMinimizeEnabled = CheckAutoMinimize.Checked();
    try {
        StoreOption(ProgramFolder, kAutoMinimizeOption, AutoMinimizeEnabled);
    } catch (const std::exception&) {
        // The setting holds for this run; the file keeps the old value.
    }
}

// --- clipboard capture

void TForm1::WMDrawClipboard(WPARAM wParam, LPARAM lParam) {
    FClipViewer.ForwardDrawClipboard(wParam, lParam);
    if (!CaptureEnabled) return;
    // Notices can arrive after the clipboard has changed again (they are not
    // always delivered while the writer waits), so several may find the same
    // contents. One change of the clipboard is one entry: a state already
    // recorded is not recorded again. The same text copied twice is two
    // changes and still gives two entries.
    if (FLastRecordedSequence != 0 && GetClipboardSequenceNumber() == FLastRecordedSequence) return;
    DWORD sequence = 0;
    if (!CaptureClipboard(FRecent, Application->Handle(), ClipboardRetry{}, &sequence)) return;
    FLastRecordedSequence = sequence;
    // The new line goes in at the top and the sixth drops off, so that a
    // selected line keeps its highlight while it moves down.
    const std::vector<std::string>& lines = FRecent.Lines();
    if (!lines.empty()) ListBoxRecentList.Insert(0, lines.front());
    while (ListBoxRecentList.Count() > static_cast<int>(kRecentEntryCount)) ListBoxRecentList.Delete(static_cast<int>(kRecentEntryCount));
}

void TForm1::WMChangeCBChain(WPARAM wParam, LPARAM lParam) { FClipViewer.ChangeChain(wParam, lParam); }

void TForm1::ListBoxRecentListClick() {
    const int selected = ListBoxRecentList.ItemIndex();
    if (selected < 0) return;
    MemoClipText.Clear();
    MemoClipText.SetText(FRecent.ViewerText(static_cast<size_t>(selected)));
}

void TForm1::Button1Click() { PutEditTextOnClipboard(Application->Handle(), MemoClipText.Handle()); }

void TForm1::CheckCaptureClip2Click() {
    CaptureEnabled = CheckCaptureClip2.Checked();
    try {
        StoreOption(ProgramFolder, kCaptureOption, CaptureEnabled);
    } catch (const std::exception&) {
    }
}

// --- the window

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Posted by tools that drive the window from outside (automation, tests):
    // once it is handled, everything posted before it has been handled too.
    static const UINT syncMessage = RegisterWindowMessageA(kSyncMessageName);
    if (message == syncMessage) {
        SetPropA(Handle(), kSyncMessageName, reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    switch (message) {
    case WM_DRAWCLIPBOARD:
        WMDrawClipboard(wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        WMChangeCBChain(wParam, lParam);
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
            case kExit1: Exit1Click(); return 0;
            case kAbout1: About1Click(); return 0;
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

// --- the "My Groups" page as GroupsPage sees it

int TForm1::SelectedGroup() const { return ListBox1.ItemIndex(); }
void TForm1::ShowGroups(const NameList& groups) { ListBox1.Sync(groups.Names()); }
int TForm1::SelectedItem() const { return ListBoxItems.ItemIndex(); }
void TForm1::ShowItems(const NameList& items) { ListBoxItems.Sync(items.Names()); }
std::string TForm1::NewGroupName() const { return EditAddCategory.Text(); }
void TForm1::SetNewGroupName(const std::string& text) { EditAddCategory.SetText(text); }
std::string TForm1::ItemName() const { return EditNewItem.Text(); }
void TForm1::SetItemName(const std::string& text) { EditNewItem.SetText(text); }
std::string TForm1::ItemText() const { return MemoNewItem.Text(); }

void TForm1::SetItemText(const std::string& text) {
    MemoNewItem.SetText(text);
    if (static_cast<size_t>(GetWindowTextLengthA(MemoNewItem.Handle())) != text.size())
        throw Exception("The text is too large for the field");
}

void TForm1::SetItemFieldsEnabled(bool enabled) {
    EditNewItem.SetEnabled(enabled);
    MemoNewItem.SetEnabled(enabled);
}

void TForm1::SetSaveChangedVisible(bool visible) { ButtonSaveChanged.SetVisible(visible); }

void TForm1::ShowInformation(const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), "Information", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

void TForm1::CopyItemTextToClipboard() { PutEditTextOnClipboard(Application->Handle(), MemoNewItem.Handle()); }

void TForm1::MinimizeToTray() { ButtonMinimize(); }

}  // namespace pastimo
