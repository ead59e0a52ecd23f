#include "toolkit/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pastimo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One character from the start of [p, end): its code point and how many
// bytes it took. A malformed start takes one byte and gives U+FFFD.
// https://www.unicode.org/versions/Unicode15.0.0/ch03.pdf, table 3-7
size_t DecodeOne(const unsigned char* p, const unsigned char* end, char32_t& codePoint) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    size_t length;
    char32_t value;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        codePoint = kReplacement;
        return 1;
    }
    if (static_cast<size_t>(end - p) < length || p[1] < low || p[1] > high) {
        codePoint = kReplacement;
        return 1;
    }
    for (size_t i = 2; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            codePoint = kReplacement;
            return 1;
        }
    }
    for (size_t i = 1; i < length; ++i) value = (value << 6) | (p[i] & 0x3F);
    codePoint = value;
    return length;
}

// Writes the UTF-8 form of a code point (not a surrogate) at `o`; returns
// the end of what it wrote.
char* EncodeOne(char32_t c, char* o) {
    if (c < 0x80) {
        *o++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *o++ = static_cast<char>(0xC0 | (c >> 6));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *o++ = static_cast<char>(0xE0 | (c >> 12));
        *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *o++ = static_cast<char>(0xF0 | (c >> 18));
        *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return o;
}

const unsigned char* Bytes(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// Most text is ASCII: eight bytes (four UTF-16 units) are looked at in one go.
constexpr uint64_t kHighBits8 = 0x8080808080808080ull;
constexpr uint64_t kHighBits16 = 0xFF80FF80FF80FF80ull;  // four UTF-16 units above U+007F

uint64_t Load8(const void* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Past the run of ASCII bytes that starts at `p`.
const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end) {
    while (end - p >= 8 && (Load8(p) & kHighBits8) == 0) p += 8;
    while (p < end && *p < 0x80) ++p;
    return p;
}

// Where the run of ASCII units that starts at `i` ends.
size_t AsciiRunEnd(std::u16string_view utf16, size_t i) {
    while (utf16.size() - i >= 4 && (Load8(utf16.data() + i) & kHighBits16) == 0) i += 4;
    while (i < utf16.size() && utf16[i] < 0x80) ++i;
    return i;
}

// Whether units i and i + 1 are a surrogate pair.
bool PairAt(std::u16string_view utf16, size_t i) {
    return utf16[i] >= 0xD800 && utf16[i] <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
           utf16[i + 1] <= 0xDFFF;
}

// The UTF-8 size of a UTF-16 text, to size the output exactly.
size_t Utf8Size(std::u16string_view utf16) {
    size_t size = 0;
    for (size_t i = 0; i < utf16.size();) {
        if (utf16[i] < 0x80) {
            const size_t run = AsciiRunEnd(utf16, i);
            size += run - i;
            i = run;
        } else if (utf16[i] < 0x800) {
            size += 2;
            ++i;
        } else if (PairAt(utf16, i)) {
            size += 4;
            i += 2;
        } else {
            size += 3;
            ++i;
        }
    }
    return size;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    // Never more units than bytes: size once, write in place, trim at the end.
    std::u16string out(utf8.size(), u'\0');
    char16_t* o = &out[0];
    const unsigned char* p = Bytes(utf8);
    const unsigned char* const end = p + utf8.size();
    while (p < end) {
        for (const unsigned char* const run = SkipAscii(p, end); p < run; ++p) *o++ = *p;
        if (p == end) break;
        char32_t c;
        p += DecodeOne(p, end, c);
        if (c >= 0x10000) {
            c -= 0x10000;
            *o++ = static_cast<char16_t>(0xD800 + (c >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            *o++ = static_cast<char16_t>(c);
        }
    }
    out.resize(static_cast<size_t>(o - out.data()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16, size_t room) {
    const size_t size = Utf8Size(utf16);
    std::string out;
    out.reserve(size + room);
    out.resize(size);
    char* o = &out[0];
    const size_t n = utf16.size();
    for (size_t i = 0; i < n;) {
        if (utf16[i] < 0x80) {
            const size_t run = AsciiRunEnd(utf16, i);
            for (size_t k = i; k < run; ++k) *o++ = static_cast<char>(utf16[k]);
            i = run;
            continue;
        }
        char32_t c = utf16[i];
        if (PairAt(utf16, i)) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            i += 2;
        } else {
            if (c >= 0xD800 && c <= 0xDFFF) c = kReplacement;  // a surrogate without its partner
            ++i;
        }
        o = EncodeOne(c, o);
    }
    out.resize(static_cast<size_t>(o - out.data()));
    return out;
}

size_t DecodeUtf8(std::string_view text, char32_t& codePoint) {
    return DecodeOne(Bytes(text), Bytes(text) + text.size(), codePoint);
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    char bytes[4];
    out.append(bytes, static_cast<size_t>(EncodeOne(codePoint, bytes) - bytes));
}

bool IsValidUtf8(std::string_view text) {
    const unsigned char* p = Bytes(text);
    const unsigned char* const end = p + text.size();
    while ((p = SkipAscii(p, end)) < end) {
        char32_t c;
        const size_t taken = DecodeOne(p, end, c);
        // U+FFFD itself is three bytes; a replaced byte takes one.
        if (c == kReplacement && taken == 1) return false;
        p += taken;
    }
    return true;
}

size_t AsciiPrefixLength(std::string_view text) {
    const unsigned char* const begin = Bytes(text);
    const unsigned char* p = begin;
    const unsigned char* const end = p + text.size();
    // Blocks of 64 bytes first: a loop the compiler turns into vector instructions.
    constexpr size_t kBlock = 64;
    for (; static_cast<size_t>(end - p) >= kBlock; p += kBlock) {
        unsigned char any = 0;
        for (size_t i = 0; i < kBlock; ++i) any |= p[i];
        if (any & 0x80) break;
    }
    return static_cast<size_t>(SkipAscii(p, end) - begin);
}

size_t Utf16Length(std::string_view utf8) {
    size_t units = AsciiPrefixLength(utf8);
    const unsigned char* p = Bytes(utf8) + units;
    const unsigned char* const end = Bytes(utf8) + utf8.size();
    while (p < end) {
        const unsigned char* const run = SkipAscii(p, end);
        units += static_cast<size_t>(run - p);
        p = run;
        if (p == end) break;
        char32_t c;
        p += DecodeOne(p, end, c);
        units += c >= 0x10000 ? 2 : 1;
    }
    return units;
}

size_t Utf8PrefixWithinUnits(std::string_view utf8, size_t units) {
    const unsigned char* const begin = Bytes(utf8);
    const unsigned char* p = begin;
    const unsigned char* const end = p + utf8.size();
    size_t used = 0;
    while (p < end) {
        // ASCII, one unit a byte, as far as the units reach.
        const unsigned char* const run = SkipAscii(p, p + std::min(static_cast<size_t>(end - p), units - used));
        used += static_cast<size_t>(run - p);
        p = run;
        if (p == end || *p < 0x80) break;  // the end, or no unit left for more ASCII
        char32_t c;
        const size_t taken = DecodeOne(p, end, c);
        const size_t width = c >= 0x10000 ? 2 : 1;
        if (used + width > units) break;
        used += width;
        p += taken;
    }
    return static_cast<size_t>(p - begin);
}

}  // namespace pastimo
