#include "library/Collation.h"

#include <algorithm>

namespace pastimo {

void Collator::StableSort(std::vector<std::string>& names) const {
    std::stable_sort(names.begin(), names.end(),
                     [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
}

}  // namespace pastimo
