#include "library/NameList.h"

#include <algorithm>

namespace pastimo {

NameList::NameList(const Collator& collator) : FCollator(&collator) {}

NameList NameList::FromUnsorted(std::vector<std::string> names, const Collator& collator) {
    collator.StableSort(names);
    NameList list(collator);
    list.FNames = std::move(names);
    return list;
}

int NameList::Insert(const std::string& name) {
    const Collator& collator = *FCollator;
    const auto at =
        std::upper_bound(FNames.begin(), FNames.end(), name, [&collator](const std::string& a, const std::string& b) {
            return collator.Compare(a, b) < 0;
        });
    const auto position = at - FNames.begin();
    FNames.insert(at, name);
    return static_cast<int>(position);
}

void NameList::Remove(int position) {
    if (position < 0 || position >= Count()) return;
    FNames.erase(FNames.begin() + position);
}

int NameList::IndexOf(const std::string& name) const {
    const auto it = std::find(FNames.begin(), FNames.end(), name);
    return it == FNames.end() ? -1 : static_cast<int>(it - FNames.begin());
}

// The list is sorted by the collator, so the rows it holds equal to a name
// stand together: found by two binary searches.
std::pair<int, int> NameList::SameNameRows(const std::string& name) const {
    const Collator& collator = *FCollator;
    const auto range =
        std::equal_range(FNames.begin(), FNames.end(), name, [&collator](const std::string& a, const std::string& b) {
            return collator.Compare(a, b) < 0;
        });
    return {static_cast<int>(range.first - FNames.begin()), static_cast<int>(range.second - FNames.begin())};
}

int NameList::IndexOfSameName(const std::string& name) const {
    const auto [first, last] = SameNameRows(name);
    return first < last ? first : -1;
}

int NameList::CountOfSameName(const std::string& name) const {
    const auto [first, last] = SameNameRows(name);
    return last - first;
}

}  // namespace pastimo
