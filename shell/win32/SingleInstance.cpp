#include "shell/win32/SingleInstance.h"

#include "toolkit/win32/Wide.h"
#include "toolkit/win32/Window.h"

#include <cstdio>

namespace pastimo {
namespace {

constexpr const wchar_t* kMainWindowClass = L"TForm1";
constexpr const wchar_t* kInstanceProperty = L"Pastimo.Instance";
// A guard this start cannot open (an elevated copy made it): how long to look
// for that copy's window before giving up.
constexpr DWORD kLookForForeignCopyMs = 10000;

// The event of the copy that serves in this process, reset when it withdraws.
HANDLE servingReady = nullptr;

// The folder as the file system knows it: its volume and its file identity,
// the same through a junction, a symbolic link, a subst or mapped drive and
// its UNC path. Where that cannot be read, the path itself, as Windows
// compares paths: without regard to case, the long form of a short (8.3) name.
std::wstring FolderIdentity(const std::string& programFolder) {
    std::wstring folder = Wide(programFolder);
    HANDLE handle = CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info{};
        const BOOL read = GetFileInformationByHandle(handle, &info);
        CloseHandle(handle);
        if (read && (info.nFileIndexHigh || info.nFileIndexLow)) {
            wchar_t identity[64];
            swprintf(identity, 64, L"%08lX:%08lX%08lX", info.dwVolumeSerialNumber, info.nFileIndexHigh,
                     info.nFileIndexLow);
            return identity;
        }
    }
    std::wstring longForm(32768, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), &longForm[0], static_cast<DWORD>(longForm.size()));
    if (length > 0 && length < longForm.size()) folder.assign(longForm.c_str(), length);
    CharUpperBuffW(&folder[0], static_cast<DWORD>(folder.size()));
    return folder;
}

// FNV-1a over the identity's UTF-16 units: a name Windows takes for a mutex
// (no backslashes, bounded length), and a value a window property can hold.
uint32_t Fingerprint(const std::wstring& identity) {
    uint32_t hash = 2166136261u;
    for (wchar_t unit : identity) {
        hash ^= static_cast<uint16_t>(unit);
        hash *= 16777619u;
    }
    return hash;
}

std::wstring ObjectName(const wchar_t* kind, uint32_t fingerprint) {
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Pastimo.%ls%08lX", kind, static_cast<unsigned long>(fingerprint));
    return name;
}

// Lets a message through to a window of a higher integrity level (a copy run
// as administrator), where the system has such a filter (Windows 7 and later).
void AllowMessageFromAnyone(HWND window, UINT message) {
    using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter = reinterpret_cast<FilterFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (filter) filter(window, message, kAllow, nullptr);
}

struct Search {
    HANDLE fingerprint;
    HWND found;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsOfClass(window, kMainWindowClass)) return TRUE;
    if (GetPropW(window, kInstanceProperty) != search->fingerprint) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& programFolder) {
    FFingerprint = Fingerprint(FolderIdentity(programFolder));
    // Owned from the start: a later start can wait for it to be let go.
    FMutex = CreateMutexW(nullptr, TRUE, ObjectName(L"", FFingerprint).c_str());
    const DWORD error = GetLastError();
    if (!FMutex && error == ERROR_ACCESS_DENIED) {
        // A copy with more rights (run as administrator) made the guard:
        // another copy runs. Waiting for it needs no more than this.
        FMutex = OpenMutexW(SYNCHRONIZE, FALSE, ObjectName(L"", FFingerprint).c_str());
        FFirst = false;
    } else if (FMutex && error == ERROR_ALREADY_EXISTS) {
        FFirst = false;
    }
    // Without a guard at all (the call failed otherwise) the program runs as
    // it always did.
    FReady = CreateEventW(nullptr, TRUE, FALSE, ObjectName(L"Ready.", FFingerprint).c_str());
    if (!FReady) FReady = OpenEventW(SYNCHRONIZE, FALSE, ObjectName(L"Ready.", FFingerprint).c_str());
}

SingleInstance::~SingleInstance() {
    if (servingReady == FReady) servingReady = nullptr;
    if (FReady) CloseHandle(FReady);
    if (FMutex) {
        if (FFirst) ReleaseMutex(FMutex);
        CloseHandle(FMutex);
    }
}

UINT SingleInstance::ShowRequest() {
    static const UINT message = RegisterWindowMessageW(L"Pastimo.ShowWindow");
    return message;
}

void SingleInstance::Serve(HWND mainWindow) {
    SetPropW(mainWindow, kInstanceProperty, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(FFingerprint)));
    AllowMessageFromAnyone(mainWindow, ShowRequest());
    servingReady = FReady;
    if (FReady) SetEvent(FReady);
}

void SingleInstance::Withdraw(HWND mainWindow) {
    if (servingReady) ResetEvent(servingReady);
    RemovePropW(mainWindow, kInstanceProperty);
}

bool SingleInstance::WaitForTurn() {
    if (FFirst) return true;
    const DWORD start = GetTickCount();
    for (;;) {
        if ((!FReady || WaitForSingleObject(FReady, 0) == WAIT_OBJECT_0) && AskFirstToShow()) return false;
        if (!FMutex) {
            // Nothing to wait on: look for the other copy's window a while.
            if (GetTickCount() - start >= kLookForForeignCopyMs) return false;
            Sleep(100);
            continue;
        }
        // The first copy's window becomes ready, or the copy ends (its guard
        // let go or abandoned with its process). A window that is ready but
        // gone means the copy is ending: look again a little later.
        HANDLE handles[] = {FMutex, FReady};
        const bool ready = FReady && WaitForSingleObject(FReady, 0) == WAIT_OBJECT_0;
        const DWORD woken =
            ready || !FReady ? WaitForSingleObject(FMutex, 100) : WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_ABANDONED_0) {
            FFirst = true;
            return true;
        }
        if (woken == WAIT_FAILED) return false;
    }
}

bool SingleInstance::AskFirstToShow() const {
    Search search{reinterpret_cast<HANDLE>(static_cast<uintptr_t>(FFingerprint)), nullptr};
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    // The user asked for the window: the first copy may take the foreground.
    DWORD process = 0;
    GetWindowThreadProcessId(search.found, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(search.found, ShowRequest(), 0, 0) != FALSE;
}

}  // namespace pastimo
