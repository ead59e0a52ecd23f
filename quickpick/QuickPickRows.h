#pragma once
// The rows of the quick-pick window: every item of every group, in the
// groups' order and each group's item order, followed by the recent
// clipboard entries, newest first. A row shows an item's name and its
// group's name, or a recent entry's first line, marked as recent. Each
// name is also kept case-folded (toolkit/CaseFold.h), folded once here so
// that filtering a keystroke folds only the query (see QuickPickFilter.h).
// Rows are numbered from 0: the items first, then the recent entries.
//
// The window builds one when it opens and shows it through a virtual
// (owner-data) list; the texts are views into the model, valid while it
// lives and is not added to:
//
//     LibraryStore store(programFolder);  // its own, see below
//     QuickPickRows rows;
//     const NameList groups = store.LoadGroups();
//     for (const std::string& group : groups.Names()) {
//         try {
//             rows.AddGroup(group, store.LoadItems(group).Names());
//         } catch (const std::exception&) {  // an item list that cannot be read: no rows
//         }
//     }
//     rows.AddRecents(recentPage.Entries());
//
// A store remembers the group list and the one item list it read last, to
// tell another program's writes from its own; reading every list through
// the main window's store would make it forget the lists "My Groups" shows.
//
// Portable: no Windows headers.

#include "capture/RecentEntries.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

class QuickPickRows {
public:
    // Adds one row for each item, in the order given, after the items added
    // before (and before every recent entry). A group without items adds no
    // row.
    void AddGroup(std::string_view group, const std::vector<std::string>& items);

    // Adds a row for each recent entry that holds a text, newest first, shown
    // by its list line (the text's first line). An entry left empty (its text
    // was too long or could not be read) has nothing to pick and gets no row.
    void AddRecents(const RecentEntries& recents);

    int Count() const { return ItemCount() + static_cast<int>(FRecents.size()); }
    // Rows 0 to ItemCount() - 1 are items, the rest recent entries.
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    bool IsRecent(int row) const { return row >= ItemCount(); }

    // The item's name, or the recent entry's first line. Every row function
    // throws std::out_of_range for a row that is not in [0, Count()).
    std::string_view Name(int row) const;
    // The item's group; empty for a recent entry.
    std::string_view Group(int row) const;
    // A recent row's index in RecentEntries::Lines() (0 = newest; its text is
    // Slot(index + 1)); -1 for an item.
    int RecentEntry(int row) const;

    // What the filter compares: the folded name and the folded group name
    // through the group's index (0 for the group added first, and so on; -1
    // for a recent entry).
    std::string_view FoldedName(int row) const;
    int GroupCount() const { return static_cast<int>(FGroups.size()); }
    int GroupIndex(int row) const;
    std::string_view FoldedGroup(int group) const;

private:
    // A name as shown and folded, each a stretch of one of the two shared
    // buffers, so that 100,000 rows take four allocations, not 200,000.
    struct Text {
        size_t shown, shownLength;
        size_t folded, foldedLength;
    };
    struct Row {
        Text name;
        int owner;  // an item's group index, a recent entry's line index
    };

    Text Keep(std::string_view name);
    const Row& At(int row) const;

    std::string FShown;
    std::string FFolded;
    std::vector<Text> FGroups;
    std::vector<Row> FItems;
    std::vector<Row> FRecents;
};

}  // namespace pastimo
