#pragma once
// The one crossing between the program's UTF-8 text and the UTF-16 of the
// wide Windows API (wchar_t is 16 bits on Windows).

#include "toolkit/Unicode.h"

#include <string>
#include <string_view>

namespace pastimo {

inline std::wstring Wide(std::string_view utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view wide) {
    return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace pastimo
