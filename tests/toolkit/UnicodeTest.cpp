// UTF-8 inside, UTF-16 at the boundary: conversions, malformed input, and
// lengths and cuts counted in UTF-16 code units.
#include "toolkit/Unicode.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

// "Tokyo 東京 → ✓ 🙂": ASCII, CJK, arrows and an emoji outside the BMP.
const std::string kMixed = "Tokyo \xE6\x9D\xB1\xE4\xBA\xAC \xE2\x86\x92 \xE2\x9C\x93 \xF0\x9F\x99\x82";

TEST(Unicode, RoundTripsEveryKindOfCharacter) {
    const std::u16string wide = Utf8ToUtf16(kMixed);
    EXPECT_EQ(wide, u"Tokyo \u6771\u4EAC \u2192 \u2713 \U0001F642");
    EXPECT_EQ(Utf16ToUtf8(wide), kMixed);
    EXPECT_TRUE(IsValidUtf8(kMixed));
    EXPECT_EQ(Utf16Length(kMixed), wide.size());
}

TEST(Unicode, MalformedBytesBecomeOneReplacementEach) {
    struct Case {
        std::string bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\x80"
         "b",
         u"a\uFFFDb"},                                      // stray continuation byte
        {"\xC3", u"\uFFFD"},                                // cut off at the end
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xE2\x82"
         "A",
         u"\uFFFD\uFFFDA"},                       // sequence broken by ASCII
        {"\xE4\xF6\xFC", u"\uFFFD\uFFFD\uFFFD"},  // ANSI bytes, not UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.expected) << c.bytes;
        EXPECT_FALSE(IsValidUtf8(c.bytes)) << c.bytes;
        EXPECT_EQ(Utf16Length(c.bytes), c.expected.size()) << c.bytes;
    }
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800"
                          "b\xDC00"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD")
        << "lone surrogates";
}

TEST(Unicode, CutsNeverSplitASurrogatePair) {
    const std::string emoji = "\xF0\x9F\x99\x82";  // two UTF-16 units
    const std::string text = "ab" + emoji + "c";
    EXPECT_EQ(Utf8PrefixWithinUnits(text, 2), 2u);
    EXPECT_EQ(Utf8PrefixWithinUnits(text, 3), 2u) << "half a pair is left out";
    EXPECT_EQ(Utf8PrefixWithinUnits(text, 4), 6u);
    EXPECT_EQ(Utf8PrefixWithinUnits(text, 5), text.size());
    EXPECT_EQ(Utf8PrefixWithinUnits(text, 99), text.size());
    EXPECT_EQ(Utf8PrefixWithinUnits("\xE6\x9D\xB1\xE4\xBA\xAC", 1), 3u) << "one CJK character is one unit";
    EXPECT_EQ(Utf8PrefixWithinUnits("", 0), 0u);
}

// ASCII goes through eight bytes (four units) at a time: a character that
// starts, ends or splits such a block must come out the same.
TEST(Unicode, BlocksOfAsciiAroundOtherCharactersConvertExactly) {
    const std::string others[] = {"\xC3\xA9", "\xE6\x9D\xB1", "\xF0\x9F\x99\x82", "\xED\xA0\x80"};
    for (const std::string& other : others) {
        for (size_t before = 0; before <= 17; ++before) {
            const std::string text = std::string(before, 'a') + other + std::string(18 - before, 'z');
            const std::u16string wide = Utf8ToUtf16(text);
            SCOPED_TRACE(std::to_string(before) + " ASCII bytes first");
            EXPECT_EQ(Utf16Length(text), wide.size());
            EXPECT_EQ(wide.substr(0, before), std::u16string(before, u'a'));
            EXPECT_EQ(wide.back(), u'z');
            EXPECT_EQ(Utf8PrefixWithinUnits(text, before), before);
            if (IsValidUtf8(text)) {
                EXPECT_EQ(Utf16ToUtf8(wide), text);
            }
        }
    }
    EXPECT_GE(Utf16ToUtf8(u"abcd\xD83D", 2).capacity(), 4u + 3u + 2u) << "room kept for what follows";
}

}  // namespace
}  // namespace pastimo
