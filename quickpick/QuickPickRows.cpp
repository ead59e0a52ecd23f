#include "quickpick/QuickPickRows.h"

#include "toolkit/CaseFold.h"

#include <stdexcept>

namespace pastimo {

QuickPickRows::Text QuickPickRows::Keep(std::string_view name) {
    Text text;
    text.shown = FShown.size();
    text.shownLength = name.size();
    FShown.append(name);
    text.folded = FFolded.size();
    AppendFoldedCase(FFolded, name);
    text.foldedLength = FFolded.size() - text.folded;
    return text;
}

void QuickPickRows::AddGroup(std::string_view group, const std::vector<std::string>& items) {
    const int index = GroupCount();
    FGroups.push_back(Keep(group));
    for (const std::string& item : items) FItems.push_back({Keep(item), index});
}

void QuickPickRows::AddRecents(const RecentEntries& recents) {
    const std::vector<std::string>& lines = recents.Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (recents.Slot(i + 1).empty()) continue;
        FRecents.push_back({Keep(lines[i]), static_cast<int>(i)});
    }
}

const QuickPickRows::Row& QuickPickRows::At(int row) const {
    if (row < 0 || row >= Count()) throw std::out_of_range("no such quick-pick row");
    return row < ItemCount() ? FItems[static_cast<size_t>(row)] : FRecents[static_cast<size_t>(row - ItemCount())];
}

std::string_view QuickPickRows::Name(int row) const {
    const Text& name = At(row).name;
    return std::string_view(FShown).substr(name.shown, name.shownLength);
}

std::string_view QuickPickRows::Group(int row) const {
    const Row& r = At(row);
    if (IsRecent(row)) return std::string_view();
    const Text& group = FGroups[static_cast<size_t>(r.owner)];
    return std::string_view(FShown).substr(group.shown, group.shownLength);
}

int QuickPickRows::RecentEntry(int row) const {
    const Row& r = At(row);
    return IsRecent(row) ? r.owner : -1;
}

std::string_view QuickPickRows::FoldedName(int row) const {
    const Text& name = At(row).name;
    return std::string_view(FFolded).substr(name.folded, name.foldedLength);
}

int QuickPickRows::GroupIndex(int row) const {
    const Row& r = At(row);
    return IsRecent(row) ? -1 : r.owner;
}

std::string_view QuickPickRows::FoldedGroup(int group) const {
    const Text& text = FGroups.at(static_cast<size_t>(group));
    return std::string_view(FFolded).substr(text.folded, text.foldedLength);
}

}  // namespace pastimo
