// Case folding in every script, from the generated table of runs.
#include "toolkit/CaseFold.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

TEST(CaseFold, CapitalAndSmallLettersFoldAlikeInEveryScript) {
    const std::pair<std::string, std::string> pairs[] = {
        {"ÉTÉ À NOËL", "été à noël"},          // Latin-1
        {"ĀĒĪŌŪ ŁŻ", "āēīōū łż"},              // Latin Extended-A, upper and lower case taking turns
        {"ΛΌΓΟΣ", "λόγος"},                    // Greek: capital and final sigma alike
        {"МОСКВА Ё", "москва ё"},              // Cyrillic
        {"ՀԱՅ", "հայ"},                        // Armenian
        {"ᲗᲑᲘᲚᲘᲡᲘ", "თბილისი"},  // Georgian Mtavruli
        {"ᏣᎳᎩ", "ꮳꮃꭹ"},                  // Cherokee, which folds to its capitals
        {"ＡＢＣ", "ａｂｃ"},                  // full-width Latin
        {"𐐔𐐇", "𐐼𐐯"},                          // Deseret, beyond U+FFFF
        {"ẞ", "ß"},                            // capital sharp s
        {"\u212A", "k"},                       // Kelvin sign
    };
    for (const auto& [capitals, smalls] : pairs) EXPECT_EQ(FoldCase(capitals), FoldCase(smalls)) << capitals;
    EXPECT_EQ(FoldCase("ÉTÉ À NOËL"), "été à noël");
    EXPECT_EQ(FoldCase("ΛΌΓΟΣ"), "λόγοσ");
}

// Runs of pairs fold every other character: the small letter after a
// capital, and a character just past a run, must stay what it is.
TEST(CaseFold, OnlyCapitalsChange) {
    EXPECT_EQ(FoldCase(U'\u0100'), U'\u0101');  // Ā, the first of a run of pairs
    EXPECT_EQ(FoldCase(U'\u0101'), U'\u0101');  // ā
    EXPECT_EQ(FoldCase(U'\u012E'), U'\u012F');  // Į, the last of that run
    EXPECT_EQ(FoldCase(U'\u012F'), U'\u012F');  // į
    EXPECT_EQ(FoldCase(U'\u0130'), U'i');       // İ
    EXPECT_EQ(FoldCase(U'\u0131'), U'\u0131');  // dotless ı has no capital of its own
    EXPECT_EQ(FoldCase(U'Z' + 1), U'Z' + 1);
    EXPECT_EQ(FoldCase(U'@'), U'@');
    for (const std::string unchanged : {"ß", "東京 駅", "0-9 !?~", "🙂", "\xEF\xBF\xBF"})
        EXPECT_EQ(FoldCase(unchanged), unchanged);
}

TEST(CaseFold, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(FoldCase("A\xC3"), "a\xEF\xBF\xBD");
    EXPECT_EQ(FoldCase("\xC9T\xC9"), "\xEF\xBF\xBDt\xEF\xBF\xBD");  // ÉTÉ in Windows-1252
}

}  // namespace
}  // namespace pastimo
