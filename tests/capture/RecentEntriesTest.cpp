// The five recent entries and their list.
#include "capture/RecentEntries.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace pastimo {
namespace {

TEST(SplitCrLfLines, OnlyCrLfDividesLines) {
    EXPECT_TRUE(SplitCrLfLines("").empty());
    EXPECT_EQ(SplitCrLfLines("\r\n"), (std::vector<std::string_view>{""}));
    EXPECT_EQ(SplitCrLfLines("a\rb\nc\r\nd\r\n"), (std::vector<std::string_view>{"a\rb\nc", "d"}));
    EXPECT_EQ(SplitCrLfLines("a\r\n\r\n"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_EQ(SplitCrLfLines("a\r"), (std::vector<std::string_view>{"a\r"}));
}

TEST(RecentEntries, StartsEmpty) {
    RecentEntries entries;
    EXPECT_TRUE(entries.Lines().empty());
    for (size_t n = 1; n <= kRecentEntryCount; ++n) EXPECT_EQ(entries.Slot(n), "");
    EXPECT_EQ(entries.ViewerText(0), "");
    EXPECT_EQ(entries.ListLine(0), "");
    EXPECT_THROW(entries.Slot(0), std::out_of_range);
    EXPECT_THROW(entries.Slot(6), std::out_of_range);
}

TEST(RecentEntries, FirstCopyFillsSlotOneOnly) {
    RecentEntries entries;
    entries.Capture("hello");
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"hello"}));
    EXPECT_EQ(entries.Slot(1), "hello\r\n");
    for (size_t n = 2; n <= kRecentEntryCount; ++n) EXPECT_EQ(entries.Slot(n), "");
    EXPECT_EQ(entries.ViewerText(0), "hello\r\n");
}

TEST(RecentEntries, SixCopiesKeepTheLastFive) {
    RecentEntries entries;
    for (const char* text : {"one", "two", "three", "four", "five", "six"}) entries.Capture(text);
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"six", "five", "four", "three", "two"}));
    EXPECT_EQ(entries.Slot(1), "six\r\n");
    EXPECT_EQ(entries.Slot(5), "two\r\n");
    for (size_t i = 0; i < kRecentEntryCount; ++i) EXPECT_EQ(entries.ViewerText(i), entries.Lines()[i] + "\r\n");
}

TEST(RecentEntries, MultiLineTextShowsItsFirstLine) {
    RecentEntries entries;
    entries.Capture("alpha\r\nbeta");
    EXPECT_EQ(entries.ListLine(0), "alpha");
    EXPECT_EQ(entries.ViewerText(0), "alpha\r\nbeta\r\n");
    // Lone CR and LF are ordinary characters, also in the list line.
    entries.Capture("a\nb\rc");
    EXPECT_EQ(entries.ListLine(0), "a\nb\rc");
    // A text ending in CR LF has an empty last line, which survives moving down.
    entries.Capture("x\r\n");
    entries.Capture("y");
    EXPECT_EQ(entries.Slot(2), "x\r\n\r\n");
    EXPECT_EQ(entries.Slot(4), "alpha\r\nbeta\r\n");
}

TEST(RecentEntries, LongLinesAreCutAtEachLineByLineCopy) {
    RecentEntries entries;
    const std::string longLine(5000, 'a');
    const std::string second(4097, 'b');
    entries.Capture(longLine + "\r\n" + second);
    EXPECT_EQ(entries.ListLine(0), std::string(4096, 'a'));
    // Slot 1 keeps the text as it came; the viewer and the move down cut it.
    EXPECT_EQ(entries.Slot(1), longLine + "\r\n" + second + "\r\n");
    const std::string cut = std::string(4096, 'a') + "\r\n" + std::string(4096, 'b') + "\r\n";
    EXPECT_EQ(entries.ViewerText(0), cut);
    entries.Capture("next");
    EXPECT_EQ(entries.Slot(2), cut);
    EXPECT_EQ(entries.ListLine(1), std::string(4096, 'a'));
}

