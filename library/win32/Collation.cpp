// The order of a sorted LISTBOX on Win32.

#include "library/Collation.h"

#include "toolkit/Unicode.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

namespace pastimo {
namespace {

// A sorted list box compares its rows with CompareStringW(LOCALE_USER_DEFAULT,
// NORM_IGNORECASE); using the same call keeps NameList row for row with it.
// For names the ANSI code page holds this is also the order CompareStringA
// gave when names were kept in that code page.
// https://learn.microsoft.com/windows/win32/api/stringapiset/nf-stringapiset-comparestringw
int CompareWide(std::u16string_view a, std::u16string_view b, std::string_view utf8A, std::string_view utf8B) {
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                                      static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                                      static_cast<int>(b.size()));
    if (result == 0) return utf8A.compare(utf8B);  // not expected; keep a total order anyway
    return result - CSTR_EQUAL;
}

class Win32Collator final : public Collator {
public:
    int Compare(std::string_view a, std::string_view b) const override {
        return CompareWide(Utf8ToUtf16(a), Utf8ToUtf16(b), a, b);
    }

    // Each name is converted once, not once per comparison.
    void StableSort(std::vector<std::string>& names) const override {
        std::vector<std::u16string> wide;
        wide.reserve(names.size());
        for (const std::string& name : names) wide.push_back(Utf8ToUtf16(name));
        std::vector<size_t> order(names.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return CompareWide(wide[a], wide[b], names[a], names[b]) < 0; });
        std::vector<std::string> sorted;
        sorted.reserve(names.size());
        for (size_t i : order) sorted.push_back(std::move(names[i]));
        names.swap(sorted);
    }
};

}  // namespace

const Collator& PlatformCollator() {
    static const Win32Collator instance;
    return instance;
}

}  // namespace pastimo
