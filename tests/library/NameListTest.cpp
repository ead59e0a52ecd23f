#include "library/NameList.h"

#include <gtest/gtest.h>

#include <clocale>
#include <random>

namespace pastimo {
namespace {

using Names = std::vector<std::string>;

NameList Inserted(const Names& names) {
    NameList list;
    for (const std::string& name : names) list.Insert(name);
    return list;
}

TEST(NameList, SortsIgnoringCase) {
    EXPECT_EQ(Inserted({"Beta", "alpha"}).Names(), (Names{"alpha", "Beta"}));
    EXPECT_EQ(Inserted({"delta", "Charlie", "bravo", "Alpha"}).Names(), (Names{"Alpha", "bravo", "Charlie", "delta"}));
    EXPECT_EQ(Inserted({"b", "", "a"}).Names(), (Names{"", "a", "b"}));
}

TEST(NameList, InsertReturnsPositionAndKeepsDuplicatesInArrivalOrder) {
    NameList list;
    EXPECT_EQ(list.Insert("m"), 0);
    EXPECT_EQ(list.Insert("z"), 1);
    EXPECT_EQ(list.Insert("a"), 0);
    EXPECT_EQ(list.Insert("M"), 2);  // after the equal "m"
    EXPECT_EQ(list.Insert("m"), 3);
    EXPECT_EQ(list.Names(), (Names{"a", "m", "M", "m", "z"}));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list[2], "M");
    EXPECT_EQ(list.IndexOf("m"), 1);
    EXPECT_EQ(list.IndexOf("q"), -1);
}

// Rows that differ only in case are one name to the file system.
TEST(NameList, RowsOfTheSameNameButForCaseAreFoundTogether) {
    const NameList list = Inserted({"c", "b", "a", "B", "bb", "b"});
    ASSERT_EQ(list.Names(), (Names{"a", "b", "B", "b", "bb", "c"}));
    EXPECT_EQ(list.IndexOfSameName("B"), 1);
    EXPECT_EQ(list.CountOfSameName("b"), 3);
    EXPECT_EQ(list.IndexOfSameName("A"), 0);
    EXPECT_EQ(list.CountOfSameName("A"), 1);
    EXPECT_EQ(list.IndexOfSameName("BB"), 4);
    EXPECT_EQ(list.IndexOfSameName("b "), -1);
    EXPECT_EQ(list.CountOfSameName("ab"), 0);
    EXPECT_EQ(NameList().IndexOfSameName(""), -1);
    EXPECT_TRUE(list.IsSameName("Bb", "bB"));
    EXPECT_FALSE(list.IsSameName("b", "bb"));
}

TEST(NameList, RemoveOutsideTheListDoesNothing) {
    NameList list = Inserted({"a", "b", "c"});
    list.Remove(-1);
    list.Remove(3);
    list.Remove(100);
    EXPECT_EQ(list.Names(), (Names{"a", "b", "c"}));
    list.Remove(1);
    EXPECT_EQ(list.Names(), (Names{"a", "c"}));
    list.Remove(0);
    list.Remove(0);
    list.Remove(0);
    EXPECT_EQ(list.Count(), 0);
}

// Loading sorts once; it must give exactly what inserting one by one gives,
// duplicates and case variants included.
void ExpectSortOnceMatchesInserting() {
    std::mt19937 random(12345);
    const std::vector<std::string> letters = {"a", "A", "b", "B", "z", "Z", " ", "_", "-", ".", "0", "\xC3\xA9"};
    for (int round = 0; round < 20; ++round) {
        Names names;
        for (int i = 0; i < 200; ++i) {
            std::string name;
            // Long shared beginnings too, so names tie on their first bytes.
            if (round % 2) name = (random() % 2) ? "Common prefix " : "common PREFIX ";
            for (int length = random() % 4; length > 0; --length) name += letters[random() % letters.size()];
            names.push_back(name);
        }
        EXPECT_EQ(NameList::FromUnsorted(names).Names(), Inserted(names).Names());
    }
}

TEST(NameList, SortingOnceMatchesInsertingOneByOne) { ExpectSortOnceMatchesInserting(); }

#ifndef _WIN32
// Outside the "C" locale the POSIX collator sorts on strxfrm keys.
TEST(NameList, SortingOnceMatchesInsertingInAnotherLocale) {
    const std::string previous = std::setlocale(LC_COLLATE, nullptr);
    if (!std::setlocale(LC_COLLATE, "C.UTF-8") && !std::setlocale(LC_COLLATE, "en_US.UTF-8"))
        GTEST_SKIP() << "no UTF-8 locale installed";
    ExpectSortOnceMatchesInserting();
    NameList list;
    list.Insert("Beta");
    list.Insert("alpha");
    EXPECT_EQ(list.Names(), (Names{"alpha", "Beta"}));
    std::setlocale(LC_COLLATE, previous.c_str());
}
#endif

}  // namespace
}  // namespace pastimo
