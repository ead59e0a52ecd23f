#pragma once
// Text compared without regard to case, in any script: each character is
// replaced by its simple case folding, one character for one (Unicode's
// CaseFolding.txt, status C and S), so "ÉTÉ" and "été", "ΛΌΓΟΣ" and
// "λόγος", "ＡＢＣ" and "ａｂｃ" fold alike. Folding never changes the
// number of characters: ß stays ß (it does not become "ss"), and accents
// stay (é is not e). The capital I with dot above folds to i. The same on
// every platform and in every locale. Portable.

#include <string>
#include <string_view>

namespace pastimo {

char32_t FoldCase(char32_t codePoint);

// The UTF-8 text with every character folded; a byte Utf8ToUtf16 would
// replace becomes U+FFFD, so the result is always well-formed UTF-8.
std::string FoldCase(std::string_view utf8);

// Appends FoldCase(utf8) to `out`.
void AppendFoldedCase(std::string& out, std::string_view utf8);

}  // namespace pastimo
