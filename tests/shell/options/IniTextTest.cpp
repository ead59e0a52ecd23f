// Finding and changing values in the text of a profile file.
#include "shell/options/IniText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pastimo {
namespace {

// A literal's bytes, NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

TEST(IniLookup, FindsSectionAndKeyWithoutRegardToCase) {
    const std::string file = "[clip]\r\nauto=0\r\n[MINIM]\r\nAuto=1\r\n";
    EXPECT_EQ(IniLookup(file, "CLIP", "AUTO"), "0");
    EXPECT_EQ(IniLookup(file, "minim", "auto"), "1");
    EXPECT_EQ(IniLookup(file, "Other", "AUTO"), "");
    EXPECT_EQ(IniLookup(file, "CLIP", "MANUAL"), "");
    EXPECT_EQ(IniLookup("", "CLIP", "AUTO"), "");
}

TEST(IniLookup, ToleratesLfBlankLinesAndBlanksAroundNames) {
    const std::string file = "\n  ; comment\n\n  [ CLIP ]  \n\n\t AUTO \t=  \t 0x10 \t\n[MINIM]\nAUTO=\n";
    EXPECT_EQ(IniLookup(file, "CLIP", "AUTO"), "0x10");
    EXPECT_EQ(IniLookup(file, "MINIM", "AUTO"), "");
}

TEST(IniLookup, KeyOfAnotherSectionOrBeforeAnySectionIsNotTaken) {
    EXPECT_EQ(IniLookup("AUTO=1\r\n[CLIP]\r\nX=2\r\n[MINIM]\r\nAUTO=3\r\n", "CLIP", "AUTO"), "");
}

TEST(IniLookup, FirstSectionAndFirstKeyCount) {
    EXPECT_EQ(IniLookup("[CLIP]\r\nAUTO=1\r\nAUTO=2\r\n[clip]\r\nAUTO=3\r\n", "CLIP", "AUTO"), "1");
}

TEST(IniLookup, ValueIsCutAfterTrimming) {
    const std::string longValue(1100, '7');
    const std::string value = IniLookup("[CLIP]\r\nAUTO=   " + longValue + "   \r\n", "CLIP", "AUTO");
    EXPECT_EQ(value, std::string(kIniValueLimit, '7'));
    // The value keeps "=" characters after the first.
    EXPECT_EQ(IniLookup("[A]\r\nK=a=b\r\n", "A", "K"), "a=b");
}

TEST(IniLookup, OnePairOfSurroundingQuotesIsTakenOff) {
    const std::string file = "[Q]\r\nA=\"Ctrl+Shift+F11\"\r\nB='x'\r\nC=\"x'\r\nD=\"\r\nE=\"\"\r\nF= \" a \" \r\n"
                             "G=\"\"a\"\"\r\nH=\"a\r\nI=a\"\r\nJ='\r\nK=\"a\" b\r\nL=\t'\t'\t\r\n";
    EXPECT_EQ(IniLookup(file, "Q", "A"), "Ctrl+Shift+F11");
    EXPECT_EQ(IniLookup(file, "Q", "B"), "x");
    EXPECT_EQ(IniLookup(file, "Q", "C"), "\"x'") << "the two quotes differ";
    EXPECT_EQ(IniLookup(file, "Q", "D"), "\"") << "one quote is no pair";
    EXPECT_EQ(IniFind(file, "Q", "E"), std::optional<std::string>(""));
    EXPECT_EQ(IniLookup(file, "Q", "F"), " a ") << "blanks inside the quotes stay";
    EXPECT_EQ(IniLookup(file, "Q", "G"), "\"a\"") << "one pair only";
    EXPECT_EQ(IniLookup(file, "Q", "H"), "\"a");
    EXPECT_EQ(IniLookup(file, "Q", "I"), "a\"");
    EXPECT_EQ(IniLookup(file, "Q", "J"), "'");
    EXPECT_EQ(IniLookup(file, "Q", "K"), "\"a\" b");
    EXPECT_EQ(IniLookup(file, "Q", "L"), "\t");
    // The limit counts what is inside the quotes.
    const std::string longValue(1100, '7');
    EXPECT_EQ(IniLookup("[Q]\r\nA=\"" + longValue + "\"\r\n", "Q", "A"), std::string(kIniValueLimit, '7'));
}

TEST(IniLookup, ADamagedFilesNamesAndValuesEndAtANul) {
    const std::string file =
        Bytes("[HOTKEY]\r\nSHOW=Ctrl+Shfit\0+F11\r\nK= x \0 y \r\nL=\"a\"\0b\r\nM=\"a\0b\"\r\nX\0Y=1\r\nN \0x=2\r\n"
              "Z=3\r\n[S\0ection]\r\nK=4\r\n[B \0z]\r\nK=5\r\n");
    EXPECT_EQ(IniLookup(file, "HOTKEY", "SHOW"), "Ctrl+Shfit");
    EXPECT_EQ(IniLookup(file, "HOTKEY", "K"), "x ") << "trimmed first, then cut";
    EXPECT_EQ(IniLookup(file, "HOTKEY", "L"), "a") << "cut first, then unquoted";
    EXPECT_EQ(IniLookup(file, "HOTKEY", "M"), "\"a");
    EXPECT_EQ(IniLookup(file, "HOTKEY", "X"), "1");
    EXPECT_EQ(IniFind(file, "HOTKEY", "N"), std::nullopt) << "the name is \"N \"";
    EXPECT_EQ(IniLookup(file, "HOTKEY", "Z"), "3") << "the line after a NUL is read";
    EXPECT_EQ(IniLookup(file, "S", "K"), "4");
    EXPECT_EQ(IniFind(file, "B", "K"), std::nullopt);
    EXPECT_EQ(IniFind(Bytes("[A]\r\nK=\0\r\n"), "A", "K"), std::optional<std::string>(""));
}

TEST(IniFind, TellsAnAbsentKeyFromAnEmptyValue) {
    const std::string file = "[HOTKEY]\r\nSHOW=  \r\nOther=x\r\n[Next]\r\nSHOW=1\r\n";
    EXPECT_EQ(IniFind(file, "hotkey", "show"), std::optional<std::string>(""));
    EXPECT_EQ(IniFind(file, "HOTKEY", "Other"), std::optional<std::string>("x"));
    EXPECT_EQ(IniFind(file, "HOTKEY", "Absent"), std::nullopt);
    EXPECT_EQ(IniFind(file, "Absent", "SHOW"), std::nullopt);
    EXPECT_EQ(IniFind("", "HOTKEY", "SHOW"), std::nullopt);
    // A line without "=" is no key.
    EXPECT_EQ(IniFind("[HOTKEY]\r\nSHOW\r\n", "HOTKEY", "SHOW"), std::nullopt);
}

TEST(IniSetValue, CreatesTheFileText) { EXPECT_EQ(IniSetValue("", "CLIP", "AUTO", "1"), "[CLIP]\r\nAUTO=1\r\n"); }

TEST(IniSetValue, AppendsNewSectionsInTheOrderFirstWritten) {
    std::string file = IniSetValue("", "CLIP", "AUTO", "1");
    file = IniSetValue(file, "MINIM", "AUTO", "0");
    EXPECT_EQ(file, "[CLIP]\r\nAUTO=1\r\n[MINIM]\r\nAUTO=0\r\n");
    file = IniSetValue(file, "CLIP", "AUTO", "0");
    EXPECT_EQ(file, "[CLIP]\r\nAUTO=0\r\n[MINIM]\r\nAUTO=0\r\n");
}

TEST(IniSetValue, ReplacesOnlyTheKeysLine) {
    const std::string before = "; mine\r\n[Other]\r\nAUTO=7\r\n\r\n[ clip ]\r\nX = y \r\n  auto = 0  \r\nZ=1\r\n";
    EXPECT_EQ(IniSetValue(before, "CLIP", "AUTO", "1"),
              "; mine\r\n[Other]\r\nAUTO=7\r\n\r\n[ clip ]\r\nX = y \r\nauto=1\r\nZ=1\r\n");
}

TEST(IniSetValue, AddsTheKeyAfterTheSectionsLastLine) {
    EXPECT_EQ(IniSetValue("[CLIP]\r\nX=1\r\n\r\n\r\n[MINIM]\r\nAUTO=1\r\n", "CLIP", "AUTO", "1"),
              "[CLIP]\r\nX=1\r\nAUTO=1\r\n\r\n\r\n[MINIM]\r\nAUTO=1\r\n");
    EXPECT_EQ(IniSetValue("[MINIM]\r\n[CLIP]\r\n", "MINIM", "AUTO", "0"), "[MINIM]\r\nAUTO=0\r\n[CLIP]\r\n");
}

TEST(IniSetValue, KeepsLfFilesAndAMissingFinalBreak) {
    EXPECT_EQ(IniSetValue("[CLIP]\nAUTO=0\n[MINIM]\nAUTO=0", "MINIM", "AUTO", "1"), "[CLIP]\nAUTO=0\n[MINIM]\nAUTO=1");
    EXPECT_EQ(IniSetValue("[CLIP]\nAUTO=0", "CLIP", "NEW", "1"), "[CLIP]\nAUTO=0\r\nNEW=1\r\n");
    EXPECT_EQ(IniSetValue("[CLIP]\nAUTO=0", "MINIM", "AUTO", "1"), "[CLIP]\nAUTO=0\r\n[MINIM]\r\nAUTO=1\r\n");
}

TEST(IniSetValue, TogglingLeavesExactlyOneLine) {
    std::string file = "[CLIP]\r\nAUTO=1\r\n";
    for (int i = 0; i < 5; ++i) file = IniSetValue(file, "clip", "auto", i % 2 ? "1" : "0");
    EXPECT_EQ(file, "[CLIP]\r\nAUTO=0\r\n");
}

}  // namespace
}  // namespace pastimo
