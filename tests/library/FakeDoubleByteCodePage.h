#pragma once
// A double-byte code page in miniature, for the lead-byte rule on any
// platform: 0x81 is the only lead byte, and 0x81 followed by byte t is the
// character U+3000 + t (so 0x81 0x0A, a lead byte and a "line feed", is
// U+300A). Every other byte is the character of the same number.

#include "library/CodePage.h"

namespace pastimo::test {

class FakeDoubleByteCodePage final : public CodePage {
public:
    const LeadBytes& GetLeadBytes() const override { return FLeadBytes; }

protected:
    std::u16string ToUtf16(std::string_view bytes) const override {
        std::u16string out;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char b = static_cast<unsigned char>(bytes[i]);
            if (b == 0x81 && i + 1 < bytes.size())
                out += static_cast<char16_t>(0x3000 + static_cast<unsigned char>(bytes[++i]));
            else
                out += static_cast<char16_t>(b);
        }
        return out;
    }

    std::optional<std::string> FromUtf16(std::u16string_view utf16) const override {
        std::string out;
        for (char16_t c : utf16) {
            if (c >= 0x3000 && c <= 0x30FF) {
                out += '\x81';
                out += static_cast<char>(c - 0x3000);
            } else if (c <= 0xFF && c != 0x81) {
                out += static_cast<char>(c);
            } else {
                return std::nullopt;
            }
        }
        return out;
    }

private:
    LeadBytes FLeadBytes{{0x81, 0x81}};
};

}  // namespace pastimo::test
