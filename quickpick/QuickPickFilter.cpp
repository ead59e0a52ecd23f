#include "quickpick/QuickPickFilter.h"

#include "toolkit/CaseFold.h"

#include <algorithm>
#include <numeric>

namespace pastimo {
namespace {

// The space bar of a Chinese, Japanese or Korean input method types U+3000,
// not U+0020: without it, "東京　駅" would be one word.
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// The folded query's words. Folding first is safe: no blank folds to
// anything else, and nothing else folds to a blank.
std::vector<std::string> FoldedWords(std::string_view query) {
    const std::string folded = FoldCase(query);
    std::vector<std::string> words;
    size_t begin = 0;
    size_t i = 0;
    while (i < folded.size()) {
        size_t blank = 0;
        if (folded[i] == ' ' || folded[i] == '\t')
            blank = 1;
        else if (folded.compare(i, kIdeographicSpace.size(), kIdeographicSpace) == 0)
            blank = kIdeographicSpace.size();
        if (blank == 0) {
            ++i;
            continue;
        }
        if (i > begin) words.push_back(folded.substr(begin, i - begin));
        i += blank;
        begin = i;
    }
    if (begin < folded.size()) words.push_back(folded.substr(begin));
    return words;
}

// Folded text is well-formed UTF-8, where a character's bytes never occur
// inside another's: a plain byte search finds only whole characters.
bool Contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

bool StartsWith(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && text.compare(0, word.size(), word) == 0;
}

// Whether every word of `before` lies inside a word of `after`. Then a row
// holding every word of `after` holds every word of `before` too, in the
// same field, so the rows matching `after` are among those matching
// `before`. This holds for a character typed at the end, a new word, or a
// character typed inside a word; not for one deleted.
bool Narrows(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    return std::all_of(before.begin(), before.end(), [&after](const std::string& old) {
        return std::any_of(after.begin(), after.end(), [&old](const std::string& word) { return Contains(word, old); });
    });
}

}  // namespace

QuickPickFilter::QuickPickFilter(const QuickPickRows& rows) : FRows(rows) {
    FMatches.resize(static_cast<size_t>(rows.Count()));
    std::iota(FMatches.begin(), FMatches.end(), 0);
    FShown = FMatches;
}

const std::vector<int>& QuickPickFilter::SetQuery(std::string_view query) {
    std::vector<std::string> words = FoldedWords(query);
    if (words == FWords) return FShown;  // a blank typed: nothing to look at
    if (Narrows(FWords, words))
        Narrow(words);
    else
        MatchAll(words);
    Rank(words);
    FWords = std::move(words);
    return FShown;
}

void QuickPickFilter::MatchAll(const std::vector<std::string>& words) {
    MarkGroupsHolding(words);
    FMatches.clear();
    const int count = FRows.Count();
    for (int row = 0; row < count; ++row)
        if (Matches(row, words)) FMatches.push_back(row);
}

void QuickPickFilter::Narrow(const std::vector<std::string>& words) {
    MarkGroupsHolding(words);
    FMatches.erase(std::remove_if(FMatches.begin(), FMatches.end(), [&](int row) { return !Matches(row, words); }),
                   FMatches.end());
}

void QuickPickFilter::MarkGroupsHolding(const std::vector<std::string>& words) {
    const size_t groups = static_cast<size_t>(FRows.GroupCount());
    FGroupHolds.assign(groups * words.size(), 0);
    for (size_t group = 0; group < groups; ++group) {
        const std::string_view name = FRows.FoldedGroup(static_cast<int>(group));
        for (size_t w = 0; w < words.size(); ++w) FGroupHolds[group * words.size() + w] = Contains(name, words[w]);
    }
}

bool QuickPickFilter::Matches(int row, const std::vector<std::string>& words) const {
    const std::string_view name = FRows.FoldedName(row);
    const int group = FRows.GroupIndex(row);
    for (size_t w = 0; w < words.size(); ++w) {
        if (group >= 0 && FGroupHolds[static_cast<size_t>(group) * words.size() + w]) continue;
        if (!Contains(name, words[w])) return false;
    }
    return true;
}

void QuickPickFilter::Rank(const std::vector<std::string>& words) {
    if (words.empty()) {
        FShown = FMatches;
        return;
    }
    // Two passes keep each part in the rows' order, with no sort.
    const std::string& first = words.front();
    FShown.clear();
    FShown.reserve(FMatches.size());
    for (int row : FMatches)
        if (StartsWith(FRows.FoldedName(row), first)) FShown.push_back(row);
    for (int row : FMatches)
        if (!StartsWith(FRows.FoldedName(row), first)) FShown.push_back(row);
}

}  // namespace pastimo
