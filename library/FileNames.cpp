// Names are refused when the path built from them would leave its folder
// ("..", separators), open an NTFS stream (":"), reach a device (CON, NUL.txt,
// "COM1 "), or hold characters Windows refuses in file names. Group names
// must also not end in "." or " ": Windows would drop those and create the
// folder under another name, leaving the group's list file unreachable.
// Names are UTF-8: the refused characters are all ASCII, which never occurs
// inside a longer UTF-8 sequence, so they are found byte by byte; malformed
// UTF-8 is refused, as it names no file the wide API could reach.
// https://learn.microsoft.com/windows/win32/fileio/naming-a-file

#include "library/FileNames.h"

#include "toolkit/Unicode.h"

#include <cstring>

namespace pastimo {
namespace {

constexpr size_t kMaxPath = 260;  // UTF-16 units, the closing NUL included

bool IsRefusedCharacter(unsigned char c) { return c < 0x20 || c == 0x7F || std::strchr("\\/:<>\"|?*", c) != nullptr; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Devices are recognised by the part before the first dot, trailing spaces
// dropped, in any case: "nul", "NUL.txt", "Com1 .log".
bool IsDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = Upper(c);
    static const char* const kFixedDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kFixedDevices)
        if (stem == device) return true;
    if (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0) return false;
    // One digit, or one of the superscripts one, two, three (U+00B9, U+00B2,
    // U+00B3), which Windows takes as digits here.
    const std::string number = stem.substr(3);
    if (number.size() == 1) return number[0] >= '0' && number[0] <= '9';
    return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

bool IsSafePiece(const std::string& name) {
    if (!IsValidUtf8(name)) return false;
    for (char c : name)
        if (IsRefusedCharacter(static_cast<unsigned char>(c))) return false;
    if (name == "." || name == "..") return false;
    return !IsDeviceName(name);
}

}  // namespace

bool IsSafeGroupName(const std::string& name) {
    if (!IsSafePiece(name)) return false;
    return name.empty() || (name.back() != '.' && name.back() != ' ');
}

bool IsSafeItemName(const std::string& name) { return IsSafePiece(name); }

// Windows itself keeps these limits unless a path starts with "\\?\", which
// the program does not use: its files must stay reachable by older copies,
// editors and sync tools, which mostly do not either. Wine is laxer.
// https://learn.microsoft.com/windows/win32/fileio/maximum-file-path-limitation
// https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-gettempfilenamew
bool FitsPathLimit(const std::string& path) { return Utf16Length(path) < kMaxPath; }

bool FitsTemporaryFolderLimit(const std::string& folder) { return Utf16Length(folder) <= kMaxPath - 14; }

bool IsTemporaryFileName(const std::string& name) {
    if (name.size() < 7) return false;  // "~pm" and ".tmp"
    std::string upper = name;
    for (char& c : upper) c = Upper(c);
    return upper.compare(0, 3, "~PM") == 0 && upper.compare(upper.size() - 4, 4, ".TMP") == 0;
}

}  // namespace pastimo
