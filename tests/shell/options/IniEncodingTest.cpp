// The bytes of a profile file as text and back, in each form editors save.
#include "shell/options/IniEncoding.h"
#include "tests/library/LibraryTestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace pastimo {
namespace {

// A literal's bytes, NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// UTF-16 bytes of the text, after the given mark.
std::string Utf16(std::string_view mark, std::u16string_view text, bool bigEndian) {
    std::string bytes(mark);
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(IniEncoding, Utf16InEitherByteOrderIsReadAsTextAndWrittenBackSo) {
    const std::u16string text = u"[CLIP]\r\nAUTO=0\r\n; caf\u00E9 \u20AC \U0001F600\r\n";
    const std::string utf8 = "[CLIP]\r\nAUTO=0\r\n; caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n";
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string bytes = Utf16(bigEndian ? "\xFE\xFF" : "\xFF\xFE", text, bigEndian);
        const IniFileText file = DecodeIniFile(bytes);
        EXPECT_EQ(file.encoding, bigEndian ? ieUtf16Be : ieUtf16Le);
        EXPECT_EQ(file.text, utf8);
        EXPECT_EQ(EncodeIniFile(file), bytes);
    }
    // The mark alone is an empty UTF-16 file, which a write keeps UTF-16.
    const IniFileText marked = DecodeIniFile("\xFF\xFE");
    EXPECT_EQ(marked.encoding, ieUtf16Le);
    EXPECT_EQ(marked.text, "");
    EXPECT_EQ(EncodeIniFile({ieUtf16Le, "[A]\r\nK=1\r\n"}), Utf16("\xFF\xFE", u"[A]\r\nK=1\r\n", false));
}

TEST(IniEncoding, DamagedUtf16IsReadAsFarAsItGoes) {
    // A final odd byte is dropped; a lone surrogate becomes U+FFFD; a NUL
    // stays in the text, for the look-up to end the value there.
    const std::string bytes = Utf16("\xFF\xFE", std::u16string(u"A=\xD800x\0y", 6), false) + "Z";
    EXPECT_EQ(DecodeIniFile(bytes).text, Bytes("A=\xEF\xBF\xBDx\0y"));
    // UTF-16 without a mark is 8-bit text to the profile functions too.
    EXPECT_EQ(DecodeIniFile(Utf16("", u"[A]", false)).encoding, ieAnsi);
}

TEST(IniEncoding, TextWithoutAMarkIsTheCodePageUnlessItIsUtf8AndReadsBackAsWritten) {
    if (!test::AnsiCodePageIs1252()) GTEST_SKIP() << "spells out Windows-1252 bytes";
    const CodePage& ansi = PlatformCodePage();
    // An ANSI editor's "ü" and "€"; UTF-8 saved without the mark.
    EXPECT_EQ(FromIniText("Ctrl+Alt+\xFC\x80", ieAnsi, ansi), "Ctrl+Alt+\xC3\xBC\xE2\x82\xAC");
    EXPECT_EQ(FromIniText("Ctrl+Alt+\xC3\xBC", ieAnsi, ansi), "Ctrl+Alt+\xC3\xBC");
    // After the UTF-8 mark, malformed bytes become U+FFFD each.
    EXPECT_EQ(FromIniText("Ctrl+Alt+\xFC", ieUtf8, ansi), "Ctrl+Alt+\xEF\xBF\xBD");

    EXPECT_EQ(ToIniText("Ctrl+\xC3\xBC", ieAnsi, ansi), "Ctrl+\xFC") << "in the code page where it fits";
    EXPECT_EQ(ToIniText("Ctrl+\xE4\xB8\xAD", ieAnsi, ansi), "Ctrl+\xE4\xB8\xAD") << "as UTF-8 where it does not";
    EXPECT_EQ(ToIniText("Ctrl+\xC3\xBC", ieUtf16Be, ansi), "Ctrl+\xC3\xBC");
    for (const char* utf8 : {"AUTO", "Ctrl+\xC3\xBC", "Ctrl+\xE4\xB8\xAD", "\xE2\x82\xAC\xF0\x9F\x98\x80"})
        for (const TIniEncoding encoding : {ieAnsi, ieUtf8, ieUtf16Le, ieUtf16Be})
            EXPECT_EQ(FromIniText(ToIniText(utf8, encoding, ansi), encoding, ansi), utf8) << encoding;
}

}  // namespace
}  // namespace pastimo
