// NameList must order names exactly as a real sorted LISTBOX does, because
// the main window shows a NameList row for row in an unsorted one.

#include "library/NameList.h"
#include "toolkit/Unicode.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>

namespace pastimo {
namespace {

// A wide list box, fed and read in UTF-16 as the main window's are.
class SortedListBox {
public:
    SortedListBox() {
        FHwnd = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS | WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!FHwnd) ADD_FAILURE() << "CreateWindowExW(LISTBOX) failed: " << GetLastError();
    }
    ~SortedListBox() { DestroyWindow(FHwnd); }
    void Add(const std::string& name) {
        const std::u16string wide = Utf8ToUtf16(name);
        SendMessageW(FHwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendMessageW(FHwnd, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::u16string row(static_cast<size_t>(SendMessageW(FHwnd, LB_GETTEXTLEN, i, 0)) + 1, u'\0');
            row.resize(static_cast<size_t>(SendMessageW(FHwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&row[0]))));
            rows.push_back(Utf16ToUtf8(row));
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
    ExpectSameOrder({"Beta",
                     "alpha",
                     "Zulu",
                     "zebra",
                     "a-b",
                     "ab",
                     "a b",
                     "a_b",
                     "a'b",
                     "(x)",
                     "#1",
                     "10",
                     "9",
                     "\xC3\x84rger",
                     "\xC3\xBC"
                     "ber",
                     "Mixed Case",
                     "mixed cases",
                     "x.y",
                     "x,y",
                     "x;y",
                     "~t",
                     "!bang",
                     "",
                     " lead",
                     "co-op",
                     "coop",
                     "CoOp2",
                     "&and",
                     "%pct"});
}

TEST(ListBoxOrder, DuplicatesAndCaseVariants) { ExpectSameOrder({"same", "Same", "SAME", "same", "other", "Other"}); }

// Letters of the ANSI code page and beyond it: CJK, Greek, Polish, arrows,
// an emoji outside the BMP, and look-alikes of ASCII ("∞", "ł").
TEST(ListBoxOrder, NamesOutsideTheCodePage) {
    ExpectSameOrder({"Kaffee \xE2\x98\x95",
                     "kaffee",
                     "Kaffee",
                     "\xE6\x9D\xB1\xE4\xBA\xAC",
                     "\xE6\x9D\xB1",
                     "\xE4\xBA\xAC",
                     "\xCE\xA9mega",
                     "\xCF\x89MEGA",
                     "omega",
                     "\xE2\x86\x92 right",
                     "\xE2\x86\x90 left",
                     "\xC5\x81\xC3\xB3\x64\xC5\xBA",
                     "\xC5\x82\xC3\xB3\x64\xC5\xBA",
                     "lodz",
                     "\xE2\x88\x9E",
                     "8",
                     "\xF0\x9F\x99\x82",
                     "\xF0\x9F\x98\x80 smile",
                     "\xC3\x84rger",
                     "Arger",
                     "zz"});
}

TEST(ListBoxOrder, RandomNames) {
    std::mt19937 random(2024);
    const std::vector<std::string> alphabet = {
        "a", "A", "b", "B", "c", "C",        "x",        "X",        "y",        "Y",       "z", "Z",
        " ", "0", "1", "2", "9", "-",        "_",        "'",        ".",        ",",       ";", "&",
        "!", "#", "%", "(", ")", "\xC3\xA4", "\xC3\x84", "\xC3\xB6", "\xC3\xA9", "\xC3\x9F"};
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