TEST(RecentEntries, LongLineBehindShortOnesIsFoundWhenMovingDown) {
    std::string shortLines;
    for (int i = 0; i < 100; ++i) shortLines += std::string(60, 's') + "\r\n";
    struct Case {
        std::string text;
        std::string moved;
    };
    const Case cases[] = {
        {shortLines + std::string(4097, 'y'), shortLines + std::string(4096, 'y') + "\r\n"},
        {shortLines + std::string(4096, 'y') + "\r\n" + std::string(4097, 'z') + "\r\nend",
         shortLines + std::string(4096, 'y') + "\r\n" + std::string(4096, 'z') + "\r\nend\r\n"},
        {shortLines + std::string(4096, 'y') + "\r\n" + std::string(4096, 'z'),
         shortLines + std::string(4096, 'y') + "\r\n" + std::string(4096, 'z') + "\r\n"},
        {std::string(4095, 'y') + "\r\n\r\n" + std::string(4097, 'z'),
         std::string(4095, 'y') + "\r\n\r\n" + std::string(4096, 'z') + "\r\n"},
    };
    for (const Case& c : cases) {
        RecentEntries entries;
        entries.Capture(c.text);
        entries.Capture("next");
        EXPECT_EQ(entries.Slot(2), c.moved) << c.text.size() << " bytes";
    }
}

TEST(RecentEntries, EmptyTextGivesABlankLineAndMovesTheOthers) {
    RecentEntries entries;
    entries.Capture("first");
    entries.Capture("");
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"", "first"}));
    EXPECT_EQ(entries.Slot(1), "\r\n");
    EXPECT_EQ(entries.Slot(2), "first\r\n");
    EXPECT_EQ(entries.ViewerText(0), "\r\n");
}

TEST(RecentEntries, TextStartingWithCrLfGivesABlankLine) {
    RecentEntries entries;
    entries.Capture("\r\nbody\r\nmore");
    EXPECT_EQ(entries.ListLine(0), "");
    EXPECT_EQ(entries.ViewerText(0), "\r\nbody\r\nmore\r\n");
}

TEST(RecentEntries, CapacityCountsTheClosingCrLf) {
    RecentEntries entries;
    const std::string fits(kLongestRecordedText, 'f');
    entries.Capture(fits);
    EXPECT_EQ(entries.Slot(1).size(), kRecentEntryCapacity);
    EXPECT_EQ(entries.ListLine(0), std::string(kRecentLineLimit, 'f'));

    entries.Capture(std::string(kLongestRecordedText + 1, 'o'));
    EXPECT_EQ(entries.Slot(1), "");
    EXPECT_EQ(entries.ListLine(0), "");
    EXPECT_EQ(entries.ViewerText(0), "");
    EXPECT_EQ(entries.Lines().size(), 2u);
    // The entry that fitted moved down, cut to the line limit.
    EXPECT_EQ(entries.Slot(2), std::string(kRecentLineLimit, 'f') + "\r\n");

    entries.Capture(std::string(kRecentEntryCapacity, 'o'));
    EXPECT_EQ(entries.Slot(1), "");
    EXPECT_EQ(entries.Lines().size(), 3u);
}

// Limits count UTF-16 units: a CJK character is one unit in three bytes, an
// emoji two units in four bytes.
const std::string kCjk = "\xE6\x9D\xB1";        // U+6771
const std::string kEmoji = "\xF0\x9F\x99\x82";  // U+1F642

