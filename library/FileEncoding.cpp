#include "library/FileEncoding.h"

#include "library/TextFormats.h"
#include "toolkit/Unicode.h"

#include <utility>

namespace pastimo {
namespace {

bool StartsWithMark(std::string_view file) { return file.substr(0, kUtf8Mark.size()) == kUtf8Mark; }

// Malformed bytes in a UTF-8 text file become U+FFFD each, so that nothing
// past the reader ever holds malformed UTF-8.
std::string Repaired(std::string text) {
    if (IsValidUtf8(text)) return text;
    return Utf16ToUtf8(Utf8ToUtf16(text));
}

std::string FromCodePage(std::string bytes, const CodePage& codePage) {
    if (IsAscii(bytes)) return bytes;
    return codePage.ToUtf8(bytes);
}

std::string WithMark(std::string_view utf8) {
    std::string file;
    file.reserve(kUtf8Mark.size() + utf8.size());
    file += kUtf8Mark;
    file += utf8;
    return file;
}

// Whatever the file is written as must be read as that form again: code
// page bytes that happen to be valid UTF-8 ("Ã©" in Windows-1252), or begin
// like the mark ("ï»¿"), and UTF-8 that begins with U+FEFF (which reads as
// the mark) go out as the mark and UTF-8.
std::string Encode(std::string_view utf8, const CodePage& codePage, TFileForm& form) {
    if (form == TFileForm::ffAnsi) {
        std::optional<std::string> bytes = codePage.FromUtf8(utf8);
        if (bytes && FormOfFile(*bytes) == TFileForm::ffAnsi) return std::move(*bytes);
    } else if (form == TFileForm::ffUtf8) {
        if (!StartsWithMark(utf8)) return std::string(utf8);
    }
    form = TFileForm::ffUtf8WithMark;
    return WithMark(utf8);
}

}  // namespace

// An ANSI text is taken for UTF-8 only when every byte above 0x7F falls
// into well-formed sequences, which real text in a code page almost never
// does; an all-ASCII file reads the same either way.
TFileForm FormOfFile(std::string_view file) {
    if (StartsWithMark(file)) return TFileForm::ffUtf8WithMark;
    const std::string_view text = TextUpToNul(file);
    if (IsAscii(text) || !IsValidUtf8(text)) return TFileForm::ffAnsi;
    return TFileForm::ffUtf8;
}

std::vector<std::string> DecodeNameListFile(std::string_view file, const CodePage& codePage) {
    const TFileForm form = FormOfFile(file);
    const bool marked = form == TFileForm::ffUtf8WithMark;
    const std::string_view text = marked ? file.substr(kUtf8Mark.size()) : file;
    std::vector<std::string> names = SplitNameListText(text);
    // One look at the whole text spares the common all-ASCII or all-UTF-8
    // file a look at every name.
    if (form == TFileForm::ffUtf8) return names;
    const std::string_view content = TextUpToNul(text);
    if (IsAscii(content) || (marked && IsValidUtf8(content))) return names;
    // A name that is no UTF-8 after the mark was written by a tool that knew
    // only the code page; a replacement character in its place would name
    // no folder or file the user has.
    for (std::string& name : names)
        if (!marked || !IsValidUtf8(name)) name = FromCodePage(std::move(name), codePage);
    return names;
}

std::string EncodeNameListFile(const std::vector<std::string>& names, const CodePage& codePage, TFileForm& form) {
    return Encode(JoinNameListText(names), codePage, form);
}

std::string EncodeNameListFile(const std::vector<std::string>& names, const CodePage& codePage) {
    TFileForm form = TFileForm::ffAnsi;
    return EncodeNameListFile(names, codePage, form);
}

// UTF-8 never hides a CR or LF inside a character: no lead bytes there.
std::string DecodeItemTextFile(std::string_view file, const CodePage& codePage) {
    switch (FormOfFile(file)) {
        case TFileForm::ffUtf8WithMark:
            return Repaired(ItemTextFromFile(file.substr(kUtf8Mark.size()), LeadBytes()));
        case TFileForm::ffUtf8:
            return ItemTextFromFile(file, LeadBytes());
        case TFileForm::ffAnsi:
            break;
    }
    return FromCodePage(ItemTextFromFile(file, codePage.GetLeadBytes()), codePage);
}

std::string EncodeItemTextFile(std::string_view text, const CodePage& codePage, TFileForm& form) {
    return Encode(text, codePage, form);
}

std::string EncodeItemTextFile(std::string_view text, const CodePage& codePage) {
    TFileForm form = TFileForm::ffAnsi;
    return EncodeItemTextFile(text, codePage, form);
}

}  // namespace pastimo
