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
        {"UTF-8 without the mark", kAerger + "\r\n" + kCoffee, {kAerger, kCoffee}},
        {"not UTF-8 without the mark is ANSI", "\xC3\x84\r\n\xC4", {"\xC3\x83\xE2\x80\x9E", "\xC3\x84"}},
        {"lines after the mark that are no UTF-8 are the code page's",
         kMark + "\xC4rger\r\n\xE2\x98\n" + kCoffee + "\n" + kReplacement,
         {kAerger, "\xC3\xA2\xCB\x9C", kCoffee, kReplacement}},
        {"the same break rules after the mark", kMark + "b\n\ra\r" + std::string("\0c", 2), {"b", "", "a"}},
        {"the mark only at the start counts", "x\r\n" + kMark + "\xFF", {"x", "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xBF"}},
        {"the mark later in UTF-8 is a character", "x\r\n" + kMark, {"x", kMark}},
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
        {"one name outside the code page",
         {"plain", kCoffee, kAerger},
         kMark + "plain\r\n" + kCoffee + "\r\n" + kAerger + "\r\n"},
        {"a best-fit look-alike", {"x " + kInfinity}, kMark + "x " + kInfinity + "\r\n"},
        {"another best-fit look-alike", {kLStroke}, kMark + kLStroke + "\r\n"},
        {"code page bytes that look like the mark",
         {"\xC3\xAF\xC2\xBB\xC2\xBFx"},
         kMark + "\xC3\xAF\xC2\xBB\xC2\xBFx\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeNameListFile(c.names, cp), c.file) << c.what;
        EXPECT_EQ(DecodeNameListFile(EncodeNameListFile(c.names, cp), cp), c.names) << c.what;
    }
}

// Only the text counts, up to its first NUL; all ASCII reads the same in
// every form and is taken for the code page.
TEST(FileForm, IsTheMarkOrValidUtf8BeyondAsciiOrElseTheCodePage) {
    const struct {
        std::string file;
        TFileForm form;
    } cases[] = {
        {"", TFileForm::ffAnsi},
        {"plain\r\n", TFileForm::ffAnsi},
        {kMark, TFileForm::ffUtf8WithMark},
        {kMark + "\xC4", TFileForm::ffUtf8WithMark},
        {kAerger, TFileForm::ffUtf8},
        {kCoffee + "\r\n" + kEuro, TFileForm::ffUtf8},
        {"\xC4rger", TFileForm::ffAnsi},
        {kAerger + "\r\n\xC4rger", TFileForm::ffAnsi},
        {"\xE2\x98", TFileForm::ffAnsi},  // cut short
        {"\xC0\x80", TFileForm::ffAnsi},  // overlong
        {kAerger + std::string("\0\xC4", 2), TFileForm::ffUtf8},
        {std::string("a\0", 2) + kAerger, TFileForm::ffAnsi},
        {"x" + kMark, TFileForm::ffUtf8},
    };
    for (const auto& c : cases) EXPECT_EQ(FormOfFile(c.file), c.form) << c.file;
}

// Written in the form asked for whenever the text reads back the same in it;
// otherwise as the mark and UTF-8, and the form says so.
TEST_F(FileEncoding, FilesAreWrittenInTheirFormWhenTheTextReadsBackTheSame) {
    const struct {
        const char* what;
        TFileForm form;
        Names names;
        std::string file;
        TFileForm written;
    } cases[] = {
        {"UTF-8 stays without the mark",
         TFileForm::ffUtf8,
         {kAerger, kCoffee},
         kAerger + "\r\n" + kCoffee + "\r\n",
         TFileForm::ffUtf8},
        {"UTF-8 of ASCII names is ASCII", TFileForm::ffUtf8, {"a", "b"}, "a\r\nb\r\n", TFileForm::ffUtf8},
        {"U+FEFF first would read as the mark",
         TFileForm::ffUtf8,
         {kMark + "x"},
         kMark + kMark + "x\r\n",
         TFileForm::ffUtf8WithMark},
        {"the mark stays with ASCII names",
         TFileForm::ffUtf8WithMark,
         {"a"},
         kMark + "a\r\n",
         TFileForm::ffUtf8WithMark},
        {"the mark stays with code page names",
         TFileForm::ffUtf8WithMark,
         {kAerger},
         kMark + kAerger + "\r\n",
         TFileForm::ffUtf8WithMark},
        {"code page", TFileForm::ffAnsi, {kAerger, kEuro}, "\xC4rger\r\n\x80\r\n", TFileForm::ffAnsi},
        {"beyond the code page", TFileForm::ffAnsi, {kCoffee}, kMark + kCoffee + "\r\n", TFileForm::ffUtf8WithMark},
        // Ã© is C3 A9 in Windows-1252: bytes that would read back as é.
        {"code page bytes that are UTF-8",
         TFileForm::ffAnsi,
         {"\xC3\x83\xC2\xA9"},
         kMark + "\xC3\x83\xC2\xA9\r\n",
         TFileForm::ffUtf8WithMark},
        {"code page bytes with more than UTF-8",
         TFileForm::ffAnsi,
         {"\xC3\x83\xC2\xA9", kAerger},
         "\xC3\xA9\r\n\xC4rger\r\n",
         TFileForm::ffAnsi},
    };
    for (const auto& c : cases) {
        TFileForm form = c.form;
        const std::string file = EncodeNameListFile(c.names, cp, form);
        EXPECT_EQ(file, c.file) << c.what;
        EXPECT_EQ(form, c.written) << c.what;
        EXPECT_EQ(DecodeNameListFile(file, cp), c.names) << c.what;

        const std::string text = c.names.empty() ? std::string() : c.names[0];
        form = c.form;
        const std::string textFile = EncodeItemTextFile(text, cp, form);
        EXPECT_EQ(DecodeItemTextFile(textFile, cp), text) << c.what;
        if (c.names.size() == 1) {
            EXPECT_EQ(form, c.written) << c.what;
        }
    }
}

TEST_F(FileEncoding, ItemTextFilesAreReadInTheirEncoding) {
    const struct {
        const char* what;
        std::string file;
        std::string text;
    } cases[] = {
        {"ANSI bytes",
         "Gr\xFC\xDF"
         "e\n\x80\r5",
         "Gr\xC3\xBC\xC3\x9F"
         "e\r\n" +
             kEuro + "\r\n5"},
        {"mark and UTF-8", kMark + kCoffee + "\n" + kInfinity, kCoffee + "\r\n" + kInfinity},
        {"UTF-8 without the mark", kCoffee + "\r" + kAerger, kCoffee + "\r\n" + kAerger},
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
        {"code page characters",
         "Gr\xC3\xBC\xC3\x9F"
         "e " +
             kEuro,
         "Gr\xFC\xDF"
         "e \x80"},
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
