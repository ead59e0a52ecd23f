// The three kinds of library file in both encodings, against Windows-1252:
// natively its table, under Wine the real conversions (when the prefix's
// code page is 1252).
#include "library/FileEncoding.h"

#include "tests/library/FakeDoubleByteCodePage.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

using Names = std::vector<std::string>;

const std::string kMark = "\xEF\xBB\xBF";
const std::string kCoffee = "Kaffee \xE2\x98\x95";  // ☕: in no 8-bit code page
const std::string kInfinity = "\xE2\x88\x9E";       // ∞: best fit "8" in 1252
const std::string kLStroke = "\xC5\x82";            // ł: best fit "l" in 1252
const std::string kAerger = "\xC3\x84rger";         // Ärger: 1252 byte 0xC4
const std::string kEuro = "\xE2\x82\xAC";           // €: 1252 byte 0x80
const std::string kReplacement = "\xEF\xBF\xBD";

class FileEncoding : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "the ANSI code page is not 1252";
    }
    const CodePage& cp = PlatformCodePage();
};

TEST_F(FileEncoding, NameListFilesAreReadInTheirEncoding) {
    const struct {
        const char* what;
        std::string file;
        Names names;
    } cases[] = {
        {"ANSI bytes", "\xC4rger\r\n\x80\r\nplain", {kAerger, kEuro, "plain"}},
        {"mark and UTF-8", kMark + kCoffee + "\r\n" + kAerger + "\r\n", {kCoffee, kAerger}},
        {"UTF-8 without the mark is ANSI", "\xC3\x84", {"\xC3\x83\xE2\x80\x9E"}},
        {"malformed UTF-8", kMark + "\xC4rger\r\n\xE2\x98\n", {kReplacement + "rger", kReplacement + kReplacement}},
        {"the same break rules after the mark", kMark + "b\n\ra\r" + std::string("\0c", 2), {"b", "", "a"}},
        {"the mark only at the start counts", "x\r\n" + kMark, {"x", "\xC3\xAF\xC2\xBB\xC2\xBF"}},
        {"empty file", "", {}},
        {"the mark alone", kMark, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeNameListFile(c.file, cp), c.names) << c.what;
}

TEST_F(FileEncoding, NameListFilesAreWrittenInTheCodePageWhenItHoldsEveryName) {
    const struct {
        const char* what;
        Names names;
        std::string file;
    } cases[] = {
        {"empty list", {}, ""},
        {"ASCII", {"alpha", "", "Beta"}, "alpha\r\n\r\nBeta\r\n"},
        {"code page characters", {kAerger, kEuro}, "\xC4rger\r\n\x80\r\n"},
        {"one name outside the code page", {"plain", kCoffee, kAerger}, kMark + "plain\r\n" + kCoffee + "\r\n" + kAerger + "\r\n"},
        {"a best-fit look-alike", {"x " + kInfinity}, kMark + "x " + kInfinity + "\r\n"},
        {"another best-fit look-alike", {kLStroke}, kMark + kLStroke + "\r\n"},
        {"code page bytes that look like the mark", {"\xC3\xAF\xC2\xBB\xC2\xBFx"}, kMark + "\xC3\xAF\xC2\xBB\xC2\xBFx\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeNameListFile(c.names, cp), c.file) << c.what;
        EXPECT_EQ(DecodeNameListFile(EncodeNameListFile(c.names, cp), cp), c.names) << c.what;
    }
}

TEST_F(FileEncoding, ItemTextFilesAreReadInTheirEncoding) {
    const struct {
        const char* what;
        std::string file;
        std::string text;
    } cases[] = {
        {"ANSI bytes", "Gr\xFC\xDF" "e\n\x80\r5", "Gr\xC3\xBC\xC3\x9F" "e\r\n" + kEuro + "\r\n5"},
        {"mark and UTF-8", kMark + kCoffee + "\n" + kInfinity, kCoffee + "\r\n" + kInfinity},
        {"malformed UTF-8", kMark + "a\xFC\r", "a" + kReplacement + "\r\n"},
        {"NUL ends the text after the mark too", kMark + std::string("a\rb\0c", 5), "a\r\nb"},
        {"empty file", "", ""},
        {"the mark alone", kMark, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeItemTextFile(c.file, cp), c.text) << c.what;
}

TEST_F(FileEncoding, ItemTextFilesAreWrittenInTheCodePageWhenItHoldsTheText) {
    const struct {
        const char* what;
        std::string text;
        std::string file;
    } cases[] = {
        {"empty text", "", ""},
        {"two lines", "one\r\ntwo", "one\r\ntwo"},
        {"code page characters", "Gr\xC3\xBC\xC3\x9F" "e " + kEuro, "Gr\xFC\xDF" "e \x80"},
        {"outside the code page", kCoffee, kMark + kCoffee},
        {"a best-fit look-alike", "1 " + kInfinity + "\r\n", kMark + "1 " + kInfinity + "\r\n"},
        {"another best-fit look-alike", "Wroc" + kLStroke + "aw", kMark + "Wroc" + kLStroke + "aw"},
        {"code page bytes that look like the mark", "\xC3\xAF\xC2\xBB\xC2\xBF", kMark + "\xC3\xAF\xC2\xBB\xC2\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeItemTextFile(c.text, cp), c.file) << c.what;
        EXPECT_EQ(DecodeItemTextFile(EncodeItemTextFile(c.text, cp), cp), c.text) << c.what;
    }
}

// In a double-byte code page the byte after a lead byte is part of the
// character, also when it is 0x0A; after the mark there are no lead bytes.
TEST(FileEncodingLeadBytes, TrailByteIsPartOfTheCharacterOnlyInTheCodePage) {
    const test::FakeDoubleByteCodePage dbcs;
    EXPECT_EQ(DecodeItemTextFile("\x81\nx\n", dbcs), "\xE3\x80\x8Ax\r\n");  // U+300A, x, CR LF
    EXPECT_EQ(EncodeItemTextFile("\xE3\x80\x8Ax", dbcs), "\x81\nx");
    EXPECT_EQ(DecodeItemTextFile(kMark + "\xE3\x80\x8A\n", dbcs), "\xE3\x80\x8A\r\n");
}

}  // namespace
}  // namespace pastimo