std::string Repeat(const std::string& piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(RecentEntries, LineLimitCountsUnitsAndNeverSplitsAPair) {
    struct Case {
        const char* what;
        std::string line;
        std::string cut;
    };
    const Case cases[] = {
        {"4096th unit would be half an emoji", std::string(4095, 'a') + kEmoji + "z", std::string(4095, 'a')},
        {"emoji ends at unit 4096", std::string(4094, 'a') + kEmoji + "z", std::string(4094, 'a') + kEmoji},
        {"4096 CJK characters, 12288 bytes", Repeat(kCjk, 4096), Repeat(kCjk, 4096)},
        {"5000 CJK characters", Repeat(kCjk, 5000), Repeat(kCjk, 4096)},
        {"ASCII over the limit", std::string(4097, 'b'), std::string(4096, 'b')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecentEntries entries;
        entries.Capture(c.line + "\r\nsecond");
        EXPECT_EQ(entries.ListLine(0), c.cut);
        EXPECT_EQ(entries.ViewerText(0), c.cut + "\r\nsecond\r\n");
        entries.Capture("next");
        EXPECT_EQ(entries.Slot(2), c.cut + "\r\nsecond\r\n");
    }
}

TEST(RecentEntries, CapacityCountsUnitsAtASurrogatePair) {
    RecentEntries entries;
    const std::string fits = std::string(kLongestRecordedText - 2, 'a') + kEmoji;  // 32768 bytes
    entries.Capture(fits);
    EXPECT_EQ(entries.Slot(1), fits + "\r\n");
    EXPECT_EQ(entries.ListLine(0), std::string(kRecentLineLimit, 'a'));

    entries.Capture(std::string(kLongestRecordedText - 1, 'a') + kEmoji);  // one unit more
    EXPECT_EQ(entries.Slot(1), "");
    EXPECT_EQ(entries.ListLine(0), "");

    const std::string wide = Repeat(kCjk, kLongestRecordedText);  // 98298 bytes
    entries.Capture(wide);
    EXPECT_EQ(entries.Slot(1), wide + "\r\n");
}

TEST(RecentEntries, EntryMovedDownAgainAndAgainIsCutOnceAndRight) {
    RecentEntries entries;
    entries.Capture("");
    const std::string cjkLine = Repeat(kCjk, 4100);
    const std::string emojiLine = std::string(4095, 'e') + kEmoji + kEmoji;
    entries.Capture("short\r\n" + cjkLine + "\r\n" + emojiLine);
    const std::string cut = "short\r\n" + Repeat(kCjk, 4096) + "\r\n" + std::string(4095, 'e') + "\r\n";
    for (size_t slot = 2; slot <= kRecentEntryCount; ++slot) {
        entries.Capture(std::to_string(slot));
        EXPECT_EQ(entries.Slot(slot), cut) << "slot " << slot;
        EXPECT_EQ(entries.ViewerText(slot - 1), cut) << "slot " << slot;
        EXPECT_EQ(entries.ListLine(slot - 1), "short");
    }
}

TEST(RecentEntries, SameTextTwiceGivesTwoEntries) {
    RecentEntries entries;
    entries.Capture("same");
    entries.Capture("same");
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"same", "same"}));
    EXPECT_EQ(entries.Slot(2), "same\r\n");
}

TEST(RecentEntries, FailingReadIsSwallowedAndKeepsListAndSlotsInStep) {
    RecentEntries entries;
    for (const char* text : {"1", "2", "3", "4", "5"}) entries.Capture(text);
    EXPECT_NO_THROW(entries.Capture([]() -> std::string { throw std::bad_alloc(); }));
    EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"", "5", "4", "3", "2"}));
    EXPECT_EQ(entries.Slot(1), "");
    for (size_t i = 1; i < kRecentEntryCount; ++i) EXPECT_EQ(entries.ViewerText(i), entries.ListLine(i) + "\r\n");
    EXPECT_NO_THROW(entries.Capture([]() -> std::string { throw std::runtime_error("clipboard"); }));
    EXPECT_EQ(entries.Lines().size(), kRecentEntryCount);
    EXPECT_EQ(entries.Slot(5), "3\r\n");
}

}  // namespace
}  // namespace pastimo
