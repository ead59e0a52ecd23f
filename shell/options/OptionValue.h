#pragma once
// How an option's stored text becomes a number and an on/off value.
// Portable: no Windows headers.

#include <cstdint>
#include <optional>
#include <string_view>

namespace pastimo {

// A signed 32-bit integer: leading blanks, then either an optional sign and
// decimal digits, or "$" and one to eight hexadecimal digits (taken as a
// 32-bit pattern, so "$FFFFFFFF" is -1). Nothing when the text is anything
// else or the decimal number is outside the 32-bit range.
std::optional<int32_t> ParseOptionInteger(std::string_view text);

// The on/off value of a stored option text (already trimmed and cut): a
// leading "0x"/"0X" counts as "$" when more follows; true when the integer is
// not 0; the default when the text is not a number.
bool OptionBoolFromText(std::string_view text, bool defaultValue);

}  // namespace pastimo
