#pragma once
// The order of the platform's sorted list box: alphabetical by the user's
// locale, ignoring case. Names are UTF-8. Portable: no Windows headers.

#include <string>
#include <string_view>
#include <vector>

namespace pastimo {

class Collator {
public:
    virtual ~Collator() = default;

    // Negative, zero or positive as a sorts before, with or after b.
    virtual int Compare(std::string_view a, std::string_view b) const = 0;

    // Sorts names into Compare order, keeping equal names in their order.
    // A collator may override this with something faster than comparing
    // pairs (sort keys), as long as the result is the same.
    virtual void StableSort(std::vector<std::string>& names) const;
};

// Win32: CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE), as a sorted
// LISTBOX compares. POSIX: strcoll on copies case-folded byte by byte, in
// the current C locale (in the "C" locale: code point order, ASCII case
// ignored).
const Collator& PlatformCollator();

}  // namespace pastimo
