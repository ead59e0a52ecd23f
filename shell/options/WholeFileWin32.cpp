#include "shell/options/WholeFile.h"

#include <windows.h>

#include <algorithm>

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

}  // namespace

WholeFileRead ReadWholeFileBytes(const std::string& path, std::string& bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? WholeFileRead::rfMissing
                   : WholeFileRead::rfFailed;
    }
    std::string result;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return WholeFileRead::rfFailed;
        if (read == 0) break;
        result.append(buffer, read);
    }
    bytes.swap(result);
    return WholeFileRead::rfRead;
}

bool ReplaceWholeFileBytes(const std::string& path, const std::string& bytes) {
    const std::string temp = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    Handle out(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.Valid()) return false;
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD count = 0;
        written = WriteFile(out.Get(), bytes.data() + done, chunk, &count, nullptr) && count > 0;
        done += count;
    }
    written = written && FlushFileBuffers(out.Get());
    if (!out.Close() || !written ||
        !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace pastimo
