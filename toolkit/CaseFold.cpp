#include "toolkit/CaseFold.h"

#include "toolkit/AsciiText.h"
#include "toolkit/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace pastimo {
namespace {

// The characters first, first + stride, ... (count of them) fold to
// themselves plus delta. About 200 runs cover the 1,400-odd characters that
// fold, most of them letters in upper and lower case pairs.
struct FoldRun {
    char32_t first;
    uint8_t count;
    uint8_t stride;
    int32_t delta;
};

constexpr FoldRun kFoldRuns[] = {
#include "toolkit/CaseFoldTable.inc"
};

}  // namespace

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return static_cast<char32_t>(AsciiLower(static_cast<char>(c)));
    // The last run that starts at or before c is the only one that can hold it.
    const auto after = std::upper_bound(std::begin(kFoldRuns), std::end(kFoldRuns), c,
                                        [](char32_t value, const FoldRun& run) { return value < run.first; });
    if (after == std::begin(kFoldRuns)) return c;
    const FoldRun& run = *std::prev(after);
    const char32_t offset = c - run.first;
    // In a run of stride 2 only every other character folds: mostly a capital
    // followed by its small letter, which stays.
    if (offset % run.stride != 0 || offset / run.stride >= run.count) return c;
    return static_cast<char32_t>(static_cast<int32_t>(c) + run.delta);
}

std::string FoldCase(std::string_view utf8) {
    std::string folded;
    AppendFoldedCase(folded, utf8);
    return folded;
}

void AppendFoldedCase(std::string& out, std::string_view utf8) {
    // Most names are ASCII: each run of it is copied whole and lowered in
    // place, in a loop the compiler widens; only other characters are
    // decoded and looked up one by one.
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t run = AsciiPrefixLength(utf8.substr(i));
        const size_t at = out.size();
        out.append(utf8, i, run);
        for (size_t k = at; k < out.size(); ++k) out[k] = AsciiLower(out[k]);
        i += run;
        if (i == utf8.size()) break;
        char32_t c;
        i += DecodeUtf8(utf8.substr(i), c);
        AppendUtf8(out, FoldCase(c));
    }
}

}  // namespace pastimo
