#pragma once
// The bytes of a profile (INI) file and the text that IniText reads and
// changes, told apart as the profile functions of Windows tell them: a file
// that starts with a UTF-16 byte-order mark (either byte order) holds UTF-16,
// one that starts with the UTF-8 mark holds UTF-8 after it, and any other
// holds 8-bit text. A file is written back in the form it was read in, its
// mark included. Portable: no Windows headers.

#include "library/CodePage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pastimo {

enum TIniEncoding : uint8_t {
    ieAnsi,     // no mark: 8-bit text, as the profile functions create a file
    ieUtf8,     // the UTF-8 mark, then UTF-8
    ieUtf16Le,  // FF FE, then UTF-16 little-endian (Notepad's "Unicode")
    ieUtf16Be,  // FE FF, then UTF-16 big-endian
};

struct IniFileText {
    TIniEncoding encoding = ieAnsi;
    // ieAnsi: the file's bytes as they are. Otherwise UTF-8, without the mark.
    std::string text;
};

// A missing or empty file is ieAnsi with no text. In a UTF-16 file a final
// odd byte is dropped and a surrogate without its partner becomes U+FFFD.
IniFileText DecodeIniFile(std::string_view bytes);

// The file's bytes: the text in its encoding, after its mark.
std::string EncodeIniFile(const IniFileText& file);

// A name or value of the file's text in UTF-8. Without a mark it is read
// from the ANSI code page, as the profile functions read such a file, unless
// it is valid UTF-8 beyond ASCII (editors save UTF-8 without the mark); in a
// UTF-8 file each malformed byte becomes U+FFFD.
std::string FromIniText(std::string_view text, TIniEncoding encoding, const CodePage& codePage);

// A name or value in UTF-8 as the file's text holds it: without a mark in
// the code page when it holds every character, otherwise as UTF-8, which
// FromIniText takes back; as it is in the other encodings.
std::string ToIniText(std::string_view utf8, TIniEncoding encoding, const CodePage& codePage);

}  // namespace pastimo
