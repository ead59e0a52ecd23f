// The options file is read back as it was left, by whoever edited it, in
// whichever encoding. Its bytes become text and would be written back the
// same; looks up the program's options and every name the text holds, and
// checks the values against a plain reading of the text, their UTF-8 form,
// and their on/off reading against a plain parse of the number rules.

#include "fuzz/FuzzCheck.h"
#include "fuzz/IniFuzzHelpers.h"
#include "library/CodePage.h"
#include "shell/options/IniEncoding.h"
#include "shell/options/IniText.h"
#include "shell/options/OptionValue.h"
#include "toolkit/Unicode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace pastimo;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int Hex(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The integer rules, read the slow way: big numbers are told by their count
// of significant digits, the rest compared in 64 bits.
std::optional<int32_t> SlowInteger(std::string_view t) {
    while (!t.empty() && fuzzini::IsBlank(t.front())) t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    if (t.front() == '$') {
        t.remove_prefix(1);
        if (t.empty() || t.size() > 8) return std::nullopt;
        uint32_t v = 0;
        for (char c : t) {
            if (Hex(c) < 0) return std::nullopt;
            v = v * 16 + static_cast<uint32_t>(Hex(c));
        }
        return static_cast<int32_t>(v);
    }
    const bool negative = t.front() == '-';
    if (t.front() == '-' || t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    for (char c : t)
        if (!IsDigit(c)) return std::nullopt;
    while (t.size() > 1 && t.front() == '0') t.remove_prefix(1);
    if (t.size() > 10) return std::nullopt;
    const int64_t magnitude = std::stoll(std::string(t));
    if (magnitude > (negative ? 2147483648LL : 2147483647LL)) return std::nullopt;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

void CheckNumber(std::string_view text) {
    const std::optional<int32_t> number = ParseOptionInteger(text);
    FUZZ_CHECK(number == SlowInteger(text));
    if (number) FUZZ_CHECK(ParseOptionInteger(std::to_string(*number)) == number);

    std::string hexForm(text);
    if (hexForm.size() > 2 && hexForm[0] == '0' && (hexForm[1] == 'x' || hexForm[1] == 'X')) hexForm.replace(0, 2, "$");
    const std::optional<int32_t> asBool = SlowInteger(hexForm);
    for (bool defaultValue : {false, true})
        FUZZ_CHECK(OptionBoolFromText(text, defaultValue) == (asBool ? *asBool != 0 : defaultValue));
}

void CheckValue(const IniFileText& file, std::string_view section, std::string_view key) {
    const std::string_view fileText = file.text;
    const std::optional<std::string> found = IniFind(fileText, section, key);
    FUZZ_CHECK(found == fuzzini::SlowFind(fileText, section, key, kIniValueLimit));
    const std::string value = IniLookup(fileText, section, key);
    FUZZ_CHECK(value == found.value_or(std::string()));
    FUZZ_CHECK(value.size() <= kIniValueLimit);
    FUZZ_CHECK(value.find('\n') == std::string::npos);
    FUZZ_CHECK(value.find('\0') == std::string::npos);
    CheckNumber(value);
    // What a caller gets: valid UTF-8, still without a NUL or a break.
    const std::string utf8 = FromIniText(value, file.encoding, PlatformCodePage());
    FUZZ_CHECK(IsValidUtf8(utf8));
    FUZZ_CHECK(utf8.find_first_of(std::string_view("\0\n", 2)) == std::string::npos);
    if (IsAscii(value)) FUZZ_CHECK(utf8 == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const IniFileText file = DecodeIniFile(bytes);
    // Written back unchanged, a file keeps its bytes; a UTF-16 one at least
    // its text (an odd final byte or a lone surrogate is not kept).
    const std::string again = EncodeIniFile(file);
    if (file.encoding == ieAnsi || file.encoding == ieUtf8) FUZZ_CHECK(again == bytes);
    FUZZ_CHECK(DecodeIniFile(again).text == file.text && DecodeIniFile(again).encoding == file.encoding);

    CheckValue(file, "CLIP", "AUTO");
    CheckValue(file, "MINIM", "AUTO");
    CheckValue(file, "HOTKEY", "SHOW");
    for (const auto& [section, key] : fuzzini::NamedPairs(file.text, 32)) CheckValue(file, section, key);
    // The number rules on raw bytes too: values in real files are short.
    CheckNumber(bytes.substr(0, 24));
    for (std::string_view line : fuzzini::Lines(bytes)) CheckNumber(line);
    return 0;
}
