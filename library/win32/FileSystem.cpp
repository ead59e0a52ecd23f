// Win32 file system. Every file is opened with share mode 0, so a file that
// another program has open cannot be read or replaced, and no other program
// sees it half-written; only the shared read lets others read and write
// meanwhile. Paths arrive in UTF-8 and go to the wide API, so a
// name outside the ANSI code page names its own file, not one full of "?".

#include "library/FileSystem.h"

#include "toolkit/win32/Wide.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace pastimo {
namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : FHandle(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return FHandle; }
    bool Close() {
        const HANDLE handle = FHandle;
        FHandle = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle);
    }

private:
    HANDLE FHandle;
};

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

// FILETIME counts 100 ns from 1601; stamps count nanoseconds from 1970.
int64_t Nanoseconds(const FILETIME& time) {
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - 116444736000000000LL) * 100;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

class Win32FileSystem final : public FileSystem {
public:
    bool ReadWholeFile(const std::string& path, std::string& bytes) override { return Read(path, 0, bytes); }

    // As the profile functions open an INI file: a program that holds it
    // open for reading and writing does not keep it from being read.
    bool ReadSharedFile(const std::string& path, std::string& bytes) override {
        return Read(path, FILE_SHARE_READ | FILE_SHARE_WRITE, bytes);
    }

    // The whole file, read through a handle that lets other programs have it
    // open as `shareMode` allows.
    static bool Read(const std::string& path, DWORD shareMode, std::string& bytes) {
        Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file.Valid()) return false;
        LARGE_INTEGER size;
        if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
        std::string result(static_cast<size_t>(size.QuadPart), '\0');
        size_t filled = 0;
        while (filled < result.size()) {
            DWORD read = 0;
            if (!ReadFile(file.Get(), &result[filled], static_cast<DWORD>(result.size() - filled), &read, nullptr))
                return false;
            if (read == 0) break;
            filled += read;
        }
        result.resize(filled);
        bytes.swap(result);
        return true;
    }

    // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-movefileexw
    bool ReplaceWholeFile(const std::string& utf8Path, const std::string& bytes) override {
        const std::wstring path = Wide(utf8Path);
        // A target that another program holds open stays untouched: ask for
        // it with share mode 0 first. A missing target is simply created; any
        // other refusal (a folder of that name, no such folder) is a failure.
        // Windows refuses to replace a read-only file; Wine does not, so
        // ask the attributes to get the same answer on both.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
        {
            Handle probe(
                CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!probe.Valid() && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        }

        // "~pm" and ".tmp", as IsTemporaryFileName knows them. The name is
        // written into a MAX_PATH buffer: Windows refuses a folder longer
        // than MAX_PATH - 14, and Wine, which takes one, would write past it.
        const std::wstring folder = FolderOf(path);
        if (folder.size() > MAX_PATH - 14) return false;
        wchar_t temp[MAX_PATH];
        if (!GetTempFileNameW(folder.c_str(), L"~pm", 0, temp)) return false;
        bool written;
        {
            Handle out(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            written = out.Valid() && WriteAll(out.Get(), bytes) && FlushFileBuffers(out.Get());
            written = out.Close() && written;
        }
        if (!written || !MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileW(temp);
            return false;
        }
        return true;
    }

    bool CreateFolder(const std::string& path) override {
        return CreateDirectoryW(Wide(path).c_str(), nullptr) != FALSE;
    }

    bool RemoveFile(const std::string& path) override { return DeleteFileW(Wide(path).c_str()) != FALSE; }

    bool Exists(const std::string& path) override {
        return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool IsFolder(const std::string& path) override {
        const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    // https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-findfirstfilew
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        std::wstring pattern = Wide(folder);
        if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != L'/')) pattern += L'\\';
        pattern += L'*';
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        std::vector<FolderEntry> listed;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            listed.push_back({Narrow(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileW(search, &found));
        const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(search);
        if (!complete) return false;
        entries.swap(listed);
        return true;
    }

    // Asks for attributes only, which no share mode refuses: a file that
    // another program holds open exclusively still shows its stamp.
    // https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-getfileattributesexw
    bool Stamp(const std::string& path, FileStamp& stamp) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return false;
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.lastWrite = Nanoseconds(data.ftLastWriteTime);
        stamp.takenAt = Nanoseconds(now);
        return true;
    }
};

}  // namespace

FileSystem& PlatformFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

}  // namespace pastimo
