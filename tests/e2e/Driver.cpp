#include "tests/e2e/Driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace e2e {

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                                          static_cast<int>(wide.size()));
    wide.resize(units > 0 ? static_cast<size_t>(units) : 0);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3 + 1, '\0');
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                          static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
    return utf8;
}

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

struct TopLevelSearch {
    DWORD pid;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid) return TRUE;
    if (search->className && ClassOf(window) != search->className) return TRUE;
    if (search->caption && Program::Caption(window) != search->caption) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

struct ChildSearch {
    const char* className;
    int width, height;  // at the program's DPI
    int slack;          // pixels either way: a size scaled from 96 DPI is rounded
    const std::string* text;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (_stricmp(ClassOf(window).c_str(), search->className) != 0) return TRUE;
    if (search->text) {
        if (Program::Caption(window) != *search->text) return TRUE;
    } else {
        RECT rect;
        GetWindowRect(window, &rect);
        if (std::abs(rect.right - rect.left - search->width) > search->slack ||
            std::abs(rect.bottom - rect.top - search->height) > search->slack)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

void DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path + L"\\");
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

HWND FocusOf(HWND programWindow) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(programWindow, nullptr), &info);
    return info.hwndFocus;
}

HWND ActiveOf(HWND programWindow) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(programWindow, nullptr), &info);
    return info.hwndActive;
}

void UnixShell(const std::string& command) {
    // A Unix program started from here hands back no usable process handle
    // under Wine: it leaves a file behind when it is done.
    static int runs = 0;
    const std::string done =
        "/tmp/pastimo-shell-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    std::string line = "/bin/sh -c \"" + command + "; touch " + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot run: " + command);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const std::string marker = "Z:" + done;
    if (!WaitUntil([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000))
        throw std::runtime_error("did not finish: " + command);
    DeleteFileA(marker.c_str());
}

void XdoTool(const std::string& arguments) { UnixShell("xdotool " + arguments); }

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) throw std::runtime_error("not under Wine: no Unix path for " + windowsPath);
    char* unix = toUnix(Wide(windowsPath).c_str());
    if (!unix) throw std::runtime_error("no Unix path for " + windowsPath);
    std::string path(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

OtherWindow::OtherWindow(const char* title, const RECT& place) {
    static const ATOM windowClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PastimoTestOtherWindow";
        return RegisterClassA(&wc);
    }();
    FWindow = CreateWindowExA(0, MAKEINTATOM(windowClass), title, WS_POPUP | WS_VISIBLE | WS_BORDER, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string BuiltExecutable() {
    std::string path = "Z:" PASTIMO_EXE;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof(name), "%spastimo-e2e-%lu-%d\\", temp, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            FPath = name;
            return;
        }
    }
}

TempFolder::~TempFolder() { DeleteTree(Wide(FPath)); }

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) throw std::runtime_error("cannot make " + path);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

static bool OpenClipboardPatiently() {
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000);
}

