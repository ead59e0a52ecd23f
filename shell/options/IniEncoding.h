#pragma once
// The bytes of a profile (INI) file and the text that IniText reads and
// changes, told apart as the profile functions of Windows tell them: a file
// that starts with a UTF-16 byte-order mark (either byte order) holds UTF-16,
// one that starts with the UTF-8 mark holds UTF-8 after it, and any other
// holds 8-bit text. A file is written back in the form it was read in, its
// mark included. Portable: no Windows headers.

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

}  // namespace pastimo
