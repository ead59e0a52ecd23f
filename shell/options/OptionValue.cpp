#include "shell/options/OptionValue.h"

#include "toolkit/AsciiText.h"

#include <string>

namespace pastimo {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int32_t> ParseOptionInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) return std::nullopt;

    if (text[i] == '$') {
        ++i;
        const size_t digits = text.size() - i;
        if (digits == 0 || digits > 8) return std::nullopt;
        uint32_t pattern = 0;
        for (; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) return std::nullopt;
            pattern = (pattern << 4) | static_cast<uint32_t>(d);
        }
        return static_cast<int32_t>(pattern);
    }

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    const std::optional<uint64_t> magnitude = ParseDigits(text.substr(i), negative ? 2147483648u : 2147483647u);
    if (!magnitude) return std::nullopt;
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude));
}

bool OptionBoolFromText(std::string_view text, bool defaultValue) {
    std::string value(text);
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) value.replace(0, 2, "$");
    const std::optional<int32_t> number = ParseOptionInteger(value);
    return number ? *number != 0 : defaultValue;
}

}  // namespace pastimo
