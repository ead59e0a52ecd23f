#include "shell/win32/ProgramFiles.h"

#include "resources/resource_ids.h"
#include "toolkit/win32/Wide.h"

#include <windows.h>

namespace pastimo {

std::string ExecutableFolder() {
    // Long enough for any path the wide API allows.
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::string full = Narrow(path);
    // Everything up to and including the last backslash or colon.
    const size_t cut = full.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : full.substr(0, cut + 1);
}

// Kept in the resources as UTF-8 with LF line ends; the field wants CR LF.
std::string LoadHelpText() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_HELPTEXT), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(instance, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    const DWORD size = SizeofResource(instance, found);
    std::string text;
    text.reserve(size + 128);
    for (DWORD i = 0; i < size; ++i) {
        if (bytes[i] == '\r') continue;
        if (bytes[i] == '\n')
            text += "\r\n";
        else
            text += bytes[i];
    }
    // No line break after the last line.
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

}  // namespace pastimo