std::string ClipboardText() {
    if (!OpenClipboardPatiently()) throw std::runtime_error("clipboard stays busy");
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return Utf8(text);
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

void SetClipboardText(const std::string& text) {
    if (!OpenClipboardPatiently()) throw std::runtime_error("clipboard stays busy");
    EmptyClipboard();
    const std::wstring wide = Wide(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(memory));
    memcpy(units, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// --- Program

Program::Program(const std::string& folder, bool copyExecutable) {
    const std::string exe = folder + "pastimo.exe";
    if (copyExecutable && !CopyFileA(BuiltExecutable().c_str(), exe.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + BuiltExecutable());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &FInfo))
        throw std::runtime_error("cannot start " + exe);
}

Program::~Program() {
    if (!FInfo.hProcess) return;
    if (Running()) {
        // Answer any box first: a modal box would keep the window from closing.
        for (int i = 0; i < 5; ++i) {
            if (HWND box = MessageBoxNow()) PressOk(box);
        }
        if (HWND main = FMain ? FMain : MainWindow(0)) PostMessageA(main, WM_CLOSE, 0, 0);
        if (!WaitForExit(5000)) {
            for (int i = 0; i < 5; ++i) {
                if (HWND box = MessageBoxNow()) PressOk(box);
            }
            if (!WaitForExit(3000)) TerminateProcess(FInfo.hProcess, 1);
        }
    }
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

bool Program::Running() const { return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitForExit(DWORD milliseconds) {
    return WaitForSingleObject(FInfo.hProcess, milliseconds) == WAIT_OBJECT_0;
}

HWND Program::MainWindow(DWORD milliseconds) {
    if (FMain && IsWindow(FMain)) return FMain;
    // The main window may be hidden: look for it by class and caption.
    WaitUntil(
        [&] {
            FMain = FindWindowA("TForm1", "Varnel Pastimo");
            DWORD pid = 0;
            if (FMain) GetWindowThreadProcessId(FMain, &pid);
            if (pid != FInfo.dwProcessId) FMain = nullptr;
            if (!FMain) {
                // Another instance may own the first match: walk all of them.
                HWND candidate = nullptr;
                while ((candidate = FindWindowExA(nullptr, candidate, "TForm1", "Varnel Pastimo"))) {
                    GetWindowThreadProcessId(candidate, &pid);
                    if (pid == FInfo.dwProcessId) {
                        FMain = candidate;
                        break;
                    }
                }
            }
            return FMain != nullptr;
        },
        milliseconds);
    return FMain;
}

HWND Program::WaitForMessageBox(DWORD milliseconds) const {
    TopLevelSearch search{FInfo.dwProcessId, "#32770", nullptr, nullptr};
    WaitUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        milliseconds);
    return search.found;
}

std::string Program::MessageBoxText(HWND box) {
    // The message is the box's Static child that holds text (the icon's has none).
    std::string text;
    HWND child = nullptr;
    while ((child = FindWindowExA(box, child, "Static", nullptr))) {
        const std::string candidate = Caption(child);
        if (!candidate.empty()) text = candidate;
    }
    return text;
}

std::string Program::Caption(HWND window) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(window, buffer, 4096);
    return Utf8(buffer);
}

void Program::PressOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (ok)
        PostMessageA(ok, BM_CLICK, 0, 0);
    else
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

void Program::Sync() {
    HWND main = MainWindow();
    static const UINT message = RegisterWindowMessageA("Pastimo.Sync");
    const LPARAM mark = ++FSyncCount;
    PostMessageA(main, message, 0, mark);
    WaitUntil([&] { return reinterpret_cast<LPARAM>(GetPropA(main, "Pastimo.Sync")) == mark; }, 10000);
}

int Program::Dpi() {
    // The client area is 519 pixels wide at 96 DPI and scaled with the rest.
    RECT client{};
    GetClientRect(MainWindow(), &client);
    return client.right > 0 ? (client.right * 96 + 519 / 2) / 519 : 96;
}

HWND Program::Control(const char* className, int width, int height) {
    const int dpi = Dpi();
    ChildSearch search{className, MulDiv(width, dpi, 96), MulDiv(height, dpi, 96), dpi == 96 ? 0 : 1, nullptr, nullptr};
    EnumChildWindows(MainWindow(), FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::ControlByText(const char* className, const std::string& text) {
    ChildSearch search{className, 0, 0, 0, &text, nullptr};
    EnumChildWindows(MainWindow(), FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Program::ClickNoSync(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void Program::Click(HWND button) {
    ClickNoSync(button);
    Sync();
}

void Program::SelectNoSync(HWND listBox, int index) {
    SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(GetParent(listBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(listBox), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(listBox));
}

void Program::Select(HWND listBox, int index) {
    SelectNoSync(listBox, index);
    Sync();
}

void Program::SetText(HWND control, const std::string& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

std::string Program::Text(HWND control) {
    const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    return Utf8(text);
}

std::vector<std::string> Program::Rows(HWND listBox) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // The wide form converts across processes; room for any row.
        std::wstring wide(8192, L'\0');
        const LRESULT length =
            SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&wide[0]));
        wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
        rows.push_back(Utf8(wide));
    }
    return rows;
}

int Program::Selected(HWND listBox) { return static_cast<int>(SendMessageA(listBox, LB_GETCURSEL, 0, 0)); }

void Program::Focus(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void Program::PostKey(HWND control, WORD virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
    PostMessageA(control, WM_KEYDOWN, virtualKey, 1 | scan);
    PostMessageA(control, WM_KEYUP, virtualKey, 1 | scan | 0xC0000000);
    Sync();
}

void Program::TypeKeys(HWND window, const std::string& keys) {
    RECT rect;
    GetWindowRect(window, &rect);
    // Screen coordinates under Wine are the X server's.
    XdoTool("mousemove " + std::to_string((rect.left + rect.right) / 2) + " " +
            std::to_string((rect.top + rect.bottom) / 2) + " sleep 0.2 key --delay 60 " + keys);
    Sync();
}

void Program::Menu(int id) { PostMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Program::Close() { PostMessageA(MainWindow(), WM_CLOSE, 0, 0); }

void Program::ShowPage(int index) {
    HWND tabs = nullptr;
    HWND child = nullptr;
    while (!tabs && (child = FindWindowExA(MainWindow(), child, WC_TABCONTROLA, nullptr))) tabs = child;
    if (!tabs) throw std::runtime_error("no tab control");
    // The tab's rectangle must be asked for with memory of the program's own.
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, FInfo.dwProcessId);
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
    RECT rect{};
    SIZE_T read = 0;
    ReadProcessMemory(process, remote, &rect, sizeof(rect), &read);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(tabs, WM_LBUTTONUP, 0, point);
    Sync();
}

}  // namespace e2e
