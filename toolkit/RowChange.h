#pragma once
// How a list that shows some rows comes to show others: when the two differ by
// one row inserted or one row deleted, the list changes that row alone and
// keeps its highlight on the same entry, as a sorted list box does; otherwise
// it is filled again. Portable: no Windows headers.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pastimo {

enum class RowChangeKind : uint8_t {
    Nothing,  // the rows shown are the rows wanted
    Insert,   // insert wanted[index] before shown row index
    Delete,   // delete shown row index
    Refill,   // anything else: show the wanted rows afresh
};

struct RowChange {
    RowChangeKind kind = RowChangeKind::Nothing;
    int index = 0;  // for Insert and Delete
};

// shownRow(i) gives shown row i (0 <= i < shownCount). It is asked only for
// the rows the comparison needs, so a list control is read no further than
// its first difference when the counts already rule out one change.
RowChange FindRowChange(int shownCount, const std::function<std::string(int)>& shownRow,
                        const std::vector<std::string>& wanted);

}  // namespace pastimo
