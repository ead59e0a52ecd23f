#include "shell/options/IniEncoding.h"

#include "library/FileEncoding.h"
#include "toolkit/Unicode.h"

#include <optional>
#include <utility>

namespace pastimo {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return Utf16ToUtf8(units);
}

std::string ToUtf16(std::string_view mark, std::string_view utf8, bool bigEndian) {
    const std::u16string units = Utf8ToUtf16(utf8);
    std::string bytes(mark);
    bytes.reserve(mark.size() + 2 * units.size());
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

// The UTF-16 little-endian mark is the one Windows is known to honour; Wine
// honours all three, and so does this program. Editors put the UTF-8 mark in
// front of UTF-8 files: read as 8-bit text it would hide the file's first
// section from every look-up, and each write would add a second section of
// that name that the user never sees.
IniFileText DecodeIniFile(std::string_view bytes) {
    if (StartsWith(bytes, kUtf16LeMark)) return {ieUtf16Le, FromUtf16(bytes.substr(kUtf16LeMark.size()), false)};
    if (StartsWith(bytes, kUtf16BeMark)) return {ieUtf16Be, FromUtf16(bytes.substr(kUtf16BeMark.size()), true)};
    if (StartsWith(bytes, kUtf8Mark)) return {ieUtf8, std::string(bytes.substr(kUtf8Mark.size()))};
    return {ieAnsi, std::string(bytes)};
}

std::string EncodeIniFile(const IniFileText& file) {
    switch (file.encoding) {
        case ieUtf16Le:
            return ToUtf16(kUtf16LeMark, file.text, false);
        case ieUtf16Be:
            return ToUtf16(kUtf16BeMark, file.text, true);
        case ieUtf8:
            return std::string(kUtf8Mark).append(file.text);
        case ieAnsi:
            break;
    }
    return file.text;
}

// An ANSI editor saves "Ctrl+Alt+ü" as the code page's byte, which is no
// UTF-8; Notepad has saved UTF-8 without the mark by default since 2019. A
// code page text that happens to be valid UTF-8 beyond ASCII is rare (it
// takes pairs like "Ã¼"), and as a hotkey it would name no key anyway.
std::string FromIniText(std::string_view text, TIniEncoding encoding, const CodePage& codePage) {
    if (IsValidUtf8(text)) return std::string(text);
    if (encoding == ieAnsi) return codePage.ToUtf8(text);
    return Utf16ToUtf8(Utf8ToUtf16(text));
}

std::string ToIniText(std::string_view utf8, TIniEncoding encoding, const CodePage& codePage) {
    if (encoding == ieAnsi) {
        if (std::optional<std::string> bytes = codePage.FromUtf8(utf8)) return std::move(*bytes);
    }
    return std::string(utf8);
}

}  // namespace pastimo
