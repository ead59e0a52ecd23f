#pragma once
// Text inside the program is UTF-8 in std::string. Windows, its edit
// controls and the clipboard count in UTF-16 code units; these convert
// between the two and measure and cut UTF-8 text in UTF-16 units.
// Portable: no Windows headers.

#include <cstddef>
#include <string>
#include <string_view>

namespace pastimo {

// Each byte that does not belong to a well-formed UTF-8 sequence (a stray
// continuation byte, a cut-off sequence, an overlong form, an encoded
// surrogate, anything above U+10FFFF) becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// A surrogate without its partner becomes U+FFFD. `room`: bytes of capacity
// kept free at the end, for what the caller appends without a copy.
std::string Utf16ToUtf8(std::u16string_view utf16, size_t room = 0);

// The character at the start of a non-empty text: its code point (U+FFFD
// for a byte Utf8ToUtf16 would replace) and, returned, the bytes it takes.
size_t DecodeUtf8(std::string_view text, char32_t& codePoint);

// Appends the UTF-8 form of a code point that is not a surrogate.
void AppendUtf8(std::string& out, char32_t codePoint);

bool IsValidUtf8(std::string_view text);

// How many bytes at the start of the text are ASCII. Most text is: names,
// item texts and clipboard copies run to megabytes of it, so it is looked
// at in blocks.
size_t AsciiPrefixLength(std::string_view text);
inline bool IsAscii(std::string_view text) { return AsciiPrefixLength(text) == text.size(); }

// How many UTF-16 code units the text takes: two for a character above
// U+FFFF, one for any other (and for each byte Utf8ToUtf16 would replace).
size_t Utf16Length(std::string_view utf8);

// The length in bytes of the longest start of the text that takes at most
// `units` UTF-16 code units and ends between two characters, so that a cut
// never splits a surrogate pair (or a UTF-8 sequence).
size_t Utf8PrefixWithinUnits(std::string_view utf8, size_t units);

}  // namespace pastimo
