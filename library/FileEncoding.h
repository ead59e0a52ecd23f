#pragma once
// The library's files in either encoding. A file that starts with the UTF-8
// byte-order mark holds UTF-8 after it; any other file holds bytes of the
// ANSI code page. Each file is written in the code page when the code page
// holds every character of it exactly, so files of names and texts that
// always fitted keep their bytes; otherwise as the mark and UTF-8. The text
// formats themselves (TextFormats.h) are the same in both. Portable.

#include "library/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A name list file's names, in UTF-8 and in the file's order.
std::vector<std::string> DecodeNameListFile(std::string_view file, const CodePage& codePage);
std::string EncodeNameListFile(const std::vector<std::string>& names, const CodePage& codePage);

// An item text file's text in UTF-8, its breaks made CR LF.
std::string DecodeItemTextFile(std::string_view file, const CodePage& codePage);
std::string EncodeItemTextFile(std::string_view text, const CodePage& codePage);

}  // namespace pastimo
