// The one-row change behind a list box's Sync: the change found, applied to
// the rows shown, must give exactly the rows wanted, and an insert or delete
// must land on the row that really changed, or the highlight moves to
// another entry.
#include "toolkit/RowChange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pastimo {
namespace {

using Rows = std::vector<std::string>;

// at() throws on a row outside the list: the search must never ask for one.
RowChange Find(const Rows& shown, const Rows& wanted) {
    return FindRowChange(
        static_cast<int>(shown.size()), [&](int i) { return shown.at(static_cast<size_t>(i)); }, wanted);
}

Rows Apply(Rows shown, const RowChange& change, const Rows& wanted) {
    switch (change.kind) {
        case RowChangeKind::Nothing:
            break;
        case RowChangeKind::Insert:
            shown.insert(shown.begin() + change.index, wanted.at(static_cast<size_t>(change.index)));
            break;
        case RowChangeKind::Delete:
            shown.erase(shown.begin() + change.index);
            break;
        case RowChangeKind::Refill:
            shown = wanted;
            break;
    }
    return shown;
}

void ExpectChange(const Rows& shown, const Rows& wanted, RowChangeKind kind, int index) {
    const RowChange change = Find(shown, wanted);
    EXPECT_EQ(change.kind, kind);
    if (kind == RowChangeKind::Insert || kind == RowChangeKind::Delete) {
        EXPECT_EQ(change.index, index);
    }
    EXPECT_EQ(Apply(shown, change, wanted), wanted);
}

TEST(RowChange, EmptyListsAndTheirFirstRow) {
    ExpectChange({}, {}, RowChangeKind::Nothing, 0);
    ExpectChange({}, {"a"}, RowChangeKind::Insert, 0);
    ExpectChange({"a"}, {}, RowChangeKind::Delete, 0);
    ExpectChange({"a"}, {"b"}, RowChangeKind::Refill, 0);
}

TEST(RowChange, InsertOrDeleteAtTheFirstAndTheLastRow) {
    ExpectChange({"b", "c"}, {"a", "b", "c"}, RowChangeKind::Insert, 0);
    ExpectChange({"a", "b"}, {"a", "b", "c"}, RowChangeKind::Insert, 2);
    ExpectChange({"a", "b", "c"}, {"b", "c"}, RowChangeKind::Delete, 0);
    ExpectChange({"a", "b", "c"}, {"a", "b"}, RowChangeKind::Delete, 2);
    ExpectChange({"a", "c"}, {"a", "b", "c"}, RowChangeKind::Insert, 1);
    ExpectChange({"a", "b", "c"}, {"a", "c"}, RowChangeKind::Delete, 1);
}

TEST(RowChange, RowChangedInTheMiddleIsNotMistakenForNoChange) {
    ExpectChange({"a", "b", "c"}, {"a", "B", "c"}, RowChangeKind::Refill, 0);
    ExpectChange({"a", "b", "c"}, {"a", "b", "c"}, RowChangeKind::Nothing, 0);
}

TEST(RowChange, TwoChangesRefill) {
    // One more row, but another row changed as well.
    ExpectChange({"a", "b", "c"}, {"a", "x", "b", "d"}, RowChangeKind::Refill, 0);
    // One fewer row, and the last one changed.
    ExpectChange({"a", "b", "c", "d"}, {"a", "c", "e"}, RowChangeKind::Refill, 0);
    // Two rows more or fewer.
    ExpectChange({"a"}, {"a", "b", "c"}, RowChangeKind::Refill, 0);
    ExpectChange({"a", "b", "c"}, {"a"}, RowChangeKind::Refill, 0);
    // Rows that swapped places.
    ExpectChange({"a", "b", "c"}, {"b", "a", "c"}, RowChangeKind::Refill, 0);
}

TEST(RowChange, RowEqualToItsNeighbour) {
    // Names may repeat (a sorted list keeps duplicates next to each other).
    ExpectChange({"a", "b"}, {"a", "a", "b"}, RowChangeKind::Insert, 1);
    ExpectChange({"a", "b"}, {"a", "b", "b"}, RowChangeKind::Insert, 2);
    ExpectChange({"a", "a", "b"}, {"a", "b"}, RowChangeKind::Delete, 1);
    ExpectChange({"a", "a"}, {"a"}, RowChangeKind::Delete, 1);
    ExpectChange({"a"}, {"a", "a"}, RowChangeKind::Insert, 1);
    // The same count of a repeated row, but another row beside it.
    ExpectChange({"a", "a", "b"}, {"a", "b", "b"}, RowChangeKind::Refill, 0);
}

}  // namespace
}  // namespace pastimo
