#include "shell/LaunchCounter.h"

#include <climits>

#include "toolkit/Errors.h"

namespace pastimo {

namespace {
// The count as decimal digits; anything else counts as nothing stored.
bool ParseCount(const std::string& bytes, int& count) {
    long long value = 0;
    size_t i = 0;
    while (i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9') {
        value = value * 10 + (bytes[i] - '0');
        if (value > INT_MAX - 1) return false;
        ++i;
    }
    if (i == 0) return false;
    while (i < bytes.size() && (bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == ' ')) ++i;
    if (i != bytes.size()) return false;
    count = static_cast<int>(value);
    return true;
}
}  // namespace

int ReadLaunchCount(FileSystem& fileSystem, const std::string& path) {
    std::string bytes;
    int count = 0;
    if (!fileSystem.ReadWholeFile(path, bytes)) return 0;
    return ParseCount(bytes, count) ? count : 0;
}

int CountLaunch(FileSystem& fileSystem, const std::string& path, int& counted) {
    std::string bytes;
    int stored = 0;
    if (fileSystem.Exists(path)) {
        if (!fileSystem.ReadWholeFile(path, bytes)) throw EFOpenError(path);
        if (!ParseCount(bytes, stored)) stored = 0;
    }
    // The run goes on with the value counted even when storing it fails.
    counted = stored + 1;
    if (!fileSystem.ReplaceWholeFile(path, std::to_string(counted) + "\r\n")) throw EFCreateError(path);
    return counted;
}

}  // namespace pastimo
