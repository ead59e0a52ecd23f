#include "shell/win32/SingleInstance.h"

#include <cstdio>

#include "toolkit/win32/Wide.h"
#include "toolkit/win32/Window.h"

namespace pastimo {
namespace {

constexpr const wchar_t* kMainWindowClass = L"TForm1";
constexpr const wchar_t* kInstanceProperty = L"Pastimo.Instance";
constexpr DWORD kWaitForFirstMs = 2000;

// The same folder however it was written: Windows compares paths without
// regard to case, and a short (8.3) name is the same folder as its long one.
std::wstring FolderIdentity(const std::string& programFolder) {
    std::wstring folder = Wide(programFolder);
    std::wstring longForm(32768, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), &longForm[0], static_cast<DWORD>(longForm.size()));
    if (length > 0 && length < longForm.size()) folder.assign(longForm.c_str(), length);
    CharUpperBuffW(&folder[0], static_cast<DWORD>(folder.size()));
    return folder;
}

// FNV-1a over the folder's UTF-16 units: a name Windows takes for a mutex
// (no backslashes, bounded length), and a value a window property can hold.
uint32_t Fingerprint(const std::wstring& folder) {
    uint32_t hash = 2166136261u;
    for (wchar_t unit : folder) {
        hash ^= static_cast<uint16_t>(unit);
        hash *= 16777619u;
    }
    return hash;
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
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Pastimo.%08lX", static_cast<unsigned long>(FFingerprint));
    FMutex = CreateMutexW(nullptr, FALSE, name);
    // Without a mutex (the call failed) the program runs as it always did.
    FFirst = !(FMutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

SingleInstance::~SingleInstance() {
    if (FMutex) CloseHandle(FMutex);
}

UINT SingleInstance::ShowRequest() {
    static const UINT message = RegisterWindowMessageW(L"Pastimo.ShowWindow");
    return message;
}

void SingleInstance::Serve(HWND mainWindow) const {
    SetPropW(mainWindow, kInstanceProperty, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(FFingerprint)));
}

void SingleInstance::Withdraw(HWND mainWindow) { RemovePropW(mainWindow, kInstanceProperty); }

bool SingleInstance::AskFirstToShow() const {
    Search search{reinterpret_cast<HANDLE>(static_cast<uintptr_t>(FFingerprint)), nullptr};
    const DWORD start = GetTickCount();
    for (;;) {
        EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        if (GetTickCount() - start >= kWaitForFirstMs) return false;
        Sleep(50);
    }
    // The user asked for the window: the first copy may take the foreground.
    DWORD process = 0;
    GetWindowThreadProcessId(search.found, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(search.found, ShowRequest(), 0, 0) != FALSE;
}

}  // namespace pastimo
