#include "toolkit/RowChange.h"

namespace pastimo {

RowChange FindRowChange(int shownCount, const std::function<std::string(int)>& shownRow,
                        const std::vector<std::string>& wanted) {
    const int wantedCount = static_cast<int>(wanted.size());
    const auto wantedRow = [&](int i) -> const std::string& { return wanted[static_cast<size_t>(i)]; };
    if (wantedCount == shownCount + 1 || wantedCount == shownCount - 1) {
        const bool inserting = wantedCount > shownCount;
        const int common = inserting ? shownCount : wantedCount;
        int firstDifference = 0;
        while (firstDifference < common && shownRow(firstDifference) == wantedRow(firstDifference)) ++firstDifference;
        // Past the first difference the two lists must agree again, one row apart.
        const int shownOffset = inserting ? 0 : 1, wantedOffset = inserting ? 1 : 0;
        bool restAgrees = true;
        for (int i = firstDifference; i < common && restAgrees; ++i)
            restAgrees = shownRow(i + shownOffset) == wantedRow(i + wantedOffset);
        if (restAgrees) return {inserting ? RowChangeKind::Insert : RowChangeKind::Delete, firstDifference};
    } else if (wantedCount == shownCount) {
        bool same = true;
        for (int i = 0; i < shownCount && same; ++i) same = shownRow(i) == wantedRow(i);
        if (same) return {RowChangeKind::Nothing, 0};
    }
    return {RowChangeKind::Refill, 0};
}

}  // namespace pastimo
