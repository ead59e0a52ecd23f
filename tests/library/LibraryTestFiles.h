#pragma once
// Real files for the library tests: a fresh folder per test, raw byte reads
// and writes that bypass the code under test, and ways to hold a file open
// as another program would. Paths are UTF-8, as in the library;
// on Windows they go to the wide API.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include "toolkit/Unicode.h"

#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pastimo::test {

#ifdef _WIN32
inline const std::string kSep = "\\";

inline std::wstring Wide(const std::string& utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Utf8(const wchar_t* wide) {
    return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(wide)));
}
#else
inline const std::string kSep = "/";
#endif

inline bool RunningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

// Tests that spell out Windows-1252 bytes: the POSIX code page always, under
// Wine the prefix's ANSI code page (1252 unless the host's locale says else).
inline bool AnsiCodePageIs1252() {
#ifdef _WIN32
    return GetACP() == 1252;
#else
    return true;
#endif
}

// A new empty folder, removed with everything in it afterwards. Path() ends
// in the separator, like the program folder.
class TempFolder {
public:
    TempFolder() {
        static unsigned counter = 0;
#ifdef _WIN32
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        for (;;) {
            FPath =
                Utf8(base) + "pastimo-lib-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
            if (CreateDirectoryW(Wide(FPath).c_str(), nullptr)) break;
            if (GetLastError() != ERROR_ALREADY_EXISTS) ADD_FAILURE() << "cannot create " << FPath;
        }
#else
        (void)counter;
        char name[] = "/tmp/pastimo-lib-XXXXXX";
        if (!::mkdtemp(name)) ADD_FAILURE() << "mkdtemp failed";
        FPath = name;
#endif
        FPath += kSep;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::u8path(FPath), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// Raw file access through the C runtime.
inline FILE* OpenRaw(const std::string& path, const char* mode) {
#ifdef _WIN32
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

inline bool WriteRaw(const std::string& path, const std::string& bytes) {
    FILE* f = OpenRaw(path, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// The file's bytes; "<missing>" when it cannot be opened.
inline std::string ReadRaw(const std::string& path) {
    FILE* f = OpenRaw(path, "rb");
    if (!f) return "<missing>";
    std::string bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

inline bool ExistsRaw(const std::string& path) {
#ifdef _WIN32
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    return ::access(path.c_str(), F_OK) == 0;
#endif
}

inline bool MakeFolderRaw(const std::string& path) {
#ifdef _WIN32
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != FALSE;
#else
    return ::mkdir(path.c_str(), 0777) == 0;
#endif
}

// Sets a file's last-write time (nanoseconds since 1970) past the code under
// test: as a program whose writes land within one tick of a coarse clock
// leaves it.
inline bool SetWriteTimeRaw(const std::string& path, int64_t nanoseconds) {
#ifdef _WIN32
    HANDLE file = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const uint64_t ticks = static_cast<uint64_t>(nanoseconds / 100 + 116444736000000000LL);  // from 1601
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool set = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    CloseHandle(file);
    return set;
#else
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {static_cast<time_t>(nanoseconds / 1000000000), nanoseconds % 1000000000}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
#endif
}

// Names of the entries of a folder (no "." or ".."), sorted bytewise.
inline std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
#ifdef _WIN32
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Utf8(data.cFileName);
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
#else
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder), error))
        names.push_back(entry.path().filename().string());
#endif
    std::sort(names.begin(), names.end());
    return names;
}

// Holds a file open as another program does, for as long as the object
// lives. Exclusive: Win32 share mode 0, POSIX an exclusive flock (the file is
// made if missing). Shared, as an editor or a sync client holds it: reading
// and writing shared with other programs, POSIX a shared flock.
class FileHold {
public:
    FileHold(const std::string& path, bool shared) {
#ifdef _WIN32
        FHandle = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              shared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr,
                              shared ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot hold " << path << ": " << GetLastError();
#else
        FFd = shared ? ::open(path.c_str(), O_RDWR) : ::open(path.c_str(), O_RDWR | O_CREAT, 0666);
        if (FFd < 0 || ::flock(FFd, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0)
            ADD_FAILURE() << "cannot hold " << path;
#endif
    }
    ~FileHold() {
#ifdef _WIN32
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
#else
        if (FFd >= 0) ::close(FFd);
#endif
    }
    FileHold(const FileHold&) = delete;
    FileHold& operator=(const FileHold&) = delete;

private:
#ifdef _WIN32
    HANDLE FHandle = INVALID_HANDLE_VALUE;
#else
    int FFd = -1;
#endif
};

struct ExclusiveHold : FileHold {
    explicit ExclusiveHold(const std::string& path) : FileHold(path, false) {}
};
struct SharedHold : FileHold {
    explicit SharedHold(const std::string& path) : FileHold(path, true) {}
};

// The message of the exception of type E that f throws, or a marker.
template <class E, class F>
std::string MessageOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("<other exception> ") + e.what();
    }
    return "<no exception>";
}

}  // namespace pastimo::test
