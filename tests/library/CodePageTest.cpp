// The platform's ANSI code page: natively the Windows-1252 table; under Wine
// the real conversions, when the prefix's code page is 1252 too.
#include "library/CodePage.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

class CodePage1252 : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "the ANSI code page is not 1252";
    }
    const CodePage& cp = PlatformCodePage();
};

TEST_F(CodePage1252, BytesBecomeTheirCharacters) {
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"plain ASCII", "plain ASCII"},
        {"\xC4rger \xFC\xDF", "\xC3\x84rger \xC3\xBC\xC3\x9F"},                      // Ärger üß
        {"\x80 \x85 \x99 \x9F", "\xE2\x82\xAC \xE2\x80\xA6 \xE2\x84\xA2 \xC5\xB8"},  // € … ™ Ÿ
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},        // undefined: C1 controls
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp.ToUtf8(c.bytes), c.utf8) << c.bytes;
        EXPECT_EQ(cp.FromUtf8(c.utf8), c.bytes) << c.utf8;
    }
}

TEST_F(CodePage1252, EveryByteReadsBackAsItself) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(cp.FromUtf8(cp.ToUtf8(byte)), byte) << b;
    }
}

// Windows would write these as look-alikes ("8", "l", "a") or as "?" unless
// told not to; either would read back as other text.
TEST_F(CodePage1252, CharactersWithoutAnExactByteHaveNoForm) {
    for (const char* text : {"\xE2\x88\x9E",      // ∞ (best fit "8")
                             "\xC5\x82",          // ł (best fit "l")
                             "\xC4\x81",          // ā (best fit "a")
                             "\xF0\x9F\x99\x82",  // an emoji outside the BMP
                             "\xC2\x80",          // U+0080: the byte 0x80 is €
                             "?\xEF\xBF\xBD",     // U+FFFD
                             "\xC3"}) {           // malformed UTF-8
        EXPECT_EQ(cp.FromUtf8(text), std::nullopt) << text;
    }
}

TEST(LeadBytes, RangesAreInclusive) {
    const LeadBytes shiftJis{{0x81, 0x9F}, {0xE0, 0xFC}};
    EXPECT_FALSE(shiftJis.Empty());
    for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(shiftJis.Contains(static_cast<unsigned char>(b))) << b;
    for (int b : {0x00, 0x0A, 0x80, 0xA0, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(shiftJis.Contains(static_cast<unsigned char>(b))) << b;
    EXPECT_TRUE(LeadBytes().Empty());
}

}  // namespace
}  // namespace pastimo
