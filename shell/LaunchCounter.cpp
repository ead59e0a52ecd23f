#include "shell/LaunchCounter.h"

#include "toolkit/AsciiText.h"
#include "toolkit/Errors.h"

#include <climits>

namespace pastimo {

namespace {
// The count as decimal digits, then line breaks or spaces; anything else
// counts as nothing stored. The largest count leaves room for one more.
bool ParseCount(std::string_view bytes, int& count) {
    const size_t end = bytes.find_last_not_of("\r\n ");
    const std::optional<uint64_t> value =
        ParseDigits(bytes.substr(0, end == std::string_view::npos ? 0 : end + 1), INT_MAX - 1);
    if (!value) return false;
    count = static_cast<int>(*value);
    return true;
}
}  // namespace

int ReadLaunchCount(FileSystem& fileSystem, const std::string& path) {
    std::string bytes;
    int count = 0;
    if (!fileSystem.ReadWholeFile(path, bytes)) return 0;
    return ParseCount(bytes, count) ? count : 0;
}

void CountLaunch(FileSystem& fileSystem, const std::string& path, int& counted) {
    std::string bytes;
    int stored = 0;
    if (fileSystem.Exists(path)) {
        if (!fileSystem.ReadWholeFile(path, bytes)) throw EFOpenError(path);
        if (!ParseCount(bytes, stored)) stored = 0;
    }
    // The run goes on with the value counted even when storing it fails.
    counted = stored + 1;
    if (!fileSystem.ReplaceWholeFile(path, std::to_string(counted) + "\r\n")) throw EFCreateError(path);
}

}  // namespace pastimo
