// The POSIX stand-in for a sorted LISTBOX's order: strcoll on case-folded
// copies in the current locale.

#include "library/Collation.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdint>
#include <cstring>

namespace pastimo {
namespace {

std::string Folded(std::string_view s) {
    std::string folded(s);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// strxfrm keys compare with strcmp exactly as the strings do with strcoll.
std::string SortKey(std::string_view s) {
    const std::string folded = Folded(s);
    std::string key(folded.size() + 1, '\0');
    size_t needed = std::strxfrm(&key[0], folded.c_str(), key.size());
    if (needed >= key.size()) {
        key.assign(needed + 1, '\0');
        needed = std::strxfrm(&key[0], folded.c_str(), key.size());
    }
    key.resize(needed);
    return key;
}

// In the "C" locale strcoll is strcmp, so folded bytes can be compared in
// place, with no copies at all.
bool CollatesBytewise() {
    const char* name = std::setlocale(LC_COLLATE, nullptr);
    return name && (std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0);
}

// The "C" locale's tolower, without a library call per byte.
int FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

int CompareFolded(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = FoldAscii(static_cast<unsigned char>(a[i]));
        const int y = FoldAscii(static_cast<unsigned char>(b[i]));
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

class PosixCollator final : public Collator {
public:
    int Compare(std::string_view a, std::string_view b) const override {
        if (CollatesBytewise()) return CompareFolded(a, b);
        return std::strcoll(Folded(a).c_str(), Folded(b).c_str());
    }

    // Keys once per name instead of two folded copies per comparison.
    void StableSort(std::vector<std::string>& names) const override {
        if (CollatesBytewise()) {
            SortBytewise(names);
            return;
        }
        struct Keyed {
            std::string key;
            size_t index;
        };
        std::vector<Keyed> keyed;
        keyed.reserve(names.size());
        for (size_t i = 0; i < names.size(); ++i) keyed.push_back({SortKey(names[i]), i});
        // The index breaks ties, which makes the plain sort stable.
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
            const int order = a.key.compare(b.key);
            return order != 0 ? order < 0 : a.index < b.index;
        });
        std::vector<std::string> sorted;
        sorted.reserve(names.size());
        for (const Keyed& k : keyed) sorted.push_back(std::move(names[k.index]));
        names.swap(sorted);
    }

private:
    // Sorts on the first eight folded bytes held in one integer, so nearly
    // every comparison is an integer compare in one contiguous array; only
    // equal prefixes look at the names. The index breaks ties: stable.
    static void SortBytewise(std::vector<std::string>& names) {
        struct Prefixed {
            uint64_t prefix;
            size_t index;
        };
        std::vector<Prefixed> order;
        order.reserve(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string& name = names[i];
            uint64_t prefix = 0;
            for (size_t k = 0; k < 8; ++k)
                prefix = (prefix << 8) |
                         (k < name.size() ? static_cast<uint64_t>(FoldAscii(static_cast<unsigned char>(name[k]))) : 0);
            order.push_back({prefix, i});
        }
        std::sort(order.begin(), order.end(), [&names](const Prefixed& a, const Prefixed& b) {
            if (a.prefix != b.prefix) return a.prefix < b.prefix;
            const int c = CompareFolded(names[a.index], names[b.index]);
            return c != 0 ? c < 0 : a.index < b.index;
        });
        std::vector<std::string> sorted;
        sorted.reserve(names.size());
        for (const Prefixed& p : order) sorted.push_back(std::move(names[p.index]));
        names.swap(sorted);
    }
};

}  // namespace

const Collator& PlatformCollator() {
    static const PosixCollator instance;
    return instance;
}

}  // namespace pastimo
