#pragma once
// The small text rules of names written in files and options: ASCII case,
// blanks and decimal digits, the same for every locale. Portable.

#include <cstdint>
#include <optional>
#include <string_view>

namespace pastimo {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A space or a tab.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text);

// Equal but for the case of ASCII letters.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The value of a run of decimal digits (nothing else, at least one), or
// nothing when it is not one or exceeds `limit`; any number of digits is safe.
std::optional<uint64_t> ParseDigits(std::string_view digits, uint64_t limit);

}  // namespace pastimo
