#include "library/FileEncoding.h"

#include "library/TextFormats.h"
#include "toolkit/Unicode.h"

#include <utility>

namespace pastimo {
namespace {

bool StartsWithMark(std::string_view file) {
    return file.substr(0, kUtf8Mark.size()) == kUtf8Mark;
}

// Malformed bytes in a UTF-8 file become U+FFFD each, so that nothing past
// the reader ever holds malformed UTF-8.
std::string Repaired(std::string text) {
    if (IsValidUtf8(text)) return text;
    return Utf16ToUtf8(Utf8ToUtf16(text));
}

std::string FromCodePage(std::string bytes, const CodePage& codePage) {
    if (IsAscii(bytes)) return bytes;
    return codePage.ToUtf8(bytes);
}

// Code page bytes that happen to begin like the mark ("ï»¿" in Windows-1252)
// would be read back as UTF-8: such a file is written as UTF-8 too.
std::string Encode(std::string_view utf8, const CodePage& codePage) {
    std::optional<std::string> bytes = codePage.FromUtf8(utf8);
    if (bytes && !StartsWithMark(*bytes)) return std::move(*bytes);
    std::string file;
    file.reserve(kUtf8Mark.size() + utf8.size());
    file += kUtf8Mark;
    file += utf8;
    return file;
}

}  // namespace

std::vector<std::string> DecodeNameListFile(std::string_view file, const CodePage& codePage) {
    const bool utf8 = StartsWithMark(file);
    const std::string_view text = utf8 ? file.substr(kUtf8Mark.size()) : file;
    std::vector<std::string> names = SplitNameListText(text);
    // One look at the whole text spares the common all-ASCII file a look
    // at every name.
    if (IsAscii(text) || (utf8 && IsValidUtf8(text))) return names;
    for (std::string& name : names) name = utf8 ? Repaired(std::move(name)) : FromCodePage(std::move(name), codePage);
    return names;
}

std::string EncodeNameListFile(const std::vector<std::string>& names, const CodePage& codePage) {
    return Encode(JoinNameListText(names), codePage);
}

// UTF-8 never hides a CR or LF inside a character: no lead bytes there.
std::string DecodeItemTextFile(std::string_view file, const CodePage& codePage) {
    if (StartsWithMark(file)) return Repaired(ItemTextFromFile(file.substr(kUtf8Mark.size()), LeadBytes()));
    return FromCodePage(ItemTextFromFile(file, codePage.GetLeadBytes()), codePage);
}

std::string EncodeItemTextFile(std::string_view text, const CodePage& codePage) {
    return Encode(text, codePage);
}

}  // namespace pastimo
