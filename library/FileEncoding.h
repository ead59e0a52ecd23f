#pragma once
// The library's files in any of three forms. A file that starts with the
// UTF-8 byte-order mark holds UTF-8 after it. A file without it holds UTF-8
// when its text is valid UTF-8 with a byte above 0x7F (editors save UTF-8 so
// by default), else bytes of the ANSI code page (ASCII reads the same in
// both). Each file is written back in the form it was read in, so that
// other programs find it as they left it; a new file takes the code page.
// A text that would not read back the same in its form is written as the
// mark and UTF-8 instead. The text formats themselves (TextFormats.h) are
// the same in every form. Portable.

#include "library/CodePage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

enum class TFileForm : uint8_t { ffAnsi, ffUtf8, ffUtf8WithMark };

// The form a file's bytes are read in. Only its text counts, which ends at
// the first NUL.
TFileForm FormOfFile(std::string_view file);

// A name list file's names, in UTF-8 and in the file's order. After the
// mark each line is read on its own: one that is not valid UTF-8 (a line an
// ANSI tool appended) is read from the code page.
std::vector<std::string> DecodeNameListFile(std::string_view file, const CodePage& codePage);

// The file in `form`, or as the mark and UTF-8 when the names would not
// read back the same in it; `form` becomes the form written.
std::string EncodeNameListFile(const std::vector<std::string>& names, const CodePage& codePage, TFileForm& form);
// A new file: in the code page when it holds the names, else with the mark.
std::string EncodeNameListFile(const std::vector<std::string>& names, const CodePage& codePage);

// An item text file's text in UTF-8, its breaks made CR LF.
std::string DecodeItemTextFile(std::string_view file, const CodePage& codePage);
std::string EncodeItemTextFile(std::string_view text, const CodePage& codePage, TFileForm& form);
std::string EncodeItemTextFile(std::string_view text, const CodePage& codePage);

}  // namespace pastimo
