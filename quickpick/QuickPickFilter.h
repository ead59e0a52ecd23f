#pragma once
// Typing filters the quick-pick rows. The query is split into words at
// blanks (space, tab, and the ideographic space an input method types); a
// row is shown when every word occurs in its item name or its group name
// (a recent entry: in its first line), in any order, ignoring case in any
// script (toolkit/CaseFold.h). Rows whose name starts with the first word
// come first; otherwise, and within each of the two, the rows keep their
// order in QuickPickRows (the library's order, then the recent entries).
// A query without words shows every row.
//
// The result is a list of row numbers for a virtual (owner-data) list view:
// position i of the list shows row Shown()[i]; nothing is built per row.
//
//     QuickPickFilter filter(rows);                  // every row
//     const std::vector<int>& shown = filter.SetQuery(typedText);
//     // LVM_SETITEMCOUNT shown.size(), select position 0; on LVN_GETDISPINFO
//     // for position i: rows.Name(shown[i]), rows.Group(shown[i]), rows.IsRecent(shown[i]).
//
// Portable: no Windows headers.

#include "quickpick/QuickPickRows.h"

#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

class QuickPickFilter {
public:
    // `rows` must outlive the filter and not change while it is used; for a
    // new model, make a new filter. Starts with every row shown.
    explicit QuickPickFilter(const QuickPickRows& rows);

    // Shows the rows that match the query (UTF-8, as typed) and returns
    // Shown(). When the query only adds to the last one (one more character
    // typed), only the rows shown for that one are looked at again.
    const std::vector<int>& SetQuery(std::string_view query);

    // The rows to show, best first.
    const std::vector<int>& Shown() const { return FShown; }

private:
    void MatchAll(const std::vector<std::string>& words);
    void Narrow(const std::vector<std::string>& words);
    void MarkGroupsHolding(const std::vector<std::string>& words);
    bool Matches(int row, const std::vector<std::string>& words) const;
    void Rank(const std::vector<std::string>& words);

    const QuickPickRows& FRows;
    std::vector<std::string> FWords;  // the last query's folded words
    std::vector<int> FMatches;        // the rows matching them, in the rows' order
    std::vector<int> FShown;
    // Per group and word of the query being matched: whether the group's
    // name holds the word, looked at once per group instead of once per row.
    std::vector<char> FGroupHolds;
};

}  // namespace pastimo
