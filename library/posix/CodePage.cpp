// Windows-1252 as a table, byte for byte as Windows converts it, so that the
// library's files read and write here as on a Western Windows installation
// and the tests meet a real single-byte code page with its look-alikes.
// https://www.unicode.org/Public/MAPPINGS/VENDORS/MICSFT/WindowsBestFit/bestfit1252.txt

#include "library/CodePage.h"

namespace pastimo {
namespace {

// 0x80 to 0x9F; the rest of the high half is U+00A0 to U+00FF. The five
// bytes the code page leaves undefined become the C1 controls of the same
// number, as MultiByteToWideChar makes them.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

char16_t ToCharacter(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
}

// Only the exact inverse: "∞" has the best-fit form "8" and "ł" the form
// "l", which would read back as other text.
bool ToByte(char16_t c, char& byte) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<char>(c);
        return true;
    }
    for (unsigned i = 0; i < 32; ++i) {
        if (kHigh[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

class Windows1252 final : public CodePage {
public:
    const LeadBytes& GetLeadBytes() const override { return FNone; }

protected:
    std::u16string ToUtf16(std::string_view bytes) const override {
        std::u16string out;
        out.reserve(bytes.size());
        for (char b : bytes) out += ToCharacter(static_cast<unsigned char>(b));
        return out;
    }

    std::optional<std::string> FromUtf16(std::u16string_view utf16) const override {
        std::string out;
        out.reserve(utf16.size());
        for (char16_t c : utf16) {
            char byte;
            if (!ToByte(c, byte)) return std::nullopt;
            out += byte;
        }
        return out;
    }

private:
    LeadBytes FNone;
};

}  // namespace

const CodePage& PlatformCodePage() {
    static const Windows1252 instance;
    return instance;
}

}  // namespace pastimo
