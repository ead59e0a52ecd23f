#include "library/CodePage.h"

#include "toolkit/Unicode.h"

namespace pastimo {

LeadBytes::LeadBytes(std::initializer_list<std::pair<unsigned char, unsigned char>> ranges) {
    for (const auto& [first, last] : ranges) Add(first, last);
}

void LeadBytes::Add(unsigned char first, unsigned char last) {
    for (unsigned byte = first; byte <= last; ++byte) {
        FTable[byte] = true;
        FAny = true;
    }
}

// Every ANSI code page holds ASCII as ASCII, and names and texts are mostly
// ASCII: those need neither a copy through UTF-16 nor a call into the platform.
std::string CodePage::ToUtf8(std::string_view bytes) const {
    if (IsAscii(bytes)) return std::string(bytes);
    return Utf16ToUtf8(ToUtf16(bytes));
}

std::optional<std::string> CodePage::FromUtf8(std::string_view utf8) const {
    if (IsAscii(utf8)) return std::string(utf8);
    if (!IsValidUtf8(utf8)) return std::nullopt;
    return FromUtf16(Utf8ToUtf16(utf8));
}

}  // namespace pastimo
