// The quick-pick rows and how typing filters and orders them.
#include "quickpick/QuickPickFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace pastimo {
namespace {

using Rows = std::vector<std::string>;

// Each shown row as "group/name", or "recent:line".
Rows Texts(const QuickPickRows& rows, const std::vector<int>& shown) {
    Rows texts;
    for (int row : shown)
        texts.push_back(rows.IsRecent(row) ? "recent:" + std::string(rows.Name(row))
                                           : std::string(rows.Group(row)) + "/" + std::string(rows.Name(row)));
    return texts;
}

Rows Filtered(const QuickPickRows& rows, std::string_view query) {
    QuickPickFilter filter(rows);
    return Texts(rows, filter.SetQuery(query));
}

TEST(QuickPickRows, ItemsInLibraryOrderThenRecentEntriesThatHoldText) {
    RecentEntries recents;
    recents.Capture("first\r\nsecond line");
    recents.Capture([]() -> ReadText { throw std::runtime_error("unreadable"); });  // leaves its slot empty
    recents.Capture("newest");

    QuickPickRows rows;
    rows.AddGroup("Letters", {"Reply", "Invoice"});
    rows.AddGroup("Empty", {});
    rows.AddGroup("Code", {"loop"});
    rows.AddRecents(recents);

    const Rows expected = {"Letters/Reply", "Letters/Invoice", "Code/loop", "recent:newest", "recent:first"};
    EXPECT_EQ(Filtered(rows, ""), expected);
    EXPECT_EQ(Filtered(rows, " \t "), expected);
    // The window pastes a recent row's entry through this index.
    ASSERT_EQ(rows.Count(), 5);
    EXPECT_EQ(rows.RecentEntry(3), 0);
    EXPECT_EQ(recents.Slot(static_cast<size_t>(rows.RecentEntry(4)) + 1), "first\r\nsecond line\r\n");
    EXPECT_EQ(rows.RecentEntry(2), -1);
    EXPECT_EQ(rows.Group(3), "");
    EXPECT_THROW(rows.Name(5), std::out_of_range);
}

TEST(QuickPickFilter, EveryWordInTheItemOrItsGroupInAnyOrder) {
    QuickPickRows rows;
    rows.AddGroup("Letters", {"Reply to customer", "Invoice reminder"});
    rows.AddGroup("Code", {"customer query", "Letter template"});

    EXPECT_EQ(Filtered(rows, "customer letters"), Rows{"Letters/Reply to customer"});
    EXPECT_EQ(Filtered(rows, "LETTERS  Customer"), Rows{"Letters/Reply to customer"});
    EXPECT_EQ(Filtered(rows, "customer code"), Rows{"Code/customer query"});
    EXPECT_EQ(Filtered(rows, "reminder code"), Rows{}) << "each word in the same row";
    EXPECT_EQ(Filtered(rows, "lettersreply"), Rows{}) << "a word never runs from the group into the name";
    EXPECT_EQ(Filtered(rows, "zzz"), Rows{});

    QuickPickRows japanese;
    japanese.AddGroup("駅", {"東京", "大阪"});
    EXPECT_EQ(Filtered(japanese, "東京　駅"), Rows{"駅/東京"}) << "the ideographic space parts words";
}

TEST(QuickPickFilter, IgnoresCaseInAnyScript) {
    QuickPickRows rows;
    rows.AddGroup("Été", {"Λόγος", "МОСКВА", "ＡＢＣ", "𐐔𐐇", "İstanbul"});
    EXPECT_EQ(Filtered(rows, "ÉTÉ ΛΌΓΟΣ"), Rows{"Été/Λόγος"});
    EXPECT_EQ(Filtered(rows, "москва"), Rows{"Été/МОСКВА"});
    EXPECT_EQ(Filtered(rows, "ａｂｃ"), Rows{"Été/ＡＢＣ"});
    EXPECT_EQ(Filtered(rows, "𐐼𐐯"), Rows{"Été/𐐔𐐇"});
    EXPECT_EQ(Filtered(rows, "istanbul"), Rows{"Été/İstanbul"});
}

TEST(QuickPickFilter, NamesStartingWithTheFirstWordComeFirst) {
    RecentEntries recents;
    recents.Capture("cardboard box\r\nCards");
    QuickPickRows rows;
    rows.AddGroup("Cards", {"Xmas card", "old"});
    rows.AddGroup("Office", {"index card", "Card reader"});
    rows.AddRecents(recents);

    EXPECT_EQ(Filtered(rows, "card"),
              (Rows{"Office/Card reader", "recent:cardboard box", "Cards/Xmas card", "Cards/old", "Office/index card"}))
        << "a group's name does not move its rows up";
    EXPECT_EQ(Filtered(rows, "card index"), (Rows{"Office/index card"}));
    EXPECT_EQ(Filtered(rows, "index card"), (Rows{"Office/index card"}));
    EXPECT_EQ(Filtered(rows, "box"), (Rows{"recent:cardboard box"}));
    EXPECT_EQ(Filtered(rows, "cards"), (Rows{"Cards/Xmas card", "Cards/old"}))
        << "a recent entry matches on its first line only";
}

// Narrowing looks only at the rows shown for the last query; whatever was
// typed, the rows and their order must be those a fresh filter gives.
TEST(QuickPickFilter, EveryKeystrokeShowsWhatAFreshFilterShows) {
    QuickPickRows rows;
    rows.AddGroup("g", {"xab", "a-ab", "ba", "Abc", "c a b", "é É"});
    const std::vector<std::string> typed = {"a", "ab", "ab ", "ab c", "ab", "a", "",
                                            "b", "ab", "cab", "ca b", "É",  "Éé"};
    QuickPickFilter filter(rows);
    for (const std::string& query : typed)
        EXPECT_EQ(Texts(rows, filter.SetQuery(query)), Filtered(rows, query)) << query;

    // Random edits at the end and inside: characters typed and deleted.
    std::mt19937 random(18);
    const std::string letters[] = {"a", "b", "c", " ", "é", "É"};
    std::vector<std::string> characters;
    for (int step = 0; step < 400; ++step) {
        const size_t at = random() % 2 ? characters.size() : random() % (characters.size() + 1);
        if (!characters.empty() && random() % 3 == 0)
            characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(std::min(at, characters.size() - 1)));
        else
            characters.insert(characters.begin() + static_cast<std::ptrdiff_t>(at), letters[random() % 6]);
        std::string query;
        for (const std::string& c : characters) query += c;
        EXPECT_EQ(Texts(rows, filter.SetQuery(query)), Filtered(rows, query)) << query;
    }
}

}  // namespace
}  // namespace pastimo
