// NameList must order names exactly as a real sorted LISTBOX does, because
// the main window shows a NameList row for row in an unsorted one.

#include "library/NameList.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>

namespace pastimo {
namespace {

class SortedListBox {
public:
    SortedListBox() {
        FHwnd = CreateWindowExA(0, "LISTBOX", "", LBS_SORT | LBS_HASSTRINGS | WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!FHwnd) ADD_FAILURE() << "CreateWindowExA(LISTBOX) failed: " << GetLastError();
    }
    ~SortedListBox() { DestroyWindow(FHwnd); }
    void Add(const std::string& name) { SendMessageA(FHwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())); }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendMessageA(FHwnd, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string row(static_cast<size_t>(SendMessageA(FHwnd, LB_GETTEXTLEN, i, 0)) + 1, '\0');
            row.resize(static_cast<size_t>(SendMessageA(FHwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&row[0]))));
            rows.push_back(row);
        }
        return rows;
    }

private:
    HWND FHwnd = nullptr;
};

// Row for row the same, except that names comparing equal may stand in any
// order among themselves (the list box does not promise one).
void ExpectSameOrder(const std::vector<std::string>& names) {
    SortedListBox box;
    NameList inserted;
    for (const std::string& name : names) {
        box.Add(name);
        inserted.Insert(name);
    }
    const NameList loaded = NameList::FromUnsorted(names);
    const std::vector<std::string> rows = box.Rows();
    ASSERT_EQ(rows.size(), names.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(PlatformCollator().Compare(rows[i], inserted.Names()[i]), 0)
            << "row " << i << ": list box '" << rows[i] << "', NameList '" << inserted.Names()[i] << "'";
        EXPECT_EQ(loaded.Names()[i], inserted.Names()[i]) << i;
    }
}

TEST(ListBoxOrder, NamesWithCaseAndPunctuation) {
    ExpectSameOrder({"Beta", "alpha", "Zulu", "zebra", "a-b", "ab", "a b", "a_b", "a'b", "(x)", "#1", "10", "9",
                     "\xC4rger", "\xFC" "ber", "Mixed Case", "mixed cases", "x.y", "x,y", "x;y", "~t", "!bang", "",
                     " lead", "co-op", "coop", "CoOp2", "&and", "%pct"});
}

TEST(ListBoxOrder, DuplicatesAndCaseVariants) {
    ExpectSameOrder({"same", "Same", "SAME", "same", "other", "Other"});
}

TEST(ListBoxOrder, RandomNames) {
    std::mt19937 random(2024);
    const std::string alphabet = "aAbBcCxXyYzZ 0129-_'.,;&!#%()\xE4\xC4\xF6\xE9\xDF";
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        std::string name;
        for (int length = 1 + random() % 6; length > 0; --length) name += alphabet[random() % alphabet.size()];
        names.push_back(name);
    }
    ExpectSameOrder(names);
}

}  // namespace
}  // namespace pastimo
