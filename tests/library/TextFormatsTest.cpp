#include "library/TextFormats.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

using Names = std::vector<std::string>;

std::string Bytes(std::initializer_list<char> chars) { return std::string(chars); }

TEST(NameListText, SplitsAtEveryKindOfBreak) {
    EXPECT_EQ(SplitNameListText("B\nA"), (Names{"B", "A"}));
    EXPECT_EQ(SplitNameListText("A\r\n\r\n"), (Names{"A", ""}));
    EXPECT_EQ(SplitNameListText("A\n\rB"), (Names{"A", "", "B"}));
    EXPECT_EQ(SplitNameListText("A\rB\r"), (Names{"A", "B"}));
    EXPECT_EQ(SplitNameListText("A\r\nB"), (Names{"A", "B"}));
    EXPECT_EQ(SplitNameListText("\r\n"), (Names{""}));
    EXPECT_EQ(SplitNameListText("\n\n"), (Names{"", ""}));
    EXPECT_EQ(SplitNameListText(" a b \t\r\n"), (Names{" a b \t"}));
}

TEST(NameListText, EndsAtEndOfFileOrFirstNul) {
    EXPECT_EQ(SplitNameListText(""), Names{});
    EXPECT_EQ(SplitNameListText(Bytes({'A', '\r', '\n', 'B', '\0', 'C', '\r', '\n'})), (Names{"A", "B"}));
    EXPECT_EQ(SplitNameListText(Bytes({'A', '\r', '\0', '\n', 'C'})), (Names{"A"}));
    EXPECT_EQ(SplitNameListText(Bytes({'\0', 'A'})), Names{});
}

TEST(NameListText, WritesEachNameWithCrLf) {
    EXPECT_EQ(JoinNameListText({}), "");
    EXPECT_EQ(JoinNameListText({"alpha", "Beta"}), "alpha\r\nBeta\r\n");
    EXPECT_EQ(JoinNameListText({"", " x "}), "\r\n x \r\n");
}

TEST(NameListText, WrittenListsReadBackUnchanged) {
    const Names lists[] = {{}, {""}, {"", ""}, {"a", "", "b "}, {" lead", "trail ", "\xE4\xF6\xFC", "t\tab"}};
    for (const Names& names : lists) EXPECT_EQ(SplitNameListText(JoinNameListText(names)), names);
}

TEST(ItemText, ReadingMakesEveryBreakCrLfAndStopsAtNul) {
    EXPECT_EQ(ItemTextFromFile("one\ntwo", LeadBytes()), "one\r\ntwo");
    EXPECT_EQ(ItemTextFromFile("one\r\ntwo", LeadBytes()), "one\r\ntwo");
    EXPECT_EQ(ItemTextFromFile("a\rb\n\rc\r", LeadBytes()), "a\r\nb\r\n\r\nc\r\n");
    EXPECT_EQ(ItemTextFromFile("\n", LeadBytes()), "\r\n");
    EXPECT_EQ(ItemTextFromFile("", LeadBytes()), "");
    EXPECT_EQ(ItemTextFromFile(Bytes({'x', '\t', 'y', '\0', '\n', 'z'}), LeadBytes()), "x\ty");
    EXPECT_EQ(ItemTextFromFile(Bytes({'x', '\r', '\0', '\n'}), LeadBytes()), "x\r\n");
}

const LeadBytes kFakeLeadBytes{{0x81, 0x9F}};

TEST(ItemText, TrailByteAfterLeadByteIsNeverABreak) {
    // 0x81 0x0A is one character in this code page, not "0x81, line feed".
    EXPECT_EQ(ItemTextFromFile("\x81\n\n", kFakeLeadBytes), "\x81\n\r\n");
    EXPECT_EQ(ItemTextFromFile("\x81\r", kFakeLeadBytes), "\x81\r");
    EXPECT_EQ(ItemTextFromFile("a\x81", kFakeLeadBytes), "a\x81");
    EXPECT_EQ(ItemTextFromFile("\x81\x81\n", kFakeLeadBytes), "\x81\x81\r\n");
    // Without the code page's lead bytes the same bytes are two breaks.
    EXPECT_EQ(ItemTextFromFile("\x81\n\n", LeadBytes()), "\x81\r\n\r\n");
}

}  // namespace
}  // namespace pastimo
