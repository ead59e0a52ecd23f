#pragma once
// A list of group or item names, always in the order of the platform's sorted
// list box (see Collation.h). The main window shows it row for row in an
// unsorted list box, so row i is position i. Portable.

#include "library/Collation.h"

#include <string>
#include <utility>
#include <vector>

namespace pastimo {

class NameList {
public:
    explicit NameList(const Collator& collator = PlatformCollator());

    // Sorts once: for many names at a time (a file's lines), where inserting
    // one by one would cost a vector shift per name. Names that compare equal
    // keep their given order, as if inserted one after the other.
    static NameList FromUnsorted(std::vector<std::string> names, const Collator& collator = PlatformCollator());

    // Puts the name at its sorted place, after any names that compare equal;
    // returns that position.
    int Insert(const std::string& name);

    // Removes the name at position; -1 or any position not in the list does
    // nothing.
    void Remove(int position);

    int Count() const { return static_cast<int>(FNames.size()); }
    const std::string& operator[](int position) const { return FNames.at(static_cast<size_t>(position)); }
    const std::vector<std::string>& Names() const { return FNames; }

    // Position of the first name with exactly these bytes, or -1.
    int IndexOf(const std::string& name) const;

    // Rows of the same name but for case, as the list's order holds them
    // equal: Windows file names ignore case too, so such rows name one file.
    // The first such row, or -1; and how many there are.
    int IndexOfSameName(const std::string& name) const;
    int CountOfSameName(const std::string& name) const;
    bool IsSameName(const std::string& a, const std::string& b) const { return FCollator->Compare(a, b) == 0; }

    const Collator& GetCollator() const { return *FCollator; }

private:
    std::pair<int, int> SameNameRows(const std::string& name) const;

    const Collator* FCollator;  // not owned: the platform's or the caller's, outlives the list
    std::vector<std::string> FNames;
};

}  // namespace pastimo
