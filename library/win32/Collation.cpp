// The order of a sorted LISTBOX on Win32.

#include "library/Collation.h"

#include <windows.h>

namespace pastimo {
namespace {

// A sorted list box compares its rows with CompareString(LOCALE_USER_DEFAULT,
// NORM_IGNORECASE); using the same call keeps NameList row for row with it.
// https://learn.microsoft.com/windows/win32/api/winnls/nf-winnls-comparestringa
class Win32Collator final : public Collator {
public:
    int Compare(std::string_view a, std::string_view b) const override {
        const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                          b.data(), static_cast<int>(b.size()));
        if (result == 0) return a.compare(b);  // not expected; keep a total order anyway
        return result - CSTR_EQUAL;
    }
};

}  // namespace

const Collator& PlatformCollator() {
    static const Win32Collator instance;
    return instance;
}

}  // namespace pastimo
