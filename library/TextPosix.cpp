// POSIX stand-ins for the ANSI code page services: a case-folding strcoll
// collator and no lead bytes (the stored bytes are single-byte or UTF-8, and
// UTF-8 never hides a CR or LF inside a character).

#include "library/Collation.h"
#include "library/TextFormats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <numeric>

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

class PosixCollator final : public Collator {
public:
    int Compare(std::string_view a, std::string_view b) const override {
        return std::strcoll(Folded(a).c_str(), Folded(b).c_str());
    }

    // Keys once per name instead of two folded copies per comparison.
    void StableSort(std::vector<std::string>& names) const override {
        std::vector<std::string> keys;
        keys.reserve(names.size());
        for (const std::string& name : names) keys.push_back(SortKey(name));
        std::vector<size_t> order(names.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
        std::vector<std::string> sorted;
        sorted.reserve(names.size());
        for (size_t i : order) sorted.push_back(std::move(names[i]));
        names.swap(sorted);
    }
};

}  // namespace

const Collator& PlatformCollator() {
    static const PosixCollator instance;
    return instance;
}

LeadBytePredicate PlatformLeadBytePredicate() {
    return nullptr;
}

}  // namespace pastimo
