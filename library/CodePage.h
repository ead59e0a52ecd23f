#pragma once
// The system's ANSI code page: the 8-bit text the library's files hold
// whenever it can hold every character of a file. Text inside the program is
// UTF-8; this converts to and from the code page's bytes. Portable: no
// Windows headers.

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace pastimo {

// The bytes that start a two-byte character in a code page; none in a
// single-byte one.
class LeadBytes {
public:
    LeadBytes() = default;
    // Inclusive ranges, as the code page lists them.
    LeadBytes(std::initializer_list<std::pair<unsigned char, unsigned char>> ranges);

    void Add(unsigned char first, unsigned char last);
    bool Contains(unsigned char byte) const { return FTable[byte]; }
    bool Empty() const { return !FAny; }

private:
    std::array<bool, 256> FTable{};
    bool FAny = false;
};

class CodePage {
public:
    virtual ~CodePage() = default;

    // Every byte, or lead byte with its trail byte, becomes the character
    // Windows makes of it.
    std::string ToUtf8(std::string_view bytes) const;

    // The text in this code page's bytes, or nothing when any character has
    // no exact form in it: a best-fit look-alike or the default character
    // would not read back as the same text. Malformed UTF-8 has none either.
    std::optional<std::string> FromUtf8(std::string_view utf8) const;

    virtual const LeadBytes& GetLeadBytes() const = 0;

protected:
    // Called only for text with a byte above 0x7F: every ANSI code page
    // holds ASCII as ASCII.
    virtual std::u16string ToUtf16(std::string_view bytes) const = 0;
    // utf16 is well-formed (it came from valid UTF-8).
    virtual std::optional<std::string> FromUtf16(std::u16string_view utf16) const = 0;
};

// Win32: the system's ANSI code page (CP_ACP). POSIX, where there is none:
// Windows-1252, the code page of most installations these files come from.
const CodePage& PlatformCodePage();

}  // namespace pastimo
