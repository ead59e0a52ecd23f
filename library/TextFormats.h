#pragma once
// The two file formats of the clip library, byte for byte. Portable.

#include "library/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

class NameList;

// A file's text: the bytes up to the first NUL, or all of them.
std::string_view TextUpToNul(std::string_view bytes);

// Names in the file's order: the text ends at the end or at the first NUL;
// lines break at CR LF, lone CR and lone LF; a break at the very end gives
// no further empty line.
std::vector<std::string> SplitNameListText(std::string_view bytes);

// Each name followed by CR LF; an empty list is an empty file.
std::string JoinNameListText(const std::vector<std::string>& names);

// Item text as stored: ends at the first NUL; lone CR and lone LF become
// CR LF. The byte after a lead byte is copied unlooked-at, so a trail byte
// is never taken for a line break.
std::string ItemTextFromFile(std::string_view bytes, const LeadBytes& leadBytes);

}  // namespace pastimo
