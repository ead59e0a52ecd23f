// The name list reader gets whatever bytes categories.dat or a group's item
// list holds. Checks it against a byte-by-byte reading of the same rules,
// that the names survive being written and read back, and that the one-sort
// load orders them exactly as inserting them one by one would.

#include "fuzz/FuzzCheck.h"
#include "library/NameList.h"
#include "library/TextFormats.h"

#include <clocale>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace pastimo;

namespace {

// The reader's rules, one byte at a time: stop at NUL; CR LF, lone CR and
// lone LF each end a line; a break at the very end gives no empty line.
std::vector<std::string> SlowSplit(std::string_view bytes) {
    std::vector<std::string> names;
    std::string line;
    bool open = false;
    for (size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            names.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) names.push_back(line);
    return names;
}

// Another list from the same bytes: names split at 0x1F, with every CR, LF
// and NUL dropped, so empty names and odd bytes come up often.
std::vector<std::string> CleanNames(std::string_view bytes) {
    std::vector<std::string> names(1);
    for (char c : bytes) {
        if (c == '\x1f')
            names.emplace_back();
        else if (c != '\r' && c != '\n' && c != '\0')
            names.back() += c;
    }
    if (bytes.empty()) names.clear();
    return names;
}

void CheckSortedLoad(const std::vector<std::string>& names) {
    const NameList loaded = NameList::FromUnsorted(names);
    FUZZ_CHECK(loaded.Count() == static_cast<int>(names.size()));
    const Collator& collator = loaded.GetCollator();
    for (int i = 1; i < loaded.Count(); ++i) FUZZ_CHECK(collator.Compare(loaded[i - 1], loaded[i]) <= 0);

    // Inserting one by one is quadratic: compare on a bounded prefix.
    constexpr size_t kInsertLimit = 300;
    const std::vector<std::string> head(names.begin(), names.begin() + std::min(names.size(), kInsertLimit));
    NameList inserted;
    for (const std::string& name : head) {
        const int at = inserted.Insert(name);
        FUZZ_CHECK(inserted[at] == name);
    }
    FUZZ_CHECK(NameList::FromUnsorted(head).Names() == inserted.Names());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> names = SplitNameListText(bytes);
    FUZZ_CHECK(names == SlowSplit(bytes));
    for (const std::string& name : names)
        FUZZ_CHECK(name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    FUZZ_CHECK(SplitNameListText(JoinNameListText(names)) == names);

    const std::vector<std::string> clean = CleanNames(bytes);
    const std::string written = JoinNameListText(clean);
    FUZZ_CHECK(SplitNameListText(written) == clean);

    // The sort runs under the "C" locale's byte order and under a real
    // locale's collation (strcoll and strxfrm keys).
    const char* locale = size > 0 && (data[0] & 1) ? "C.UTF-8" : "C";
    if (std::setlocale(LC_COLLATE, locale)) CheckSortedLoad(names);
    std::setlocale(LC_COLLATE, "C");
    return 0;
}
